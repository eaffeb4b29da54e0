// At QT_SCALE_FACTOR=2 on a 1280 x 1024 screen (640 x 512 in the window's own units) the main
// window stays on the screen and every control of the form is reached through its scroll area
// rather than cut off. Run with that factor and screen (see CMakeLists.txt).

#include "calculator_window.h"
#include "main_window.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace ferrolux::testing {
namespace {

bool reachable(QScrollArea *scroll, QWidget *control)
{
    const QPoint at = control->mapTo(scroll->widget(), QPoint(0, 0));
    scroll->ensureVisible(at.x() + control->width() / 2, at.y() + control->height() / 2,
                          control->width() / 2 + 1, control->height() / 2 + 1);
    const QRect inView(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
    return scroll->viewport()->rect().contains(inView);
}

TEST(HighDpi, FormReachedThroughTheScrollAreaAtDoubleScale)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(screen->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    ASSERT_EQ(screen->geometry().size(), QSize(640, 512));

    ProgramFolder folder;
    folder.writeExample();
    MainWindow window(folder.path());
    window.form()->setQuitFunction([](int) {});
    window.load();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_TRUE(screen->availableGeometry().contains(window.frameGeometry()))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    QScrollArea *scroll = window.formScrollArea();
    // The form does not fit at this scale, so the area must scroll both ways.
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
    int checked = 0;
    for (QWidget *control : window.form()->findChildren<QWidget *>()) {
        if ((qobject_cast<QLineEdit *>(control) || qobject_cast<QAbstractButton *>(control)) &&
            control->isVisible()) {
            EXPECT_TRUE(reachable(scroll, control)) << control->objectName().toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
}

} // namespace
} // namespace ferrolux::testing
