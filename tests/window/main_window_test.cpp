// The main window around the calculator form: placement on a large and a small screen and at
// double scale, the panel's menu entry, the panel and its charts built after the first paint, the
// panel's figures for the worked example, out-of-date marks, the DC-load helper; named designs
// (Save As and Open, Open Recent), Copy Report against the report tool, accessible names and the
// About text; the report exported as plain text, HTML (read back through its text) and PDF (through
// pdftotext).

#include "check_panel.h"
#include "check_panel_headroom.h"
#include "check_panel_loads.h"
#include "design_extras.h"
#include "help_actions.h"
#include "report_export.h"
#include "window_fixture.h"

#include <QTextDocument>
#include <QtCharts/QChartView>
#include <sys/stat.h>

namespace ferrolux::testing {
namespace {

// Every focusable control of the form is reached through the scroll area: scrolling to it
// brings all of it into view. Returns how many were checked.
int checkEveryControlReachable(MainWindow &window)
{
    auto *scroll = window.findChild<QScrollArea *>("formScrollArea");
    int checked = 0;
    for (QWidget *control : window.form()->findChildren<QWidget *>()) {
        if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus)) {
            const QRect rect(control->mapTo(scroll->widget(), QPoint(0, 0)), control->size());
            scroll->ensureVisible(rect.center().x(), rect.center().y(), rect.width() / 2 + 1,
                                  rect.height() / 2 + 1);
            const QRect inView(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(scroll->viewport()->rect().contains(inView))
                << control->objectName().toStdString();
            ++checked;
        }
    }
    return checked;
}

TEST(MainWindow, PlacedOnEachScreenWithEveryControlReachableAndTheFormAtItsSize)
{
    // Screen, whether the panel is shown, whether the form needs scroll bars.
    const std::tuple<const char *, bool, bool> cases[] = {{"large", true, false},
                                                          {"small", false, true}};
    for (const auto &[screenName, panelShown, scrolls] : cases) {
        SCOPED_TRACE(screenName);
        ProgramFolder folder(ProgramFolder::Example);
        MainUnderTest main(folder, screenName);
        main.show();
        const QRect available = main.window.screen()->availableGeometry();
        const QRect outer = main.window.frameGeometry();
        EXPECT_EQ(main.window.screen()->name(), screenName);
        EXPECT_TRUE(available.contains(outer)) << outer.width() << "x" << outer.height();
        // Centred across, allowing for rounding and a frame unlike the design's.
        EXPECT_LE(std::abs((outer.left() - available.left()) - (available.right() - outer.right())),
                  12);
        EXPECT_EQ(main.dock()->isVisible(), panelShown);
        QScrollArea *scroll = main.formScroll();
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible() ||
                      scroll->verticalScrollBar()->isVisible(),
                  scrolls);
        checkEveryControlReachable(main.window);
        // The form keeps its size and layout however the window grows.
        const QSize size = main.window.form()->size();
        const QRect field = main.child("TxtPriV")->geometry();
        main.window.showMaximized();
        QTest::qWait(20);
        EXPECT_EQ(main.window.form()->size(), size);
        EXPECT_EQ(main.child("TxtPriV")->geometry(), field);
    }
}

// Run alone at QT_SCALE_FACTOR=2 on a 1280 x 1024 screen (see CMakeLists.txt): 640 x 512 in
// the window's own units, where the form scrolls both ways.
TEST(HighDpi, FormReachedThroughTheScrollAreaAtDoubleScale)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(screen->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    ASSERT_EQ(screen->geometry().size(), QSize(640, 512));
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    main.show();
    EXPECT_TRUE(screen->availableGeometry().contains(main.window.frameGeometry()));
    EXPECT_GT(main.formScroll()->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(main.formScroll()->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(checkEveryControlReachable(main.window), 20);
}

// Whether the panel is shown is kept in the settings file (WindowFileSafety's settings table).
TEST(MainWindow, PanelToggleIsInTheViewMenuAndASmallScreenDoesNotForgetTheChoice)
{
    ProgramFolder folder(ProgramFolder::Example);
    {
        MainUnderTest main(folder);
        auto *toggle = main.window.findChild<QAction *>("actionCheckPanel");
        EXPECT_TRUE(main.window.findChild<QMenu *>("menuView")->actions().contains(toggle));
        EXPECT_TRUE(toggle->isChecked());
    }
    // The small screen starts without the panel; the large one shows it again.
    EXPECT_TRUE(MainUnderTest(folder, "small").dock()->isHidden());
    EXPECT_FALSE(MainUnderTest(folder).dock()->isHidden());
}

TEST(MainWindow, PanelAndChartsAreBuiltOnlyAfterTheFirstPaint)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    const auto panels = [&] { return main.window.findChildren<CheckPanel *>().size(); };
    const int placeholderWidth = main.dock()->width();
    main.window.show();
    EXPECT_EQ(panels(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panels() == 1; }));
    // It took the placeholder's room and caught up with the form's four secondaries.
    EXPECT_EQ(main.dock()->width(), placeholderWidth);
    EXPECT_GE(main.formScroll()->viewport()->width(), main.window.form()->width());
    EXPECT_FALSE(main.child("checkKind_3")->isHidden());
    EXPECT_TRUE(main.child("checkKind_4")->isHidden());
    // Until there are figures to plot, the plot tab holds a hint and no chart is made.
    QTest::qWait(100);
    EXPECT_TRUE(main.window.findChildren<QChartView *>().isEmpty());
    main.click("CmdCalc");
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.window.checkPanel()->chartsBuilt(); }));

    MainUnderTest charted(folder);
    const auto charts = [&] { return charted.window.findChildren<QChartView *>().size(); };
    charted.click("CmdCalc"); // figures before any paint wait for the charts
    charted.window.show();
    EXPECT_EQ(charts(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return charted.window.checkPanel()->chartsBuilt(); }));
    // Only the shown tab's chart, with its curves: three models, the limit and the markers.
    const auto views = charted.window.findChildren<QChartView *>();
    ASSERT_EQ(views.size(), 1);
    EXPECT_EQ(views[0]->objectName(), "checkLoadChart");
    EXPECT_EQ(views[0]->chart()->series().size(), 5);
    // The mains chart waits for its tab (an export draws it all the same: ReportPage tests).
    QTest::qWait(50);
    EXPECT_EQ(charts(), 1);
}

TEST(MainWindow, PanelShowsTheWorkedExamplesFigures)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    main.click("CmdCalc");
    // A hotter chassis, 80 °C, and class B, applied at once.
    auto *field = main.child<QLineEdit>("checkAmbient");
    field->setText("80");
    emit field->textEdited("80");
    auto *insulation = main.child<QComboBox>("checkClass");
    insulation->setCurrentIndex(2);
    emit insulation->activated(2);
    const QString verdict = main.child<QLabel>("checkVerdict")->text();
    EXPECT_TRUE(
        verdict.startsWith("Within class B: hottest estimate 99.0 °C (McLyman), margin 31 K"))
        << verdict.toStdString();
    // The models table against the published rises (McLyman 9.03 K, Amidon 6.12 K); the three
    // models' hot spots in °C, then McLyman's in °F.
    auto *models = main.child<QTableWidget>("checkModels");
    EXPECT_EQ(models->item(0, 0)->text(), "9.03");
    EXPECT_EQ(models->item(1, 0)->text(), "6.12");
    const QStringList hotSpots = {"99.0", "96.1", "96.8", "210.2"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(models->item(row, 1)->text(), hotSpots[row]) << row;
    }
    EXPECT_EQ(models->item(0, 2)->text(), hotSpots[3]);
    // A bar per secondary, with its load against the winding's rating. Secondary 2 was left at
    // 0 A: the search found it at its limit, shown in the neutral style with a tooltip; secondary
    // 3's given 3 A is a real overload and stays red (which is which is the core's Headroom test).
    using Level = HeadroomLevel;
    const std::tuple<int, const char *, Level, bool, const char *> bars[] = {
        {1, "Secondary 2 (plate): at its limit (found by the search)", Level::FoundBySearch, true,
         "101 % of 0.135 A"},
        {2, "Secondary 3 (filament): 119 % of 2.52 A", Level::Over, false, ""}};
    for (const auto &[row, text, level, tip, figures] : bars) {
        auto *bar = main.child<QProgressBar>(QStringLiteral("checkHeadroom_%1").arg(row));
        EXPECT_EQ(bar->format(), text);
        EXPECT_EQ(bar->property("level").toInt(), static_cast<int>(level)) << row;
        EXPECT_EQ(bar->toolTip().contains(QStringLiteral("first step past")), tip) << row;
        EXPECT_TRUE(!tip || bar->toolTip().startsWith(QString::fromUtf8(figures))) << row;
        EXPECT_EQ(bar->styleSheet().contains(headroomColour(Level::Over).name()),
                  level == Level::Over)
            << row;
    }
    EXPECT_TRUE(main.child<QLabel>("checkReportFigure")->text().contains("106 °C"));
}

TEST(MainWindow, PanelInputsReadByTheFilesNumberRuleAndKeepTheLastValidValue)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    main.click("CmdCalc");
    auto *ambient = main.child<QLineEdit>("checkAmbient");
    EXPECT_FALSE(main.window.isWindowModified());
    // Typed text, the ambient then in use, and whether the field is marked as not used (the
    // number rule itself is the core's InputRanges test).
    const std::tuple<const char *, double, bool> cases[] = {{"55", 55, false}, {"100.5", 55, true}};
    for (const auto &[typed, used, marked] : cases) {
        SCOPED_TRACE(typed);
        ambient->setText(QString::fromUtf8(typed));
        emit ambient->textEdited(ambient->text());
        EXPECT_EQ(ambient->property("outOfRange").toBool(), marked);
        EXPECT_EQ(main.window.form()->designExtras().thermal.ambientC, used);
        // The checks on screen use the same value.
        ASSERT_TRUE(main.window.form()->evaluation());
        EXPECT_EQ(main.window.form()->evaluation()->design.extras.thermal.ambientC, used);
        if (marked) {
            EXPECT_TRUE(ambient->toolTip().contains(QStringLiteral("last valid value")));
        }
        // The design holds the panel's values, so an edit there is an edit of the design.
        EXPECT_TRUE(main.window.isWindowModified());
    }
    // A value the file holds is shown in a form the field reads back, not "1e-05".
    Design design = main.window.form()->design();
    design.extras.thermal.ambientC = 0.00001;
    design.extras.thermal.emissivity = 0.05;
    main.window.form()->setDesign(design);
    EXPECT_EQ(ambient->text(), QStringLiteral("0.00001"));
    EXPECT_EQ(main.child<QLineEdit>("checkEmissivity")->text(), QStringLiteral("0.05"));
    EXPECT_FALSE(ambient->property("outOfRange").toBool());
    EXPECT_EQ(main.window.checkPanel()->thermalInputs(), design.extras.thermal);
}

TEST(MainWindow, PanelWarnsWhileTheLimitsComeFromADamagedConstantsFile)
{
    ProgramFolder folder(ProgramFolder::Example);
    folder.write(kConstantsFileName, "a\r\n2.5\r\nb\r\n");
    MainUnderTest main(folder);
    auto *warning = main.child<QLabel>("checkLimitsWarning");
    main.click("CmdCalc");
    EXPECT_FALSE(warning->isHidden());
    ASSERT_EQ(main.messages.size(), 1u);
    EXPECT_EQ(warning->text(), main.messages.front());
    folder.write(kConstantsFileName, defaultConstantsFileBytes());
    EXPECT_TRUE(MainUnderTest(folder).child("checkLimitsWarning")->isHidden());
}

TEST(MainWindow, EditsAfterACalculateMarkThePanelAndTheReportOutOfDate)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    auto *status = main.child<QLabel>("checkStatus");
    QTest::keyClicks(main.child("TxtPriV"), "1"); // nothing calculated yet: nothing stale
    EXPECT_TRUE(status->isHidden());
    for (const char *edit : {"TxtPriV", "TxtX", "OpMil", "CmdClr", "CmdLoadData"}) {
        SCOPED_TRACE(edit);
        main.click("CmdCalc");
        EXPECT_TRUE(status->isHidden());
        EXPECT_TRUE(main.window.reportStatus()->text().isEmpty());
        if (edit[0] == 'C') {
            main.click(edit);
        } else if (edit[0] == 'O') {
            QTest::mouseClick(main.child(edit), Qt::LeftButton);
        } else {
            QTest::keyClicks(main.child(edit), "5");
        }
        EXPECT_FALSE(status->isHidden());
        EXPECT_EQ(status->text(), "Inputs changed: press Calculate");
        EXPECT_TRUE(main.window.reportStatus()->text().startsWith("Inputs changed"));
        main.click("CmdLoadData"); // back to the worked example
    }
}

TEST(MainWindow, RectifierLoadSetsTheWindingCurrentAndTypingSetsTheKindBack)
{
    // Secondary 2 behind a full-wave centre-tap choke input: 0.2 A DC is 0.2 / 1.54 A RMS in the
    // winding (each kind's factor is the core's RectifierLoads test).
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    auto *kindBox = main.child<QComboBox>(QStringLiteral("checkKind_1"));
    const int kind = static_cast<int>(LoadKind::FullWaveCtChoke);
    kindBox->setCurrentIndex(kind);
    emit kindBox->activated(kind);
    QTest::keyClicks(main.child(QStringLiteral("checkDc_1")), "0.2");
    auto *current = main.child<QLineEdit>(QStringLiteral("TxtSec1I_1"));
    EXPECT_NEAR(current->text().toDouble(), 0.2 / 1.54, 0.2 / 1.54 * 1e-5);
    EXPECT_TRUE(main.child(QStringLiteral("checkDc_1"))->toolTip().isEmpty());
    const auto &loads = main.window.form()->designExtras().loads;
    EXPECT_EQ(loads[1], (SecondaryLoad{LoadKind::FullWaveCtChoke, "0.2"}));
    // The analysis uses the current the helper wrote.
    main.click("CmdCalc");
    EXPECT_TRUE(main.window.form()->reportLines().join("\n").contains("Secondary 2     Current"));
    QTest::keyClicks(current, "3");
    EXPECT_EQ(kindBox->currentIndex(), 0);
    EXPECT_EQ(loads[1].kind, LoadKind::AC);
}

TEST(Designs, SaveAsWritesTheWholeStateAndOpenBringsItBack)
{
    ProgramFolder folder(ProgramFolder::Example);
    const QString amp = folder.path() + QStringLiteral("Amp.DAT");
    MainUnderTest w(folder);
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Last run[*] - Ferrolux Analysis Calculator"));
    // The potted type, a grayed check box, a rectifier load, a hotter chassis, an unknown key.
    Design state;
    state.run = exampleLastRun();
    state.run.example = false;
    state.run.typeCode = 4;
    state.run.primaryVoltage = "230";
    state.run.loading = 2;
    state.extras.loads[1] = {LoadKind::BridgeChoke, "0.25"};
    state.extras.thermal = {55, InsulationClass::F};
    state.extras.keptRecords = "future_key=7\r\n";
    w.window.form()->setDesign(state);
    EXPECT_EQ(w.window.form()->design(), state);
    EXPECT_EQ(w.window.checkPanel()->thermalInputs(), state.extras.thermal);
    EXPECT_EQ(w.window.checkPanel()->loadHelper()->loads(), state.extras.loads);
    const auto answer = [&](bool saving) {
        w.actions()->setFileQuestion([&amp, saving](bool forSaving, const QString &) {
            EXPECT_EQ(forSaving, saving);
            return amp;
        });
    };
    answer(true);
    w.trigger("actionSaveDesignAs");
    ASSERT_TRUE(w.failures.isEmpty()) << w.failures.join('\n').toStdString();
    EXPECT_EQ(w.actions()->designName(), QStringLiteral("Amp.DAT"));
    // The file is in the last-run format with its extension block, readable without the window;
    // the last-run file is Close's alone.
    const std::string bytes = folder.read("Amp.DAT");
    EXPECT_EQ(readLastRun(bytes).values, state.run);
    EXPECT_EQ(readDesignExtras(bytes), state.extras);
    EXPECT_EQ(folder.read(kLastRunFileName), exampleLastRunFileBytes());

    w.type("TxtPriV", QStringLiteral("1"));
    answer(false);
    w.trigger("actionOpenDesign");
    EXPECT_EQ(w.window.form()->design(), state);
    EXPECT_FALSE(w.window.isWindowModified());
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Amp.DAT[*] - Ferrolux Analysis Calculator"));
    // Save Design writes to the design's own file without asking.
    w.type("TxtPriR", QStringLiteral("9.5"));
    w.actions()->setFileQuestion([](bool, const QString &) {
        ADD_FAILURE() << "Save Design asked for a name";
        return QString();
    });
    w.trigger("actionSaveDesign");
    EXPECT_EQ(readLastRun(folder.read("Amp.DAT")).values.primaryResistance, "9.5");
    // A state without a type clears every option, as Clear Data does.
    state.run.typeCode = 0;
    w.window.form()->setDesign(state);
    EXPECT_EQ(w.window.form()->design(), state);
}

TEST(Designs, OpenRecentKeepsTheLastEightAndAFailedOpenChangesNothing)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest w(folder);
    for (int n = 1; n <= 10; ++n) {
        w.actions()->saveDesignAs(folder.path() + QStringLiteral("D%1.DAT").arg(n));
    }
    w.actions()->openDesign(folder.path() + QStringLiteral("D5.DAT"));
    QStringList names;
    for (const QString &path : w.actions()->recentDesigns()) {
        names << QFileInfo(path).baseName();
    }
    EXPECT_EQ(names, (QStringList{"D5", "D10", "D9", "D8", "D7", "D6", "D4", "D3"}));
    // Kept in the main window's settings file, so a second window sees the same list.
    const QSettings settings(w.window.settingsPath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("designs/recent")).toStringList().size(), 8);

    // A design that went missing stays listed but greyed.
    QFile::remove(folder.path() + QStringLiteral("D9.DAT"));
    auto *recentMenu = w.window.findChild<QMenu *>(QStringLiteral("menuOpenRecent"));
    ASSERT_NE(recentMenu, nullptr);
    emit recentMenu->aboutToShow();
    QStringList greyed;
    for (const QAction *entry : recentMenu->actions()) {
        if (!entry->isEnabled()) {
            greyed << entry->text();
        }
    }
    EXPECT_EQ(greyed, QStringList{QStringLiteral("&3 D9.DAT")});

    // A short file, a missing one and a named pipe (which must not hang the window).
    const Design before = w.window.form()->design();
    folder.write("Short.DAT", "True\r\n\"117\"\r\n");
    ASSERT_EQ(mkfifo((folder.path() + QStringLiteral("Pipe.DAT")).toLocal8Bit().constData(), 0600),
              0);
    for (const char *name : {"Short.DAT", "Missing.DAT", "Pipe.DAT"}) {
        EXPECT_FALSE(w.actions()->openDesign(folder.path() + QLatin1String(name)).isEmpty());
        EXPECT_EQ(w.window.form()->design(), before) << name;
        EXPECT_EQ(w.actions()->designName(), QStringLiteral("D5.DAT")) << name;
    }
    EXPECT_EQ(w.failures.size(), 3);
}

TEST(Designs, CopyReportIsTheReportToolsCheckText)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest w(folder);
    QApplication::clipboard()->clear();
    w.trigger("actionCopyReport");
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty()) << "nothing to copy before Calculate";
    w.click("CmdCalc");
    QProcess tool;
    tool.start(QStringLiteral(FERROLUX_REPORT_TOOL),
               {QStringLiteral("--check"), folder.path() + QLatin1String(kLastRunFileName)});
    ASSERT_TRUE(tool.waitForFinished(20000));
    const QString expected = QString::fromUtf8(tool.readAllStandardOutput());
    ASSERT_TRUE(expected.startsWith(w.window.form()->reportLines().join('\n') + '\n'));
    ASSERT_TRUE(expected.contains(QStringLiteral("Engineering checks")));
    w.trigger("actionCopyReport");
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
    w.trigger("actionCopyForumPost");
    EXPECT_EQ(QApplication::clipboard()->text(), "[code]\n" + expected + "[/code]\n");
    // Ctrl+C copies the report only while the report has the focus.
    QAction *copy = w.window.findChild<QAction *>("actionCopyReport");
    EXPECT_EQ(copy->shortcutContext(), Qt::WidgetShortcut);
    EXPECT_TRUE(w.child("ListOut")->actions().contains(copy));
}

TEST(Designs, EveryInputHasAnAccessibleNameWithItsUnitAndAboutNamesTheDataFolder)
{
    ProgramFolder folder;
    MainUnderTest w(folder);
    for (const QString &name : inputFieldNames()) {
        EXPECT_FALSE(w.child(name)->accessibleName().isEmpty()) << name.toStdString();
    }
    for (const auto &[name, spoken] : {std::pair{"TxtSec1I_1", "Secondary 2 Current, amps"},
                                       {"TxtSec1V_5", "Secondary 6 Voltage, volts"},
                                       {"TxtPriR", "Primary Resistance, ohms"},
                                       {"TxtC", "Dimension C, centimetres"}}) {
        EXPECT_EQ(w.child(name)->accessibleName(), spoken);
    }
    const QString about = aboutText(QStringLiteral("/home/a & b/.local/share/Ferrolux/"));
    for (const char *item : {"Ferrolux " FERROLUX_VERSION, "/home/a &amp; b/.local/share/Ferrolux/",
                             "McLyman", "convection", "rectifier"}) {
        EXPECT_TRUE(about.contains(QLatin1String(item))) << item;
    }
    EXPECT_TRUE(about.contains(QRegularExpression(QStringLiteral("Licence: [A-Za-z0-9.-]+<"))));
}

// The text each format gives back: the file itself, the HTML's rendered text, pdftotext's.
QString textOf(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html")) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(bytes));
        return document.toPlainText();
    }
    if (suffix == QLatin1String("pdf")) {
        EXPECT_TRUE(bytes.startsWith("%PDF-")) << path.toStdString();
        QProcess process;
        process.start(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), path, QStringLiteral("-")});
        process.waitForFinished(20000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    return QString::fromUtf8(bytes);
}

TEST(ReportExport, EveryFormatHoldsNameDateInputsReportAndChecksOrWhyNot)
{
    // The worked example with the limits a first start writes, and one plot.
    Design example;
    example.run = exampleLastRun();
    ReportContent content = reportContentFor(
        QStringLiteral("Bench amp <PSU>"), QDateTime(QDate(2026, 12, 6), QTime(21, 30), Qt::UTC),
        evaluate(example, DissipationLimits{2.5, 4.5, 2.5, 4.5}));
    QImage plot(120, 80, QImage::Format_RGB32);
    plot.fill(Qt::darkGreen);
    content.plots.push_back({QStringLiteral("Hot spot against load"), plot});
    ASSERT_TRUE(content.refusal.isEmpty()) << content.refusal.toStdString();
    QTemporaryDir folder;
    const char *const expected[] = {"Bench amp <PSU>",
                                    "2026-12-06",
                                    "Primary Voltage",
                                    "117 V",
                                    "Secondary 4 Resistance",
                                    "122e-3 ohms",
                                    "Shielded Sub Mount",
                                    "6.4 cm",
                                    "2.5 %, 4.5 %",
                                    "Emissivity",
                                    "Primary Current = 731.4e-3  Amps",
                                    "Operating Temperature = 223.4",
                                    "McLyman",
                                    "within class"};
    for (const char *name : {"design.txt", "design.html", "design.PDF"}) {
        const QString path = folder.filePath(QLatin1String(name));
        ASSERT_EQ(writeReport(content, path), QString()) << name;
        // pdftotext keeps the PDF's own spacing; compare with runs of blanks made single.
        const QString text = textOf(path).simplified();
        for (const char *item : expected) {
            EXPECT_TRUE(text.contains(QString(item).simplified())) << name << ": " << item;
        }
    }
    // The saved page carries its plot inside it, with no file beside it.
    QFile html(folder.filePath(QStringLiteral("design.html")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    EXPECT_TRUE(html.readAll().contains("src=\"data:image/png;base64,iVBOR"));
    // An unknown suffix is written as text; a folder that is not there is a named failure.
    bool known = true;
    EXPECT_EQ(exportFormatFor(QStringLiteral("a.dat"), &known), ExportFormat::Text);
    EXPECT_FALSE(known);
    EXPECT_EQ(exportFormatFor(QStringLiteral("a.htm"), &known), ExportFormat::Html);
    EXPECT_TRUE(known);
    const QString missing = folder.filePath(QStringLiteral("no-such-folder/report.pdf"));
    EXPECT_FALSE(writeReport(content, missing).isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
    // A design the analysis refuses says why and carries no stale figures.
    ReportContent refused = content;
    refused.design.run.primaryVoltage = "abc";
    refused = reportContentFor(refused.designName, refused.created,
                               evaluate(refused.design, refused.limits));
    EXPECT_TRUE(refused.reportLines.isEmpty());
    EXPECT_TRUE(refused.checkLines.isEmpty());
    const QString text = reportPlainText(refused);
    EXPECT_TRUE(text.contains(QStringLiteral("Not calculated: Primary voltage")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Primary Current =")));
}

} // namespace
} // namespace ferrolux::testing
