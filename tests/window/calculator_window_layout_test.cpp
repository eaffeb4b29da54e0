// The calculator window's layout: placement, the type options and the report in every style,
// and the tab order.

#include "twips.h"
#include "window_fixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace ferrolux::testing {
namespace {

// In each style: the form keeps its design size whatever it is asked to take; the type options sit
// under the frame's title and inside its lines; the worked report fills the list beyond its height
// but never beyond its width.
TEST(CalculatorWindowLayout, LoadedWindowIsPlacedAndLaidOutInEveryStyle)
{
    const QString ownStyle = QApplication::style()->name();
    for (const char *style : {"Windows", "Fusion"}) {
        SCOPED_TRACE(style);
        QApplication::setStyle(QString::fromLatin1(style));
        ProgramFolder folder;
        folder.writeExample();
        WindowUnderTest window(folder);
        window->resize(200, 100);
        window->load();
        window.showActive();

        const TwipsScale scale(window->logicalDpiX(), window->logicalDpiY());
        EXPECT_EQ(window->size(), scale.toPixels(0, 0, 11700, 7920).size());

        const auto *frame = window.child<QGroupBox>("Frame1");
        QRect above;
        for (const QRadioButton *option : frame->findChildren<QRadioButton *>()) {
            const QString name = option->objectName();
            EXPECT_TRUE(frame->contentsRect().contains(option->geometry())) << name.toStdString();
            EXPECT_FALSE(above.intersects(option->geometry())) << name.toStdString();
            above = option->geometry();
        }

        window.click("CmdCalc");
        auto *list = window.child<QListWidget>("ListOut");
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->verticalScrollBar()->isVisible(); }));
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
        list->addItem(QString(60, QLatin1Char('x'))); // wider, and not a rule: it scrolls
        EXPECT_TRUE(QTest::qWaitFor([&] { return list->horizontalScrollBar()->isVisible(); }));
        EXPECT_LE(list->font().pointSizeF(), 9.75);
        EXPECT_GE(list->font().pointSizeF(), 8.0);
    }
    QApplication::setStyle(ownStyle);
}

TEST(CalculatorWindowLayout, TabVisitsTheShownFieldsInTheirOrder)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.click("CmdClr"); // all six rows shown
    window.showActive();
    const QStringList expected =
        inputFieldNames() + QStringList{"ListOut", "Txt2QuickHelp", "OpType1",  "CmdCalc",
                                        "CmdClr",  "CmdLoadData",   "CmdClose", "ChkLoading"};
    window.child("TxtPriV")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, expected);

    window.setText("TxtNoSec", "1"); // hidden rows are skipped
    window.child("TxtSec1R_0")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "TxtX");
}

} // namespace
} // namespace ferrolux::testing
