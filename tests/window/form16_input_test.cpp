// The calculator window's inputs: secondary rows, type selection, Clear Data, refusals of
// Calculate, select-on-focus and quick help.

#include "secondary_rows.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <variant>

namespace ferrolux::testing {
namespace {

TEST(Form16Rows, CountTextDecidesTheVisibleRows)
{
    const std::pair<const char *, int> cases[] = {
        {"2", 2},   {"0", 0},   {"", 0},    {"abc", 0},  {"-1", 0},    {"99", 6},
        {"2.5", 2}, {"3.5", 4}, {"1e9", 6}, {"-1e9", 0}, {"1e999", 6}, {" -1e999", 0}};
    ProgramFolder folder;
    WindowUnderTest window(folder);
    for (const auto &[count, rows] : cases) {
        window.setText("TxtNoSec", "5"); // so that every case is a change
        window.setText("TxtNoSec", count);
        EXPECT_EQ(window.visibleRows(), rows) << count;
    }
    EXPECT_EQ(visibleSecondaryRows("32768"), 6);
    EXPECT_EQ(visibleSecondaryRows("-32768"), 0);
}

TEST(Form16Rows, RowsFollowEveryKeystrokeAndKeepTheirTexts)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.setText("TxtSec1V_5", "12.6");
    auto *count = window.child<QLineEdit>("TxtNoSec");
    count->setText("3");
    count->clear();
    EXPECT_EQ(window.visibleRows(), 0);
    QTest::keyClick(count, Qt::Key_1);
    EXPECT_EQ(window.visibleRows(), 1);
    QTest::keyClick(count, Qt::Key_2);
    EXPECT_EQ(window.visibleRows(), 6);
    EXPECT_EQ(window.text("TxtSec1V_5"), "12.6");
}

TEST(Form16Types, SelectingATypeShowsItsPictureAndDimensionFields)
{
    ProgramFolder folder;
    folder.writeExample(true);
    WindowUnderTest window(folder);
    auto *image = window.child<QLabel>("Image1");
    const char *const options[] = {"OpType1", "OpMil", "OpType2", "OpMil", "OpType3"};
    for (const char *option : options) {
        window.click(option);
        const int n = option == QStringLiteral("OpMil") ? 4 : option[6] - '0';
        for (const char *name : {"TxtA", "TxtB", "TxtC"}) {
            EXPECT_EQ(window.child(name)->isHidden(), n == 4) << option << name;
        }
        for (const char *caption : {"Text73", "Text75", "Text79", "Text81"}) {
            EXPECT_FALSE(window.child(caption)->isHidden()) << option << caption;
        }
        EXPECT_FALSE(image->isHidden());
        const QImage expected(folder.path() + QStringLiteral("Transformer-%1.jpg").arg(n));
        EXPECT_EQ(image->pixmap().toImage().pixel(8, 8), expected.pixel(8, 8)) << option;
    }
}

TEST(Form16Types, MissingPictureIsNamedInTheImageArea)
{
    ProgramFolder folder; // no pictures
    WindowUnderTest window(folder);
    window.click("OpType2");
    auto *image = window.child<QLabel>("Image1");
    EXPECT_FALSE(image->isHidden());
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_TRUE(image->text().contains("Transformer-2.jpg"));
}

TEST(Form16Clear, ResetsTheInputsAndLeavesTheRest)
{
    ProgramFolder folder;
    folder.writeExample(true);
    WindowUnderTest window(folder);
    window->Form_Load();
    window.click("OpMil");
    window.click("CmdCalc");
    ASSERT_FALSE(window.reportLines().empty());
    window.setText("TxtNoSec", "3");

    window.click("CmdClr");
    QStringList expected(inputFieldNames().size(), QString());
    expected[0] = "117.0";
    expected[2] = "6";
    QStringList texts;
    for (const QString &name : inputFieldNames()) {
        texts << window.text(name);
    }
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(window.visibleRows(), 6);
    EXPECT_TRUE(window.checkedTypes().isEmpty());
    EXPECT_TRUE(window.child("Image1")->isHidden());
    EXPECT_TRUE(window.child("TxtA")->isHidden()); // as the potted type left it
    EXPECT_TRUE(window.reportLines().empty());
    EXPECT_EQ(window.child<QCheckBox>("ChkLoading")->checkState(), Qt::Checked);
    EXPECT_EQ(window->OCPPDis, 2.5);

    window.click("OpType1");
    EXPECT_FALSE(window.child("Image1")->isHidden());
    EXPECT_FALSE(window.child("TxtA")->isHidden());
}

TEST(Form16Calculate, RefusalKeepsTheReportExplainsAndFocusesTheField)
{
    const std::pair<const char *, const char *> cases[] = {{"TxtSec1R_1", "0"}, {"TxtPriV", ""}};
    for (const auto &[field, text] : cases) {
        ProgramFolder folder;
        folder.writeExample();
        WindowUnderTest window(folder);
        window->Form_Load();
        window.showActive();
        window.click("CmdCalc");
        const std::vector<std::string> report = window.reportLines();
        ASSERT_EQ(report.size(), 30u);

        window.setText(field, text);
        window.click("CmdCalc");
        EXPECT_EQ(window.reportLines(), report) << field;
        AnalysisInput input = exampleAnalysisInput();
        input.primaryVoltage = window.text("TxtPriV").toStdString();
        input.secondaries[1].resistance = window.text("TxtSec1R_1").toStdString();
        const AnalysisOutcome expected = analyseTransformer(input);
        ASSERT_TRUE(std::holds_alternative<Refusal>(expected));
        const QString help = window.child<QPlainTextEdit>("Txt2QuickHelp")->toPlainText();
        EXPECT_FALSE(help.isEmpty());
        EXPECT_EQ(help.toStdString(), std::get<Refusal>(expected).message);
        EXPECT_EQ(QApplication::focusWidget(), window.child(field));
        EXPECT_TRUE(window.messages.empty());
    }
}

TEST(Form16Calculate, DimensionMessageGoesThroughTheMessageFunction)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load();
    window.click("CmdCalc");
    const std::vector<std::string> report = window.reportLines();

    window.setText("TxtB", "0");
    window.click("CmdCalc");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].first, "Ferrolux");
    EXPECT_EQ(window.messages[0].second, "What kind of transformer do you have?\n"
                                         "A, B, C and D MUST all be zero or\n"
                                         "MUST ALL have nonzero values.");
    EXPECT_EQ(window.reportLines(), report);

    window.click("OpMil"); // the potted construction never asks for B and C
    window.click("CmdCalc");
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.reportLines().size(), 30u);
    EXPECT_NE(window.reportLines(), report);
}

TEST(Form16Focus, SelectsTheFirst99CharactersByTabClickOrCode)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.showActive();
    const QString entry = QString(60, QLatin1Char('1')) + QString(60, QLatin1Char('2'));
    auto *from = window.child<QLineEdit>("TxtPriV");
    auto *target = window.child<QLineEdit>("TxtPriR");
    target->setText(entry);
    const std::function<void()> ways[] = {
        [&] { QTest::keyClick(from, Qt::Key_Tab); },
        [&] { QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() / 2, 5)); },
        [&] { target->setFocus(); }};
    for (const auto &focus : ways) {
        from->setFocus();
        focus();
        ASSERT_TRUE(target->hasFocus());
        EXPECT_EQ(target->selectionStart(), 0);
        EXPECT_EQ(target->selectedText(), entry.left(99));
    }
}

TEST(Form16QuickHelp, FollowsTheMouseOverTheButtonsAndTheirFrame)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->Form_Load(); // the load button reads "Load Example"
    window.showActive();
    auto *help = window.child<QPlainTextEdit>("Txt2QuickHelp");
    auto moveOver = [&](QWidget *widget, QPoint at) {
        QTest::mouseMove(window->windowHandle(), widget->mapTo(window.form.get(), at));
    };
    const std::pair<const char *, const QString &> cases[] = {
        {"CmdCalc", window->strCmdCalc},
        {"CmdClr", window->strCmdClr},
        {"CmdLoadData", window->strCmdLoadData},
        {"CmdClose", window->strCmdClose2}};
    for (const auto &[button, text] : cases) {
        EXPECT_FALSE(text.isEmpty()) << button;
        moveOver(window.child(button), window.child(button)->rect().center());
        EXPECT_EQ(help->toPlainText(), text) << button;
        // The margin between the buttons belongs to the frame and clears the box.
        moveOver(window.child("Frame2"), QPoint(window.child("Frame2")->width() / 2, 4));
        EXPECT_EQ(help->toPlainText(), "") << button;
    }
}

} // namespace
} // namespace ferrolux::testing
