// The words the window shows: captions spelt as a reader expects, one name for the load command
// on the button and in the menu, rectifier kinds and panel tabs read whole, and a verdict that says
// when the fixed report's temperature is colder than the air around the transformer.

#include "check_verdict.h"
#include "window_fixture.h"

#include <QStyleOptionComboBox>

namespace ferrolux::testing {
namespace {

TEST(WindowWording, CaptionsAreSpeltRight)
{
    // Object name (kept as it was), the caption shown.
    const std::pair<const char *, const char *> cases[] = {{"Text7", "Number of Secondaries"},
                                                           {"Frame1", "Transformer Type"},
                                                           {"OpType1", "Unshielded"},
                                                           {"OpType2", "Shielded Top Mount"},
                                                           {"OpMil", "Military, Potted"}};
    ProgramFolder folder;
    WindowUnderTest window(folder);
    for (const auto &[name, caption] : cases) {
        QWidget *widget = window.child(QString::fromLatin1(name));
        QString shown;
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            shown = label->text();
        } else if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
            shown = frame->title();
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            shown = button->text();
        }
        EXPECT_EQ(shown, QString::fromLatin1(caption)) << name;
    }
}

TEST(WindowWording, LoadHasTheButtonsNameInTheMenu)
{
    // What the folder holds, the words on the button and in Edit.
    const std::pair<ProgramFolder::Contents, const char *> cases[] = {
        {ProgramFolder::Example, "Load Example"}, {ProgramFolder::Empty, "Load Last Run"}};
    for (const auto &[contents, words] : cases) {
        SCOPED_TRACE(words);
        ProgramFolder folder(contents);
        MainUnderTest main(folder);
        EXPECT_EQ(main.child<QPushButton>("CmdLoadData")->text(), words);
        auto *load = main.window.findChild<QAction *>("actionLoadData");
        ASSERT_NE(load, nullptr);
        EXPECT_EQ(load->text().remove(QLatin1Char('&')), words);
        emit main.window.findChild<QMenu *>("menuEdit")->aboutToShow();
        EXPECT_EQ(load->text().remove(QLatin1Char('&')), words);
    }
}

TEST(WindowWording, EveryLoadKindIsReadWholeInItsBox)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    main.show();
    auto *loads = main.child<QWidget>("checkLoads");
    auto *tabs = main.child<QTabWidget>("checkTabs");
    for (int page = 0; page < tabs->count(); ++page) {
        if (tabs->widget(page)->isAncestorOf(loads)) {
            tabs->setCurrentIndex(page);
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return loads->isVisible(); }));
    // The panel and its pages scroll only up and down: what is wider than a view is cut off.
    QList<const QWidget *> views;
    for (const char *name : {"checkPanelScrollArea", "checkLoadsPage"}) {
        views << main.window.findChild<QScrollArea *>(QLatin1String(name))->viewport();
    }
    QTest::qWait(100); // the scroll areas settle their scroll bars once the page is shown
    for (int row = 0; row < 4; ++row) {
        auto *kind = main.child<QComboBox>(QStringLiteral("checkKind_%1").arg(row));
        ASSERT_TRUE(kind->isVisible());
        for (QWidget *part :
             {static_cast<QWidget *>(kind), main.child(QStringLiteral("checkDc_%1").arg(row)),
              main.child(QStringLiteral("checkWinding_%1").arg(row))}) {
            for (const QWidget *view : views) {
                const QRect inView(part->mapTo(view, QPoint(0, 0)), part->size());
                EXPECT_GE(inView.left(), 0) << part->objectName().toStdString();
                EXPECT_LE(inView.right(), view->width() - 1) << part->objectName().toStdString();
            }
        }
        QStyleOptionComboBox option;
        option.initFrom(kind);
        option.rect = kind->rect();
        option.frame = kind->hasFrame();
        option.editable = false;
        const QRect field = kind->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, kind);
        for (int k = 0; k < kind->count(); ++k) {
            const QString text = kind->itemText(k);
            EXPECT_GE(field.width(), kind->fontMetrics().horizontalAdvance(text))
                << "row " << row << ": " << text.toStdString();
        }
    }
}

// On the 1280 x 800 screen every tab of the panel, and of its bench page, reads whole without
// scroll arrows, and names its page in full in its tooltip.
TEST(WindowWording, EveryPanelTabReadsWholeWithoutScrolling)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    main.show();
    auto *panel = main.child<QTabWidget>("checkTabs");
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->isVisible(); }));
    QTest::qWait(100);
    auto *bench = qobject_cast<QTabWidget *>(panel->widget(panel->count() - 1));
    ASSERT_NE(bench, nullptr);
    panel->setCurrentWidget(bench);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bench->isVisible(); }));
    QTest::qWait(100);
    for (QTabWidget *tabs : {panel, bench}) {
        QTabBar *bar = tabs->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            SCOPED_TRACE(bar->tabText(i).toStdString());
            // Inside the bar, the bar inside the panel, and the caption not elided.
            EXPECT_TRUE(bar->rect().contains(bar->tabRect(i))) << bar->width();
            EXPECT_LE(bar->mapTo(main.dock(), bar->tabRect(i).topRight()).x(),
                      main.dock()->width());
            EXPECT_GE(bar->tabRect(i).width(),
                      bar->fontMetrics().horizontalAdvance(bar->tabText(i)));
            if (tabs == panel) {
                EXPECT_GT(bar->tabToolTip(i).size(), bar->tabText(i).size());
            }
        }
    }
}

TEST(WindowWording, VerdictSaysWhenTheReportsTemperatureIsBelowTheAmbient)
{
    // X, Y and Z in cm; whether the verdict adds the core's sentence at the default ambient of
    // 40 °C (the figures and the flag are the core's Verdict test).
    const std::tuple<const char *, bool> cases[] = {{"9.7", false}, {"1000", true}};
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest main(folder);
    for (const auto &[size, below] : cases) {
        SCOPED_TRACE(size);
        for (const char *name : {"TxtX", "TxtY", "TxtZ"}) {
            main.type(name, QString::fromLatin1(size));
        }
        main.click("CmdCalc");
        const QString verdict = main.child<QLabel>("checkVerdict")->text();
        EXPECT_TRUE(verdict.startsWith("Within class A")) << verdict.toStdString();
        const EngineeringChecks &checks = main.window.form()->evaluation()->checks.checks;
        const std::string sentence = belowAmbientSentence(checks.reportTemperatureC, 40);
        EXPECT_EQ(verdict.endsWith(QString::fromStdString(" " + sentence)), below)
            << verdict.toStdString();
    }
}

} // namespace
} // namespace ferrolux::testing
