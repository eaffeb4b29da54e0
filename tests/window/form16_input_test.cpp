// The calculator window's inputs: secondary rows, type selection, Clear Data, refusals of
// Calculate, select-on-focus and quick help.

#include "secondary_rows.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <variant>

namespace ferrolux::testing {
namespace {

struct RowCase
{
    const char *count;
    int rows;
};

class Form16Rows : public ::testing::TestWithParam<RowCase>
{
};

TEST_P(Form16Rows, CountTextDecidesTheVisibleRows)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.setText("TxtNoSec", "5"); // so that every case below is a change
    window.setText("TxtNoSec", GetParam().count);
    EXPECT_EQ(visibleRows(window), GetParam().rows) << GetParam().count;
}

INSTANTIATE_TEST_SUITE_P(Counts, Form16Rows,
                         ::testing::Values(RowCase{"2", 2}, RowCase{"0", 0}, RowCase{"", 0},
                                           RowCase{"abc", 0}, RowCase{"-1", 0}, RowCase{"99", 6},
                                           RowCase{"2.5", 2}, RowCase{"3.5", 4}, RowCase{"6", 6},
                                           RowCase{"1e9", 6}, RowCase{"-1e9", 0},
                                           RowCase{"1e999", 6}, RowCase{" -1e999", 0}));

TEST(Form16Rows, RowsFollowEveryKeystroke)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    QLineEdit *count = window.field("TxtNoSec");
    window.setText("TxtNoSec", "3");
    count->clear();
    EXPECT_EQ(visibleRows(window), 0);
    QTest::keyClick(count, Qt::Key_1);
    EXPECT_EQ(visibleRows(window), 1);
    QTest::keyClick(count, Qt::Key_2);
    EXPECT_EQ(count->text(), "12");
    EXPECT_EQ(visibleRows(window), 6);
}

TEST(Form16Rows, HiddenRowsKeepTheirTexts)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.setText("TxtSec1V_5", "12.6");
    window.setText("TxtSec1R_4", "0.3");
    window.setText("TxtNoSec", "1");
    window.setText("TxtNoSec", "6");
    EXPECT_EQ(window.text("TxtSec1V_5"), "12.6");
    EXPECT_EQ(window.text("TxtSec1R_4"), "0.3");
}

// Only the bounds decided for counts beyond the 16-bit range, not reachable from the table
// above through the window.
TEST(SecondaryRowCount, CountsBeyondSixteenBitsShowAllOrNone)
{
    EXPECT_EQ(visibleSecondaryRows("32767"), 6);
    EXPECT_EQ(visibleSecondaryRows("32768"), 6);
    EXPECT_EQ(visibleSecondaryRows("-32768"), 0);
    EXPECT_EQ(visibleSecondaryRows("-40000"), 0);
    EXPECT_EQ(visibleSecondaryRows("\t-9e999"), 0);
    EXPECT_EQ(visibleSecondaryRows("5.5"), 6);
    EXPECT_EQ(visibleSecondaryRows("0.5"), 0);
    EXPECT_EQ(visibleSecondaryRows("1.5abc"), 2);
}

struct TypeCase
{
    const char *option;
    const char *picture;
    bool abcShown;
};

class Form16Types : public ::testing::TestWithParam<TypeCase>
{
};

TEST_P(Form16Types, SelectingATypeShowsItsPictureAndDimensionFields)
{
    const TypeCase &type = GetParam();
    ProgramFolder folder;
    folder.writePictures();
    WindowUnderTest window(folder);
    // Start from the opposite visibility of A, B and C.
    QTest::mouseClick(window.child<QRadioButton>(type.abcShown ? "OpMil" : "OpType1"),
                      Qt::LeftButton);
    QTest::mouseClick(window.child<QRadioButton>(type.option), Qt::LeftButton);

    EXPECT_TRUE(window.child<QRadioButton>(type.option)->isChecked());
    for (const char *name : {"TxtA", "TxtB", "TxtC"}) {
        EXPECT_EQ(!window.field(name)->isHidden(), type.abcShown) << name;
    }
    for (const char *caption : {"Text73", "Text75", "Text76", "Text78", "Text79", "Text81"}) {
        EXPECT_FALSE(window.child<QWidget>(caption)->isHidden()) << caption;
    }
    auto *image = window.child<QLabel>("Image1");
    EXPECT_FALSE(image->isHidden());
    const QImage expected(folder.path() + type.picture);
    ASSERT_FALSE(image->pixmap().isNull());
    EXPECT_EQ(image->pixmap().toImage().pixel(8, 8), expected.pixel(8, 8));
}

INSTANTIATE_TEST_SUITE_P(Types, Form16Types,
                         ::testing::Values(TypeCase{"OpType1", "Transformer-1.jpg", true},
                                           TypeCase{"OpType2", "Transformer-2.jpg", true},
                                           TypeCase{"OpType3", "Transformer-3.jpg", true},
                                           TypeCase{"OpMil", "Transformer-4.jpg", false}));

TEST(Form16Types, MissingPictureIsNamedInTheImageArea)
{
    ProgramFolder folder; // no pictures
    WindowUnderTest window(folder);
    QTest::mouseClick(window.child<QRadioButton>("OpType2"), Qt::LeftButton);
    auto *image = window.child<QLabel>("Image1");
    EXPECT_FALSE(image->isHidden());
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_TRUE(image->text().contains("Transformer-2.jpg")) << image->text().toStdString();
}

TEST(Form16Clear, ResetsTheInputsAndLeavesTheRest)
{
    ProgramFolder folder;
    folder.writeExample();
    folder.writePictures();
    WindowUnderTest window(folder);
    window->Form_Load();
    QTest::mouseClick(window.child<QRadioButton>("OpMil"), Qt::LeftButton);
    QTest::mouseClick(window.child<QPushButton>("CmdCalc"), Qt::LeftButton);
    ASSERT_FALSE(window.reportLines().empty());
    window.setText("TxtNoSec", "3");
    window.child<QPlainTextEdit>("Txt2QuickHelp")->setPlainText("kept");

    QTest::mouseClick(window.child<QPushButton>("CmdClr"), Qt::LeftButton);

    EXPECT_EQ(window.text("TxtPriV"), "117.0");
    EXPECT_EQ(window.text("TxtPriR"), "");
    EXPECT_EQ(window.text("TxtNoSec"), "6");
    EXPECT_EQ(visibleRows(window), 6);
    for (int k = 0; k < 6; ++k) {
        for (const char *family : {"TxtSec1V", "TxtSec1I", "TxtSec1R"}) {
            EXPECT_EQ(window.text(member(family, k)), "") << family << k;
        }
    }
    for (const char *name : {"TxtX", "TxtY", "TxtZ", "TxtA", "TxtB", "TxtC"}) {
        EXPECT_EQ(window.text(name), "") << name;
    }
    for (const char *option : {"OpType1", "OpType2", "OpType3", "OpMil"}) {
        EXPECT_FALSE(window.child<QRadioButton>(option)->isChecked()) << option;
    }
    EXPECT_TRUE(window.child<QLabel>("Image1")->isHidden());
    EXPECT_TRUE(window.field("TxtA")->isHidden()); // as the potted type left it
    EXPECT_TRUE(window.reportLines().empty());
    EXPECT_EQ(window.child<QCheckBox>("ChkLoading")->checkState(), Qt::Checked);
    EXPECT_EQ(window.child<QPushButton>("CmdLoadData")->text(), "Load Example");
    EXPECT_EQ(window.child<QPlainTextEdit>("Txt2QuickHelp")->toPlainText(), "kept");
    EXPECT_EQ(window->OCPPDis, 2.5);

    // The next type selection brings back the picture and, for a non-potted type, A to C.
    QTest::mouseClick(window.child<QRadioButton>("OpType1"), Qt::LeftButton);
    EXPECT_FALSE(window.child<QLabel>("Image1")->isHidden());
    EXPECT_FALSE(window.field("TxtA")->isHidden());
}

struct RefusalCase
{
    const char *field;
    const char *text;
    const char *focused; // the field Calculate points the user to
};

class Form16Refusals : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(Form16Refusals, KeepTheReportExplainAndFocusTheField)
{
    const RefusalCase &refusal = GetParam();
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load();
    window.showActive();
    QTest::mouseClick(window.child<QPushButton>("CmdCalc"), Qt::LeftButton);
    const std::vector<std::string> report = window.reportLines();
    ASSERT_EQ(report.size(), 30u);

    window.setText(refusal.field, refusal.text);
    QTest::mouseClick(window.child<QPushButton>("CmdCalc"), Qt::LeftButton);

    EXPECT_EQ(window.reportLines(), report);
    AnalysisInput input = exampleAnalysisInput();
    input.primaryVoltage = window.text("TxtPriV").toStdString();
    input.secondaryCount = window.text("TxtNoSec").toStdString();
    input.secondaries[0].voltage = window.text("TxtSec1V_0").toStdString();
    input.secondaries[1].resistance = window.text("TxtSec1R_1").toStdString();
    const AnalysisOutcome expected = analyseTransformer(input);
    ASSERT_TRUE(std::holds_alternative<Refusal>(expected));
    const QString help = window.child<QPlainTextEdit>("Txt2QuickHelp")->toPlainText();
    EXPECT_FALSE(help.isEmpty());
    EXPECT_EQ(help.toStdString(), std::get<Refusal>(expected).message);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), refusal.focused);
    EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Refusals, Form16Refusals,
                         ::testing::Values(RefusalCase{"TxtSec1R_1", "0", "TxtSec1R_1"},
                                           RefusalCase{"TxtPriV", "", "TxtPriV"},
                                           RefusalCase{"TxtSec1V_0", "abc", "TxtSec1V_0"}));

TEST(Form16Refusals, DimensionMessageGoesThroughTheMessageFunction)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load();
    QTest::mouseClick(window.child<QPushButton>("CmdCalc"), Qt::LeftButton);
    const std::vector<std::string> report = window.reportLines();

    window.setText("TxtB", "0");
    QTest::mouseClick(window.child<QPushButton>("CmdCalc"), Qt::LeftButton);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].first, "Ferrolux");
    EXPECT_EQ(window.messages[0].second, "What kind of transformer do you have?\n"
                                         "A, B, C and D MUST all be zero or\n"
                                         "MUST ALL have nonzero values.");
    EXPECT_EQ(window.reportLines(), report);

    // The potted construction never asks for B and C.
    QTest::mouseClick(window.child<QRadioButton>("OpMil"), Qt::LeftButton);
    QTest::mouseClick(window.child<QPushButton>("CmdCalc"), Qt::LeftButton);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.reportLines().size(), 30u);
    EXPECT_NE(window.reportLines(), report);
}

enum class FocusBy { Tab, Click, Code };

class Form16SelectOnFocus : public ::testing::TestWithParam<FocusBy>
{
};

TEST_P(Form16SelectOnFocus, SelectsTheFirst99Characters)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.showActive();
    const QString entry = QString(60, QLatin1Char('1')) + QString(60, QLatin1Char('2'));
    QLineEdit *target = window.field("TxtPriR");
    target->setText(entry);
    window.field("TxtPriV")->setFocus();

    switch (GetParam()) {
    case FocusBy::Tab:
        QTest::keyClick(window.field("TxtPriV"), Qt::Key_Tab);
        break;
    case FocusBy::Click:
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() / 2, 5));
        break;
    case FocusBy::Code:
        target->setFocus();
        break;
    }
    ASSERT_TRUE(target->hasFocus());
    EXPECT_EQ(target->selectionStart(), 0);
    EXPECT_EQ(target->selectedText(), entry.left(99));
}

INSTANTIATE_TEST_SUITE_P(Ways, Form16SelectOnFocus,
                         ::testing::Values(FocusBy::Tab, FocusBy::Click, FocusBy::Code));

TEST(Form16QuickHelp, FollowsTheMouseOverTheButtonsAndTheirFrame)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load(); // the load button reads "Load Example"
    window.showActive();
    auto *help = window.child<QPlainTextEdit>("Txt2QuickHelp");
    auto *frame = window.child<QWidget>("Frame2");
    auto moveOver = [&](QWidget *widget, QPoint at) {
        QTest::mouseMove(window->windowHandle(), widget->mapTo(window.form.get(), at));
    };
    auto moveOverButton = [&](const char *name) {
        auto *button = window.child<QWidget>(name);
        moveOver(button, button->rect().center());
    };

    const struct
    {
        const char *button;
        const QString &help;
    } cases[] = {{"CmdCalc", window->strCmdCalc},
                 {"CmdClr", window->strCmdClr},
                 {"CmdLoadData", window->strCmdLoadData},
                 {"CmdClose", window->strCmdClose2}};
    for (const auto &c : cases) {
        EXPECT_FALSE(c.help.isEmpty()) << c.button;
        moveOverButton(c.button);
        EXPECT_EQ(help->toPlainText(), c.help) << c.button;
        // The margin between the buttons belongs to the frame and clears the box.
        moveOver(frame, QPoint(frame->width() / 2, 4));
        EXPECT_EQ(help->toPlainText(), "") << c.button;
    }
}

} // namespace
} // namespace ferrolux::testing
