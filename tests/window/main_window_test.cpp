// The main window around the calculator form: placement on a large and a small screen, the
// fixed form in its scroll area, the remembered panel, charts built only after the first
// paint, the panel's figures against the core, out-of-date marks, the DC-load helper and the
// extension block of the last-run file.

#include "calculator_window.h"
#include "check_panel.h"
#include "check_panel_loads.h"
#include "check_panel_verdict.h"
#include "default_files.h"
#include "design_extras.h"
#include "last_run_file.h"
#include "main_window.h"
#include "saved_run_input.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QtCharts/QChartView>
#include <sstream>

namespace ferrolux::testing {
namespace {

// A main window on a program folder, with recorded quits and messages.
struct MainUnderTest
{
    explicit MainUnderTest(const ProgramFolder &folder, QScreen *screen = nullptr)
        : window(folder.path())
    {
        if (screen) {
            window.setScreen(screen);
        }
        window.form()->setQuitFunction([this](int code) { quitCodes.push_back(code); });
        window.form()->setMessageFunction(
            [this](const QString &, const QString &text) { messages.push_back(text); });
        window.load();
    }
    // A control of the form or of the panel (which this builds if need be).
    template <typename T = QWidget> T *child(const QString &name)
    {
        window.checkPanel();
        T *found = window.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void click(const char *name) { child<QPushButton>(name)->click(); }
    void show()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    MainWindow window;
    std::vector<int> quitCodes;
    std::vector<QString> messages;
};

QScreen *screenNamed(const char *name)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == QLatin1String(name)) {
            return screen;
        }
    }
    return nullptr;
}

// A control is reachable when scrolling to it brings all of it into the scroll area's view.
bool reachable(QScrollArea *scroll, QWidget *control)
{
    const QPoint at = control->mapTo(scroll->widget(), QPoint(0, 0));
    const int halfWidth = control->width() / 2;
    const int halfHeight = control->height() / 2;
    scroll->ensureVisible(at.x() + halfWidth, at.y() + halfHeight, halfWidth + 1, halfHeight + 1);
    const QRect inView(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
    return scroll->viewport()->rect().contains(inView);
}

TEST(MainWindow, PlacedOnEachScreenWithEveryControlReachable)
{
    // Screen, whether the panel is shown, whether the form needs scroll bars.
    const std::tuple<const char *, bool, bool> cases[] = {{"large", true, false},
                                                          {"small", false, true}};
    for (const auto &[screenName, panelShown, scrolls] : cases) {
        SCOPED_TRACE(screenName);
        QScreen *screen = screenNamed(screenName);
        ASSERT_NE(screen, nullptr);
        ProgramFolder folder;
        folder.writeExample();
        MainUnderTest main(folder, screen);
        main.show();
        const QRect available = screen->availableGeometry();
        const QRect outer = main.window.frameGeometry();
        EXPECT_TRUE(available.contains(outer)) << outer.width() << "x" << outer.height();
        // Centred across, allowing for rounding and a frame unlike the design's.
        EXPECT_LE(std::abs((outer.left() - available.left()) - (available.right() - outer.right())),
                  12);
        EXPECT_EQ(main.window.checkPanelDock()->isVisible(), panelShown);
        QScrollArea *scroll = main.window.formScrollArea();
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible() ||
                      scroll->verticalScrollBar()->isVisible(),
                  scrolls);
        for (QWidget *control : main.window.form()->findChildren<QWidget *>()) {
            if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus)) {
                EXPECT_TRUE(reachable(scroll, control)) << control->objectName().toStdString();
            }
        }
    }
}

TEST(MainWindow, FormKeepsItsSizeAndLayoutWhenTheWindowGrows)
{
    ProgramFolder folder;
    folder.writeExample();
    MainUnderTest main(folder, screenNamed("large"));
    main.show();
    CalculatorWindow *form = main.window.form();
    const QSize size = form->size();
    const QRect field = main.child("TxtPriV")->geometry();
    const QRect list = main.child("ListOut")->geometry();
    for (const QSize grown : {QSize(1270, 790), QSize(900, 700)}) {
        main.window.resize(grown);
        QTest::qWait(20);
        EXPECT_EQ(form->size(), size);
        EXPECT_EQ(main.child("TxtPriV")->geometry(), field);
        EXPECT_EQ(main.child("ListOut")->geometry(), list);
    }
    main.window.showMaximized();
    QTest::qWait(20);
    EXPECT_EQ(form->size(), size);
}

TEST(MainWindow, PanelVisibilityIsRememberedInTheProgramFolder)
{
    ProgramFolder folder;
    folder.writeExample();
    for (const bool shown : {false, true, false}) {
        {
            MainUnderTest main(folder, screenNamed("large"));
            QAction *toggle = main.window.checkPanelAction();
            ASSERT_EQ(toggle->objectName(), "actionCheckPanel");
            if (toggle->isChecked() != shown) {
                toggle->trigger();
            }
            EXPECT_EQ(main.window.checkPanelDock()->isHidden(), !shown);
        }
        EXPECT_EQ(QSettings(folder.path() + "Ferrolux.ini", QSettings::IniFormat)
                      .value("window/checkPanelVisible")
                      .toBool(),
                  shown);
        MainUnderTest again(folder, screenNamed("large"));
        EXPECT_EQ(again.window.checkPanelDock()->isHidden(), !shown);
    }
    // The small screen starts without the panel but does not forget the choice.
    MainUnderTest small(folder, screenNamed("small"));
    EXPECT_TRUE(small.window.checkPanelDock()->isHidden());
    MainUnderTest large(folder, screenNamed("large"));
    EXPECT_TRUE(large.window.checkPanelDock()->isHidden());
}

TEST(MainWindow, MenusCarryTheirNames)
{
    ProgramFolder folder;
    MainUnderTest main(folder);
    EXPECT_EQ(main.window.fileMenu()->objectName(), "menuFile");
    EXPECT_EQ(main.window.editMenu()->objectName(), "menuEdit");
    EXPECT_EQ(main.window.viewMenu()->objectName(), "menuView");
    EXPECT_EQ(main.window.helpMenu()->objectName(), "menuHelp");
    EXPECT_TRUE(main.window.viewMenu()->actions().contains(main.window.checkPanelAction()));
}

TEST(MainWindow, PanelIsBuiltOnlyAfterTheFirstPaint)
{
    ProgramFolder folder;
    folder.writeExample();
    MainUnderTest main(folder, screenNamed("large"));
    EXPECT_TRUE(main.window.findChildren<CheckPanel *>().isEmpty());
    const int placeholderWidth = main.window.checkPanelDock()->width();
    main.window.show();
    EXPECT_TRUE(main.window.findChildren<CheckPanel *>().isEmpty());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !main.window.findChildren<CheckPanel *>().isEmpty(); }));
    // It took the placeholder's room and caught up with the form's values.
    EXPECT_EQ(main.window.checkPanelDock()->width(), placeholderWidth);
    QScrollArea *form = main.window.formScrollArea();
    EXPECT_GE(form->viewport()->width(), main.window.form()->width());
    auto *rows = main.window.findChild<QComboBox *>("checkKind_3");
    ASSERT_NE(rows, nullptr);
    EXPECT_FALSE(rows->isHidden()); // four secondaries: rows 0..3 shown, 4 and 5 not
    EXPECT_TRUE(main.window.findChild<QComboBox *>("checkKind_4")->isHidden());
}

TEST(MainWindow, ChartsAreBuiltOnlyAfterTheFirstPaint)
{
    ProgramFolder folder;
    folder.writeExample();
    MainUnderTest main(folder, screenNamed("large"));
    main.click("CmdCalc"); // figures before any paint wait for the charts
    EXPECT_TRUE(main.window.findChildren<QChartView *>().isEmpty());
    main.window.show();
    EXPECT_TRUE(main.window.findChildren<QChartView *>().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.window.checkPanel()->chartsBuilt(); }));
    // Only the shown tab's chart; the mains chart waits for its tab.
    const auto views = main.window.findChildren<QChartView *>();
    ASSERT_EQ(views.size(), 1);
    EXPECT_EQ(views[0]->objectName(), "checkLoadChart");
    // The curves arrived once it was built: three models, the limit and the markers.
    EXPECT_EQ(views[0]->chart()->series().size(), 5);
    main.window.checkPanel()->tabs()->setCurrentIndex(1);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return main.window.findChildren<QChartView *>().size() == 2; }));
}

// The checks worked out by the core alone, for comparison with what the panel shows.
EngineeringChecks coreChecks(const ThermalInputs &inputs)
{
    const AnalysisInput input =
        analysisInputFrom(exampleLastRun(), DissipationLimits{2.5, 4.5, 0, 0});
    const auto design = std::get<TransformerDesign>(parseDesign(input));
    const auto result = std::get<AnalysisResult>(analyseDesign(design));
    return runEngineeringChecks(design, result, inputs);
}

TEST(MainWindow, PanelShowsTheCoresFiguresForTheWorkedExample)
{
    ProgramFolder folder;
    folder.writeExample();
    MainUnderTest main(folder, screenNamed("large"));
    main.click("CmdCalc");
    // Ambient 40 °C and class A by default; then a hotter chassis and class B, applied at once.
    const std::tuple<const char *, const char *, int> cases[] = {
        {"40", "Within class A: hottest estimate 59.0 °C (McLyman), margin 46 K", 0},
        {"80", "Within class B: hottest estimate 99.0 °C (McLyman), margin 31 K", 2}};
    for (const auto &[ambient, verdictStart, classIndex] : cases) {
        SCOPED_TRACE(ambient);
        auto *field = main.child<QLineEdit>("checkAmbient");
        field->setText(ambient);
        emit field->textEdited(ambient);
        auto *insulation = main.child<QComboBox>("checkClass");
        insulation->setCurrentIndex(classIndex);
        emit insulation->activated(classIndex);

        ThermalInputs inputs;
        inputs.ambientC = QString(ambient).toDouble();
        inputs.insulationClass = classIndex == 0 ? InsulationClass::A : InsulationClass::B;
        const EngineeringChecks checks = coreChecks(inputs);
        const QString verdict = main.child<QLabel>("checkVerdict")->text();
        EXPECT_TRUE(verdict.startsWith(QString::fromUtf8(verdictStart))) << verdict.toStdString();
        EXPECT_EQ(verdict, verdictText(checks.thermal, inputs));
        // The models table against the published figures: McLyman 9.03 K, Amidon 6.12 K.
        auto *models = main.child<QTableWidget>("checkModels");
        EXPECT_EQ(models->item(0, 0)->text(), "9.03");
        EXPECT_EQ(models->item(1, 0)->text(), "6.12");
        for (int row = 0; row < 3; ++row) {
            const double hotSpot = checks.thermal.models[static_cast<std::size_t>(row)].hotSpotC;
            EXPECT_EQ(models->item(row, 1)->text(), QString::number(hotSpot, 'f', 1));
            EXPECT_EQ(models->item(row, 2)->text(), QString::number(hotSpot * 1.8 + 32, 'f', 1));
        }
    }
    // One bar per secondary, coloured and worded from the core's headroom.
    const EngineeringChecks checks = coreChecks(ThermalInputs{});
    ASSERT_EQ(checks.headroom.size(), 4u);
    for (int row = 0; row < 4; ++row) {
        auto *bar = main.child<QProgressBar>(QStringLiteral("checkHeadroom_%1").arg(row));
        const double percent = checks.headroom[static_cast<std::size_t>(row)].loadPercent.value();
        EXPECT_TRUE(bar->format().contains(QString::number(percent, 'f', 0) + " %"))
            << bar->format().toStdString();
        EXPECT_TRUE(bar->format().startsWith(QStringLiteral("Secondary %1").arg(row + 1)));
    }
    EXPECT_TRUE(main.child<QLabel>("checkReportFigure")->text().contains("106 °C"));
}

TEST(MainWindow, EditsAfterACalculateMarkThePanelAndTheReportOutOfDate)
{
    ProgramFolder folder;
    folder.writeExample();
    MainUnderTest main(folder, screenNamed("large"));
    auto *status = main.child<QLabel>("checkStatus");
    QTest::keyClicks(main.child("TxtPriV"), "1"); // nothing calculated yet: nothing stale
    EXPECT_TRUE(status->isHidden());
    for (const char *edit : {"TxtPriV", "TxtX", "OpMil", "CmdClr", "CmdLoadData"}) {
        SCOPED_TRACE(edit);
        main.click("CmdCalc");
        EXPECT_TRUE(status->isHidden());
        EXPECT_TRUE(main.window.reportStatus()->text().isEmpty());
        if (QString::fromLatin1(edit).startsWith("Cmd")) {
            main.click(edit);
        } else if (QString::fromLatin1(edit).startsWith("Op")) {
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
    // Row, kind, DC current typed, the winding current expected (worked out by hand).
    const std::tuple<int, LoadKind, const char *, double> cases[] = {
        {0, LoadKind::BridgeCapacitor, "0.1", 0.1 / 0.62},
        {1, LoadKind::FullWaveCtChoke, "0.2", 0.2 / 1.54},
        {3, LoadKind::HalfWaveResistive, "0.064", 0.1},
    };
    for (const auto &[row, kind, dc, expected] : cases) {
        SCOPED_TRACE(row);
        ProgramFolder folder;
        folder.writeExample();
        MainUnderTest main(folder, screenNamed("large"));
        auto *kindBox = main.child<QComboBox>(QStringLiteral("checkKind_%1").arg(row));
        kindBox->setCurrentIndex(static_cast<int>(kind));
        emit kindBox->activated(static_cast<int>(kind));
        auto *dcField = main.child<QLineEdit>(QStringLiteral("checkDc_%1").arg(row));
        QTest::keyClicks(dcField, dc);
        auto *current = main.child<QLineEdit>(QStringLiteral("TxtSec1I_%1").arg(row));
        EXPECT_NEAR(current->text().toDouble(), expected, expected * 1e-5);
        EXPECT_EQ(main.window.form()->designExtras().loads[static_cast<std::size_t>(row)],
                  (SecondaryLoad{kind, dc}));
        // The analysis uses the current the helper wrote.
        main.click("CmdCalc");
        EXPECT_TRUE(main.window.form()->reportLines().join("\n").contains(
            QStringLiteral("Secondary %1     Current").arg(row + 1)));
        QTest::keyClicks(current, "3");
        EXPECT_EQ(kindBox->currentIndex(), 0);
        EXPECT_EQ(main.window.form()->designExtras().loads[static_cast<std::size_t>(row)].kind,
                  LoadKind::AC);
    }
}

// The worked example as an earlier version saved it on Close: 30 records and nothing more.
std::string savedByAnEarlierVersion()
{
    LastRun run = exampleLastRun();
    run.example = false;
    return lastRunFileBytes(run);
}

TEST(MainWindow, ExtensionBlockRoundTripKeepsTheThirtyRecords)
{
    const std::string old = savedByAnEarlierVersion();
    // What the old file carries after its 30 records, what the user changes, and what the new
    // file must hold after them ("" for nothing at all).
    struct Case
    {
        const char *what;
        std::string after;
        bool changeLoad;
        std::vector<std::string> expectedAfter;
    };
    const std::string unknownBlock = "[Ferrolux extras]\r\nfuture_key=7\r\n";
    const Case cases[] = {
        {"plain old file, nothing changed", "", false, {}},
        {"plain old file, a load kind set", "", true, {"[Ferrolux extras]"}},
        {"unknown key kept", unknownBlock, false, {"[Ferrolux extras]", "future_key=7"}},
        {"unknown key kept beside a change",
         unknownBlock,
         true,
         {"[Ferrolux extras]", "load_kind_1=bridge-capacitor", "future_key=7"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder;
        folder.write(kLastRunFileName, old + c.after);
        folder.write(kConstantsFileName, defaultConstantsFileBytes());
        MainUnderTest main(folder, screenNamed("large"));
        if (c.changeLoad) {
            auto *kindBox = main.child<QComboBox>("checkKind_0");
            kindBox->setCurrentIndex(static_cast<int>(LoadKind::BridgeCapacitor));
            emit kindBox->activated(static_cast<int>(LoadKind::BridgeCapacitor));
        }
        main.click("CmdClose");
        ASSERT_EQ(main.quitCodes, std::vector{0});
        const std::string saved = folder.read(kLastRunFileName);
        // The 30 records are those of the old file, byte for byte.
        ASSERT_GE(saved.size(), old.size());
        EXPECT_EQ(saved.substr(0, old.size()), old);
        const std::vector<std::string> tail = splitRecords(saved.substr(old.size()));
        if (c.expectedAfter.empty()) {
            EXPECT_TRUE(tail.empty());
        }
        for (const std::string &line : c.expectedAfter) {
            EXPECT_NE(std::find(tail.begin(), tail.end(), line), tail.end()) << line;
        }
        // A reader of 30 records sees the same run; the block reads back as it was set.
        EXPECT_EQ(readLastRun(saved).values, readLastRun(old).values);
        EXPECT_EQ(readDesignExtras(saved).loads[0].kind,
                  c.changeLoad ? LoadKind::BridgeCapacitor : LoadKind::AC);
        // And a new window restores it.
        MainUnderTest again(folder, screenNamed("large"));
        EXPECT_EQ(again.child<QComboBox>("checkKind_0")->currentIndex(),
                  c.changeLoad ? static_cast<int>(LoadKind::BridgeCapacitor) : 0);
    }
}

TEST(MainWindow, WholeInputStateIsSetAndReadBack)
{
    // States to put into a window that holds the worked example: another type, none at all,
    // grayed check box, rectifier loads, a hotter chassis, unknown keys.
    DesignState potted{exampleLastRun(), {}};
    potted.run.typeCode = 4;
    potted.run.primaryVoltage = "230";
    potted.run.loading = 2;
    potted.extras.loads[1] = {LoadKind::BridgeChoke, "0.25"};
    potted.extras.thermal.ambientC = 55;
    potted.extras.thermal.insulationClass = InsulationClass::F;
    potted.extras.unknown = {{"future_key", "7"}};
    DesignState noType{exampleLastRun(), {}};
    noType.run.typeCode = 0;
    noType.run.secondaryCount = "2";
    for (const DesignState &state : {potted, noType}) {
        ProgramFolder folder;
        folder.writeExample();
        MainUnderTest main(folder, screenNamed("large"));
        main.window.form()->setInputState(state);
        DesignState expected = state;
        expected.run.example = false; // the state is what Close would save
        EXPECT_EQ(main.window.form()->inputState(), expected);
        // The panel shows the state's own values.
        EXPECT_EQ(main.window.checkPanel()->thermalInputs(), state.extras.thermal);
        EXPECT_EQ(main.window.checkPanel()->loadHelper()->loads(), state.extras.loads);
    }
}

TEST(MainWindow, PanelWarnsWhileTheLimitsComeFromADamagedConstantsFile)
{
    // Constants file bytes, and whether the panel warns.
    const std::pair<std::string, bool> cases[] = {{"a\r\n2.5\r\nb\r\n", true},
                                                  {defaultConstantsFileBytes(), false}};
    for (const auto &[bytes, warns] : cases) {
        ProgramFolder folder;
        folder.write(kLastRunFileName, exampleLastRunFileBytes());
        folder.write(kConstantsFileName, bytes);
        MainUnderTest main(folder, screenNamed("large"));
        auto *warning = main.child<QLabel>("checkLimitsWarning");
        EXPECT_EQ(warning->isHidden(), !warns);
        EXPECT_EQ(main.messages.size(), warns ? 1u : 0u); // told once, at start
        main.click("CmdCalc");
        EXPECT_EQ(warning->isHidden(), !warns);
        if (warns) {
            EXPECT_EQ(warning->text(), main.messages.front());
            EXPECT_TRUE(warning->text().contains("record 4"));
        }
    }
}

} // namespace
} // namespace ferrolux::testing
