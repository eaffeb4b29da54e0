// The calculator window's controls: placement, tab order, the loading check box and
// the size and position the load sequence gives the window.

#include "twips.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

namespace ferrolux::testing {
namespace {

TEST(Form16Layout, ControlsFitTheClientAreaWithoutOverlapping)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    EXPECT_EQ(window->windowTitle(), "Ferrolux Analysis Calculator");
    const TwipsScale scale(window->logicalDpiX(), window->logicalDpiY());
    EXPECT_EQ(window->size(), scale.toPixels(0, 0, 11700, 7920).size());
    const QList<QWidget *> controls = window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    // Three fields on each of 27 lines, two frames, the check box, picture, report and help.
    ASSERT_EQ(controls.size(), 87);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(window->rect().contains(controls[i]->geometry()));
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " and "
                << controls[j]->objectName().toStdString();
        }
    }
}

TEST(Form16Layout, TabVisitsTheShownFieldsInTheirOrder)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.click("CmdClr"); // all six rows shown
    window.showActive();
    const QStringList expected = QStringList{inputFieldNames()} << "ListOut"
                                                                << "Txt2QuickHelp"
                                                                << "OpType1"
                                                                << "CmdCalc"
                                                                << "CmdClr"
                                                                << "CmdLoadData"
                                                                << "CmdClose"
                                                                << "ChkLoading";
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

TEST(Form16Layout, LoadingCheckBoxTogglesFromItsWrappedCaption)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.showActive();
    auto *box = window.child<QCheckBox>("ChkLoading");
    EXPECT_EQ(window.child<QLabel>("ChkLoadingCaption")->text(),
              "Voltages Measured Open Circuit, Correct for Loading.");
    const QPoint onCaption(box->width() - 10, box->height() / 2);
    const std::pair<Qt::CheckState, Qt::CheckState> clicks[] = {
        {Qt::Unchecked, Qt::Checked},
        {Qt::Checked, Qt::Unchecked},
        {Qt::PartiallyChecked, Qt::Checked}};
    for (const auto &[before, after] : clicks) {
        box->setCheckState(before);
        QTest::mouseClick(box, Qt::LeftButton, {}, onCaption);
        EXPECT_EQ(box->checkState(), after) << before;
    }
}

TEST(Form16Layout, LoadSizesTheWindowToItsDesignAndCentresItOnScreen)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window->resize(200, 100);
    window->Form_Load();
    window.showActive();
    const QRect available = window->screen()->availableGeometry();
    const TwipsScale scale(window->screen()->logicalDotsPerInchX(),
                           window->screen()->logicalDotsPerInchY());
    // The test screen is larger than the design size.
    ASSERT_GE(available.width(), scale.toPixelsX(11820));
    ASSERT_GE(available.height(), scale.toPixelsY(8475));
    EXPECT_EQ(window->size(), scale.toPixels(0, 0, 11700, 7920).size());
    EXPECT_TRUE(available.contains(window->frameGeometry()));
    // Centred across, allowing for rounding and for a frame drawn unlike the design's.
    const int leftGap = window->frameGeometry().left() - available.left();
    const int rightGap = available.right() - window->frameGeometry().right();
    EXPECT_LE(std::abs(leftGap - rightGap), 12) << leftGap << " " << rightGap;
}

} // namespace
} // namespace ferrolux::testing
