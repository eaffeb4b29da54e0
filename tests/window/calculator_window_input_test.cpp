// The calculator window's inputs: secondary rows, the potted type, Clear Data, refusals of
// Calculate, select-on-focus and quick help.

#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <tuple>

namespace ferrolux::testing {
namespace {

QString quickHelp(const WindowUnderTest &window)
{
    return window.child<QPlainTextEdit>("Txt2QuickHelp")->toPlainText();
}

TEST(CalculatorWindowRows, CountTextDecidesTheVisibleRows)
{
    const std::pair<const char *, int> cases[] = {{"2", 2},  {"0", 0},  {"", 0},    {"abc", 0},
                                                  {"-1", 0}, {"99", 6}, {"2.5", 2}, {"3.5", 4}};
    ProgramFolder folder;
    WindowUnderTest window(folder);
    for (const auto &[count, rows] : cases) {
        window.setText("TxtNoSec", "5"); // so that every case is a change
        window.setText("TxtNoSec", count);
        EXPECT_EQ(window.visibleRows(), rows) << count;
    }
    // Typed key by key, "12" shows one row after the "1" and all six after the "2".
    window.setText("TxtNoSec", "");
    for (const auto &[key, rows] : {std::pair{Qt::Key_1, 1}, std::pair{Qt::Key_2, 6}}) {
        QTest::keyClick(window.child("TxtNoSec"), key);
        EXPECT_EQ(window.visibleRows(), rows) << window.text("TxtNoSec").toStdString();
    }
}

TEST(CalculatorWindowTypes, PottedHidesOnlyTheABCInputFields)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    const QStringList abc{"TxtA", "TxtB", "TxtC"};
    const QStringList rest{"TxtX",   "TxtY",   "TxtZ",   "Text73", "Text75",
                           "Text76", "Text78", "Text79", "Text81"};
    for (const char *option : {"OpMil", "OpType1", "OpMil", "OpType2", "OpType3"}) {
        window.click(option);
        const bool potted = QLatin1String(option) == "OpMil";
        for (const QString &name : abc + rest) {
            EXPECT_EQ(window.child(name)->isHidden(), potted && abc.contains(name))
                << option << " " << name.toStdString();
        }
    }
}

TEST(CalculatorWindowClear, ResetsTheInputsTypeAndReportAfterThePottedType)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->load();
    window.click("OpMil");
    window.click("CmdCalc");
    ASSERT_FALSE(window.reportLines().empty());

    window.click("CmdClr");
    QStringList expected(inputFieldNames().size(), QString());
    expected[0] = "117.0";
    expected[2] = "6";
    EXPECT_EQ(window.fieldTexts(), expected);
    EXPECT_EQ(window.visibleRows(), 6);
    EXPECT_TRUE(window.checkedTypes().isEmpty());
    EXPECT_TRUE(window.child("Image1")->isHidden());
    EXPECT_TRUE(window.child("TxtA")->isHidden()); // as the potted type left it
    EXPECT_TRUE(window.reportLines().empty());
    EXPECT_EQ(window.child<QCheckBox>("ChkLoading")->checkState(), Qt::Checked);
}

TEST(CalculatorWindowCalculate, RefusalKeepsTheReportAndTellsWhy)
{
    // Field, its new text, and the reason in the quick-help box (focus going to the field) or
    // the text of the message box.
    const std::tuple<const char *, const char *, QString, QString> cases[] = {
        {"TxtSec1R_1", "0", "Secondary 2 Resistance is zero, empty or not a number.", ""},
        {"TxtPriV", "", "Primary voltage is zero, empty or not a number.", ""},
        {"TxtPriR", "abc", "Primary resistance is zero, empty or not a number.", ""},
        {"TxtB", "0", "",
         "What kind of transformer do you have?\nA, B, C and D MUST all be zero or\n"
         "MUST ALL have nonzero values."},
    };
    for (const auto &[field, text, help, message] : cases) {
        SCOPED_TRACE(field);
        ProgramFolder folder;
        folder.writeExample();
        WindowUnderTest window(folder);
        window->load();
        window.showActive();
        window.click("CmdCalc");
        const std::vector<std::string> report = window.reportLines();
        ASSERT_EQ(report.size(), 30u);

        window.setText(field, text);
        window.click("CmdCalc");
        EXPECT_EQ(window.reportLines(), report);
        EXPECT_EQ(quickHelp(window), help);
        if (message.isEmpty()) {
            EXPECT_TRUE(window.messages.empty());
            EXPECT_EQ(QApplication::focusWidget(), window.child(field));
        } else {
            EXPECT_EQ(window.messages, (std::vector{std::pair{QString("Ferrolux"), message}}));
        }
    }
}

TEST(CalculatorWindowFocus, SelectsTheFirst99CharactersByTabClickOrCode)
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

TEST(CalculatorWindowQuickHelp, FollowsTheMouseOverTheButtonsAndTheirFrame)
{
    ProgramFolder folder;
    folder.writeExample();
    WindowUnderTest window(folder);
    window->load(); // the load button reads "Load Example"
    window.showActive();
    auto moveOver = [&](const char *name, QPoint at) {
        QTest::mouseMove(window->windowHandle(), window.child(name)->mapTo(window.form.get(), at));
    };
    // Each button's help names that button's command; the load button's names the plain
    // command whatever its caption.
    const std::pair<const char *, const char *> cases[] = {{"CmdCalc", "Calculate:"},
                                                           {"CmdClr", "Clear Data:"},
                                                           {"CmdLoadData", "Load:"},
                                                           {"CmdClose", "Close:"}};
    for (const auto &[button, command] : cases) {
        moveOver(button, window.child(button)->rect().center());
        EXPECT_TRUE(quickHelp(window).startsWith(QLatin1String(command))) << button;
        // The margin between the buttons belongs to the frame and clears the box.
        moveOver("Frame2", QPoint(window.child("Frame2")->width() / 2, 4));
        EXPECT_EQ(quickHelp(window), "") << button;
    }
}

} // namespace
} // namespace ferrolux::testing
