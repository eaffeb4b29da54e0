// The calculator window's controls: names, captions, kinds of field, placement, tab order and
// the loading check box.

#include "twips.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

namespace ferrolux::testing {
namespace {

struct Caption
{
    const char *name;
    const char *text;
    Qt::Alignment alignment;
};

class Form16Captions : public ::testing::TestWithParam<Caption>
{
};

TEST_P(Form16Captions, AreBorderlessLabelsOutsideTheTabOrder)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    auto *caption = window.child<QLabel>(GetParam().name);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), GetParam().text);
    EXPECT_EQ(caption->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(caption->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(caption->autoFillBackground());
    // The whole caption is readable in the window's font.
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
    EXPECT_EQ(caption->alignment() & Qt::AlignHorizontal_Mask, GetParam().alignment);
    EXPECT_EQ(
        caption->height(),
        TwipsScale(window->logicalDpiX(), window->logicalDpiY()).toPixels(0, 0, 0, 285).height());
}

INSTANTIATE_TEST_SUITE_P(
    Captions, Form16Captions,
    ::testing::Values(
        Caption{"Text1", "Primary voltage", Qt::AlignRight},
        Caption{"Text4", "Primary Resistance", Qt::AlignRight},
        Caption{"Text7", "Number of Secondayies", Qt::AlignRight},
        Caption{"Text9", "", Qt::AlignLeft}, Caption{"Text6", "Ohms", Qt::AlignLeft},
        Caption{"Text10_0", "Secondary 1 Voltage", Qt::AlignRight},
        Caption{"Text13_3", "Secondary 4 Current", Qt::AlignRight},
        Caption{"Text16_5", "Secondary 6 Resistance", Qt::AlignRight},
        Caption{"Text12_4", "Volts", Qt::AlignLeft}, Caption{"Text15_1", "Amps", Qt::AlignLeft},
        Caption{"Text18_2", "Ohms", Qt::AlignLeft}, Caption{"Text64", "X", Qt::AlignRight},
        Caption{"Text79", "C", Qt::AlignRight}, Caption{"Text81", "cm", Qt::AlignLeft}));

TEST(Form16Controls, CarryTheirCaptions)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    EXPECT_EQ(window->windowTitle(), "Ferrolux Analysis Calculator");
    EXPECT_EQ(window.child<QGroupBox>("Frame1")->title(), "Trensformer Type");
    EXPECT_EQ(window.child<QGroupBox>("Frame2")->title(), "");
    const struct
    {
        const char *name;
        const char *caption;
    } buttons[] = {{"OpType1", "Unshieleded"},        {"OpType2", "Shielded Top Mount"},
                   {"OpType3", "Shielded Sub Mount"}, {"OpMil", "Military, Potted"},
                   {"CmdCalc", "Calculate"},          {"CmdClr", "Clear Data"},
                   {"CmdLoadData", "Load Last Run"},  {"CmdClose", "Close"}};
    for (const auto &button : buttons) {
        EXPECT_EQ(window.child<QAbstractButton>(button.name)->text(), button.caption);
    }
    EXPECT_EQ(window.child<QLabel>("ChkLoadingCaption")->text(),
              "Voltages Measured Open Circuit, Correct for Loading.");
    EXPECT_TRUE(window.child<QPlainTextEdit>("Txt2QuickHelp")->isReadOnly());
}

TEST(Form16Controls, FitTheClientAreaWithoutOverlapping)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    const TwipsScale scale(window->logicalDpiX(), window->logicalDpiY());
    EXPECT_EQ(window->size(), scale.toPixels(0, 0, 11700, 7920).size());

    // Every top-level control of the window, mapped into window coordinates.
    std::vector<QWidget *> controls;
    for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        controls.push_back(child);
    }
    // 3 primary lines, 18 secondary lines and 6 dimension lines of three fields each, then the
    // two frames, the check box, the picture, the report and the quick-help box.
    ASSERT_EQ(controls.size(), 87u);
    for (QWidget *control : controls) {
        EXPECT_TRUE(window->rect().contains(control->geometry()))
            << control->objectName().toStdString();
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " and "
                << controls[j]->objectName().toStdString();
        }
    }
}

TEST(Form16Controls, TabVisitsTheFieldsInTheirOrder)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window->CmdClr_Click(); // all six rows shown
    window.showActive();
    QStringList expected{"TxtPriV", "TxtPriR", "TxtNoSec"};
    for (int k = 0; k < 6; ++k) {
        expected << member("TxtSec1V", k) << member("TxtSec1I", k) << member("TxtSec1R", k);
    }
    expected << "TxtX"
             << "TxtY"
             << "TxtZ"
             << "TxtA"
             << "TxtB"
             << "TxtC"
             << "ListOut"
             << "Txt2QuickHelp"
             << "OpType1"
             << "CmdCalc"
             << "CmdClr"
             << "CmdLoadData"
             << "CmdClose"
             << "ChkLoading"
             << "TxtPriV";

    window.field("TxtPriV")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, expected);
}

TEST(Form16Controls, HiddenRowsAreLeftOutOfTheTabOrder)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.setText("TxtNoSec", "1");
    window.showActive();
    window.field("TxtSec1R_0")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "TxtX");
}

TEST(Form16Controls, LoadingCheckBoxTogglesFromItsCaption)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.showActive();
    auto *box = window.child<QCheckBox>("ChkLoading");
    const QPoint onCaption(box->width() - 10, box->height() / 2);
    const Qt::CheckState sequence[][2] = {{Qt::Unchecked, Qt::Checked},
                                          {Qt::Checked, Qt::Unchecked},
                                          {Qt::PartiallyChecked, Qt::Checked}};
    for (const auto &step : sequence) {
        box->setCheckState(step[0]);
        QTest::mouseClick(box, Qt::LeftButton, {}, onCaption);
        EXPECT_EQ(box->checkState(), step[1]) << step[0];
    }
}

TEST(Form16Placement, LoadSizesTheWindowToItsDesignAndKeepsItOnScreen)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->resize(200, 100);
    window->Form_Load();
    window.showActive();

    const QRect available = window->screen()->availableGeometry();
    const TwipsScale scale(window->screen()->logicalDotsPerInchX(),
                           window->screen()->logicalDotsPerInchY());
    const QSize design = scale.toPixels(0, 0, 11700, 7920).size();
    if (available.width() >= scale.toPixelsX(11820) &&
        available.height() >= scale.toPixelsY(8475)) {
        EXPECT_EQ(window->size(), design);
        // Centred across the screen, allowing for the rounding of twips to pixels and for a
        // frame that the platform may draw differently from the design's.
        const int leftGap = window->frameGeometry().left() - available.left();
        const int rightGap = available.right() - window->frameGeometry().right();
        EXPECT_LE(std::abs(leftGap - rightGap), 12) << leftGap << " " << rightGap;
    } else {
        EXPECT_LE(window->width(), design.width());
        EXPECT_LE(window->height(), design.height());
    }
    EXPECT_TRUE(available.contains(window->frameGeometry()));
}

} // namespace
} // namespace ferrolux::testing
