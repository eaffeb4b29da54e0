// The main window by keyboard and on small screens: the first field has the focus at start,
// Tab and its variants leave the models table, every tab stop shows that it has the focus, the
// form's report and the models table stay in view with the panel shown on a 1024 x 768 screen,
// a refusal is scrolled into view on a 640 x 480 one, and a refused character's message clears
// on the next edit.

#include "check_panel.h"
#include "window_fixture.h"

#include <QScrollArea>
#include <QTabBar>

namespace ferrolux::testing {
namespace {

// A main window on the named screen, shown and active, with the worked example.
struct ActiveMain : ProgramFolder, MainUnderTest
{
    explicit ActiveMain(const char *screen)
        : ProgramFolder(ProgramFolder::Example), MainUnderTest(*this, screen)
    {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void showPanel()
    {
        if (dock()->isHidden()) {
            trigger("actionCheckPanel");
        }
        QApplication::processEvents();
        window.layout()->activate();
        QApplication::processEvents();
    }
    QString focused() const
    {
        const QWidget *widget = QApplication::focusWidget();
        return widget ? widget->objectName() : QStringLiteral("(none)");
    }
};

// The part of a widget the user sees, in the window's coordinates: its rect cut by every
// ancestor's (a scroll area's viewport among them).
QRect shownPart(const QWidget *widget)
{
    const QWidget *window = widget->window();
    QRect shown(widget->mapTo(window, QPoint(0, 0)), widget->size());
    for (const QWidget *parent = widget->parentWidget(); parent && parent != window;
         parent = parent->parentWidget()) {
        shown &= QRect(parent->mapTo(window, QPoint(0, 0)), parent->size());
    }
    return shown & window->rect();
}

// The widget and a few pixels round it, as the window shows them: a focus frame drawn beside
// the widget counts.
QImage lookOf(QWidget *widget)
{
    QWidget *window = widget->window();
    const QRect around =
        QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()).adjusted(-4, -4, 4, 4);
    return window->grab(around).toImage();
}

// Scrolls every scroll area around `stop` so that the part bearing its focus mark is shown, as
// a scroll area does when Tab reaches a child (a tab bar marks its current tab).
void bringIntoView(QWidget *stop)
{
    QRect mark = stop->rect();
    if (auto *bar = qobject_cast<QTabBar *>(stop)) {
        mark = bar->tabRect(bar->currentIndex());
    }
    for (QWidget *p = stop->parentWidget(); p != nullptr; p = p->parentWidget()) {
        auto *area = qobject_cast<QScrollArea *>(p);
        if (area != nullptr && area->widget() != nullptr && area->widget()->isAncestorOf(stop)) {
            const QPoint centre = stop->mapTo(area->widget(), mark.center());
            area->ensureVisible(centre.x(), centre.y(), mark.width() / 2 + 4,
                                mark.height() / 2 + 4);
        }
    }
    QApplication::processEvents();
}

TEST(Keyboard, TheFirstFieldHasTheFocusAtStart)
{
    for (const char *screen : {"xga", "small"}) {
        SCOPED_TRACE(screen);
        ActiveMain w(screen);
        EXPECT_EQ(w.focused(), QStringLiteral("TxtPriV"));
        // Typing at once goes into it.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        EXPECT_TRUE(w.child<QLineEdit>("TxtPriV")->text().endsWith(QLatin1Char('5')));
    }
}

TEST(Keyboard, TabAndItsVariantsLeaveTheModelsTable)
{
    const std::pair<const char *, Qt::KeyboardModifiers> keys[] = {
        {"Tab", Qt::NoModifier},
        {"Shift+Tab", Qt::ShiftModifier},
        {"Ctrl+Tab", Qt::ControlModifier},
        {"Ctrl+Shift+Tab", Qt::ControlModifier | Qt::ShiftModifier},
    };
    ActiveMain w("xga");
    w.showPanel();
    w.click("CmdCalc");
    auto *models = w.child<QTableWidget>("checkModels");
    for (const auto &[name, modifiers] : keys) {
        SCOPED_TRACE(name);
        models->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(w.focused(), QStringLiteral("checkModels"));
        const Qt::Key key = (modifiers & Qt::ShiftModifier) ? Qt::Key_Backtab : Qt::Key_Tab;
        QTest::keyClick(models, key, modifiers);
        EXPECT_NE(w.focused(), QStringLiteral("checkModels"));
    }
}

TEST(Keyboard, EveryTabStopShowsAFocusMark)
{
    // Before a Calculate the report and the help box are empty: no current item or cursor of
    // their own shows the focus.
    for (const bool calculated : {false, true}) {
        SCOPED_TRACE(calculated ? "calculated" : "empty outputs");
        ActiveMain w("xga");
        w.showPanel();
        if (calculated) {
            w.click("CmdCalc");
        }
        // The tab chain from the first field, by Tab, until it comes round again.
        std::vector<QWidget *> stops;
        w.child<QLineEdit>("TxtPriV")->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 200; ++i) {
            QWidget *now = QApplication::focusWidget();
            ASSERT_NE(now, nullptr);
            if (!stops.empty() && now == stops.front()) {
                break;
            }
            stops.push_back(now);
            QTest::keyClick(now, Qt::Key_Tab);
        }
        EXPECT_GT(stops.size(), 20u);
        // Each stop looks different with the focus than without it.
        QWidget *elsewhere = stops.front();
        for (QWidget *stop : stops) {
            if (stop == elsewhere) {
                continue;
            }
            SCOPED_TRACE(stop->objectName().toStdString() + " " + stop->metaObject()->className());
            stop->setFocus(Qt::TabFocusReason);
            bringIntoView(stop);
            const QImage focused = lookOf(stop);
            elsewhere->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            EXPECT_NE(focused, lookOf(stop));
        }
    }
}

TEST(SmallScreens, WithThePanelShownTheReportAndTheModelsStayInView)
{
    ActiveMain w("xga");
    w.showPanel();
    w.click("CmdCalc");
    ASSERT_TRUE(w.dock()->isVisible());
    // The form keeps its whole width: the report and the message below it are in view.
    for (const char *name : {"ListOut", "Txt2QuickHelp"}) {
        SCOPED_TRACE(name);
        const QWidget *widget = w.child(QLatin1String(name));
        EXPECT_EQ(shownPart(widget).size(), widget->size());
    }
    // The panel takes the rest of the screen's width and scrolls; the window stays on screen.
    const QRect screen = w.window.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.window.frameGeometry())) << w.window.frameGeometry().width();
    EXPECT_GT(shownPart(w.child("checkModels")).width(), 150);
    // Every row of the models table has its full height inside the table.
    auto *models = w.child<QTableWidget>("checkModels");
    for (int row = 0; row < models->rowCount(); ++row) {
        const QRect cell = models->visualRect(models->model()->index(row, 0));
        EXPECT_TRUE(models->viewport()->rect().contains(cell)) << row;
    }
}

TEST(SmallScreens, ARefusalIsScrolledIntoViewAndARefusedCharactersMessageClears)
{
    ActiveMain w("small");
    auto *help = w.child<QPlainTextEdit>("Txt2QuickHelp");
    // A character the file cannot store: said in the help box, gone on the next edit, on
    // Calculate and on Load, like every other message there.
    const std::pair<const char *, std::function<void()>> clearers[] = {
        {"next edit", [&] { w.type("TxtPriR", QStringLiteral("2")); }},
        {"Calculate", [&] { w.click("CmdCalc"); }},
        {"Load", [&] { w.trigger("actionLoadData"); }},
    };
    for (const auto &[what, clear] : clearers) {
        SCOPED_TRACE(what);
        auto *field = w.child<QLineEdit>("TxtPriR");
        field->setFocus();
        // A key that types the euro sign, as a European keyboard sends it.
        QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("€"));
        QApplication::sendEvent(field, &euro);
        ASSERT_TRUE(help->toPlainText().contains(QStringLiteral("cannot hold")));
        clear();
        EXPECT_FALSE(help->toPlainText().contains(QStringLiteral("cannot hold")));
    }

    // Scrolled to the top left, then a refusal of the primary voltage.
    w.formScroll()->horizontalScrollBar()->setValue(0);
    w.formScroll()->verticalScrollBar()->setValue(0);
    w.type("TxtPriV", QStringLiteral("0"));
    w.click("CmdCalc");
    ASSERT_FALSE(help->toPlainText().isEmpty());
    EXPECT_EQ(shownPart(help).size(), help->size());
}

} // namespace
} // namespace ferrolux::testing
