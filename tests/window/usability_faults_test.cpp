// Faults a new user tripped over in the calculator form, each driven through the real widgets:
// refusals that vanished, a report left scrolled down, Enter doing nothing, the construction
// options' focus, outputs without a focus mark, numbers read in part without a word, text the
// file cannot store, a damaged constants file and message boxes in a foreign font.

#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <tuple>

namespace ferrolux::testing {
namespace {

QString quickHelp(const WindowUnderTest &window)
{
    return window.child<QPlainTextEdit>("Txt2QuickHelp")->toPlainText();
}

// The window on the worked example, loaded and shown.
struct ExampleWindow
{
    ExampleWindow() : window(folder)
    {
        folder.writeExample();
        window->load();
        window.showActive();
    }
    ProgramFolder folder;
    WindowUnderTest window;
};

// Types each character as a key press carrying its text; QTest's key clicks take only ASCII.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}

void moveOver(const WindowUnderTest &window, const char *name)
{
    QWidget *target = window.child(name);
    QTest::mouseMove(window->windowHandle(),
                     target->mapTo(window.form.get(), target->rect().center()));
}

TEST(UsabilityFaults, RefusalStaysUntilTheNextEditOrCalculate)
{
    // What ends the refusal, and whether the help box is empty afterwards.
    const std::tuple<const char *, std::function<void(const WindowUnderTest &)>> endings[] = {
        {"successful Calculate",
         [](const WindowUnderTest &w) {
             w.setText("TxtPriV", "117");
             w.click("CmdCalc");
         }},
        {"typing in a field",
         [](const WindowUnderTest &w) { QTest::keyClicks(w.child("TxtPriV"), "1"); }},
        {"picking a type", [](const WindowUnderTest &w) { w.click("OpType1"); }},
    };
    for (const auto &[ending, end] : endings) {
        SCOPED_TRACE(ending);
        ExampleWindow example;
        const WindowUnderTest &window = example.window;
        window.setText("TxtPriV", "");
        window.click("CmdCalc");
        const QString refusal = quickHelp(window);
        ASSERT_TRUE(refusal.startsWith("Primary voltage")) << refusal.toStdString();
        // Mouse moves over the buttons no longer wipe it.
        for (const char *button : {"CmdClr", "CmdCalc", "CmdClose"}) {
            moveOver(window, button);
            EXPECT_EQ(quickHelp(window), refusal) << button;
        }
        end(window);
        EXPECT_FALSE(quickHelp(window).contains("Primary voltage"))
            << quickHelp(window).toStdString();
        // Help follows the mouse again.
        moveOver(window, "CmdClr");
        EXPECT_TRUE(quickHelp(window).startsWith("Clear Data:"));
    }
}

TEST(UsabilityFaults, EachNewReportOpensAtItsFirstLine)
{
    ExampleWindow example;
    const WindowUnderTest &window = example.window;
    auto *list = window.child<QListWidget>("ListOut");
    window.click("CmdCalc");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->verticalScrollBar()->maximum() > 0; }));
    for (const char *secondaryCurrent : {"0.1", "0.2"}) {
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        window.setText("TxtSec1I_0", secondaryCurrent);
        window.click("CmdCalc");
        EXPECT_EQ(list->verticalScrollBar()->value(), 0) << secondaryCurrent;
        // The first line is really in view.
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(0))));
    }
}

TEST(UsabilityFaults, EnterActivatesTheFocusedButtonAndRunsCalculateFromAField)
{
    // Focused control, and what Enter must have done.
    using Check = std::function<bool(const WindowUnderTest &)>;
    const Check reported = [](const WindowUnderTest &w) { return w.reportLines().size() == 30; };
    const std::tuple<const char *, Check> cases[] = {
        {"CmdCalc", reported},
        {"TxtPriV", reported},
        {"TxtSec1R_3", reported},
        {"TxtC", reported},
        {"CmdClr", [](const WindowUnderTest &w) { return w.text("TxtPriV") == "117.0"; }},
        {"CmdClose", [](const WindowUnderTest &w) { return w.quitCodes == std::vector{0}; }},
    };
    for (const auto &[focused, done] : cases) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(std::string(focused) + (key == Qt::Key_Enter ? " Enter" : " Return"));
            ExampleWindow example;
            const WindowUnderTest &window = example.window;
            window.child(focused)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
            EXPECT_TRUE(done(window));
        }
    }
}

TEST(UsabilityFaults, ConstructionOptionsBehaveAsARadioGroup)
{
    // Selected option; Tab from the help box must land on it; then an arrow key, and the
    // option that is then focused and selected.
    const std::tuple<const char *, Qt::Key, const char *> cases[] = {
        {"OpType3", Qt::Key_Down, "OpMil"},    {"OpType3", Qt::Key_Up, "OpType2"},
        {"OpType1", Qt::Key_Down, "OpType2"},  {"OpMil", Qt::Key_Up, "OpType3"},
        {"OpType2", Qt::Key_Right, "OpType3"}, {"OpType2", Qt::Key_Left, "OpType1"},
    };
    for (const auto &[selected, key, next] : cases) {
        SCOPED_TRACE(selected);
        ExampleWindow example;
        const WindowUnderTest &window = example.window;
        window.click(selected);
        window.child("Txt2QuickHelp")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget()->objectName(), selected);
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
        EXPECT_EQ(window.checkedTypes(), QStringList{next});
        // Tab leaves the group for the next control, and Shift+Tab comes back to the new one.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "CmdCalc");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
    }
}

TEST(UsabilityFaults, EmptyOutputsShowTheFocus)
{
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.click("CmdClr"); // empty report, empty help box
    window.showActive();
    for (const char *output : {"ListOut", "Txt2QuickHelp"}) {
        SCOPED_TRACE(output);
        QWidget *widget = window.child(output);
        widget->setFocus();
        ASSERT_TRUE(widget->hasFocus());
        const auto frames = window.form->findChildren<QFocusFrame *>();
        ASSERT_EQ(frames.size(), 1);
        EXPECT_EQ(frames[0]->widget(), widget);
        EXPECT_TRUE(QTest::qWaitFor([&] { return frames[0]->isVisible(); }));
        // The frame rings the output, so it is drawn where the user looks.
        EXPECT_TRUE(frames[0]->geometry().contains(widget->geometry()));
        window.child("TxtPriV")->setFocus();
        EXPECT_EQ(frames[0]->widget(), nullptr);
    }
}

TEST(UsabilityFaults, FieldReadOnlyInPartIsMarkedWithTheValueUsed)
{
    // Typed text and the tooltip; an empty tooltip means no mark.
    const std::pair<const char *, const char *> cases[] = {
        {"2,05", "read as 2: use a point"},
        {"12 V", "read as 12"},
        {"abc", "read as 0"},
        {"1e", "read as 1"},
        {",5", "read as 0: use a point"},
        {"2.05", ""},
        {" -1.5E-3 ", ""},
        {".5", ""},
        {"", ""},
    };
    ExampleWindow example;
    const WindowUnderTest &window = example.window;
    auto *field = window.child<QLineEdit>("TxtPriR");
    const QColor plain = field->palette().color(QPalette::Base);
    for (const auto &[typed, tooltip] : cases) {
        SCOPED_TRACE(typed);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, typed);
        EXPECT_EQ(field->toolTip(), tooltip);
        EXPECT_EQ(field->palette().color(QPalette::Base) != plain, *tooltip != '\0');
    }
    // The mark follows the field's text however it is set, and the analysis reads the value
    // the mark names: "2,05" ohms reads as 2, the same report as "2".
    window.setText("TxtPriR", "2");
    window.click("CmdCalc");
    const std::vector<std::string> asTwo = window.reportLines();
    window.setText("TxtPriR", "2,05");
    EXPECT_EQ(field->toolTip(), "read as 2: use a point");
    window.click("CmdCalc");
    EXPECT_EQ(window.reportLines(), asTwo);
}

TEST(UsabilityFaults, TextTheFileCannotStoreIsRefusedAtTypingTime)
{
    // Typed text, what the field then holds, and whether the help box gives a reason.
    const std::tuple<QString, QString, bool> cases[] = {
        {QString::fromUtf8("2\"5"), "25", true},
        {QString::fromUtf8("10\xE2\x82\xAC"), "10", true}, // euro sign
        {QString::fromUtf8("4\xCE\xA9"), "4", true},       // omega
        {QString::fromUtf8("\xE4\xB8\xAD"
                           "7"),
         "7", true},                                                             // a CJK character
        {QString::fromUtf8("3\xC2\xB5"), QString::fromUtf8("3\xC2\xB5"), false}, // micro: Latin-1
        {"1.5", "1.5", false},
    };
    for (const auto &[typed, kept, told] : cases) {
        SCOPED_TRACE(typed.toStdString());
        ExampleWindow example;
        const WindowUnderTest &window = example.window;
        auto *field = window.child<QLineEdit>("TxtSec1V_1");
        field->setFocus(); // selects the entry, so typing replaces it
        typeText(field, typed);
        EXPECT_EQ(field->text(), kept);
        EXPECT_EQ(quickHelp(window).contains("last-run file"), told)
            << quickHelp(window).toStdString();
        // Pasting is refused the same way.
        field->selectAll();
        field->insert(QString::fromUtf8("\xE2\x82\xAC"));
        EXPECT_EQ(field->text(), kept);
    }
    // What survives is saved unchanged.
    ExampleWindow example;
    example.window.child("TxtX")->setFocus();
    typeText(example.window.child("TxtX"), QString::fromUtf8("5\xC2\xB5"));
    example.window.click("CmdClose");
    EXPECT_EQ(records(example.folder.read(kLastRunFileName))[23], "5\xB5");
}

TEST(UsabilityFaults, DamagedConstantsFileIsToldOnceNamingTheRecord)
{
    // Constants file bytes, and the words the warning must contain ("" for no warning).
    const std::pair<std::string, const char *> cases[] = {
        {"a\r\n2.5\r\nb\r\n", "record 4"},
        {"a\r\n2.5\r\nb\r\n4.5\r\nc\r\nx\r\nd\r\n4.5\r\n", "record 6"},
        {"a\r\n0\r\nb\r\n4.5\r\nc\r\n5\r\nd\r\n4.5\r\n", "record 2"},
        {"", "record 1"},
        {defaultConstantsFileBytes(), ""},
    };
    for (const auto &[bytes, record] : cases) {
        SCOPED_TRACE(record);
        ProgramFolder folder;
        folder.write(kLastRunFileName, exampleLastRunFileBytes());
        folder.write(kConstantsFileName, bytes);
        WindowUnderTest window(folder);
        window->load();
        if (*record == '\0') {
            EXPECT_TRUE(window.messages.empty());
            EXPECT_TRUE(window->limitsWarning().isEmpty());
            continue;
        }
        ASSERT_EQ(window.messages.size(), 1u);
        const QString &text = window.messages[0].second;
        EXPECT_TRUE(text.contains(QString::fromStdString(folder.file(kConstantsFileName))))
            << text.toStdString();
        EXPECT_TRUE(text.contains(record)) << text.toStdString();
        EXPECT_EQ(window->limitsWarning(), text);
        // Load and Calculate do not repeat it, and the file is left as the user had it.
        window.click("CmdLoadData");
        window.click("CmdCalc");
        EXPECT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(folder.read(kConstantsFileName), bytes);
    }
}

TEST(UsabilityFaults, MessageBoxesUseTheFormsFont)
{
    ProgramFolder folder;
    folder.writeExample();
    CalculatorWindow form(folder.path()); // its own message boxes, not a recorder
    form.load();
    form.show();
    auto *b = form.findChild<QLineEdit *>("TxtB");
    b->setText("0"); // A, B and C disagree: a message box
    QFont seen;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = true;
        seen = box->font();
        box->accept();
    });
    form.findChild<QPushButton *>("CmdCalc")->click();
    ASSERT_TRUE(shown);
    EXPECT_EQ(seen, form.font());
}

} // namespace
} // namespace ferrolux::testing
