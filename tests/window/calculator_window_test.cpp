// The calculator form driven through its real widgets: secondary rows, the potted type, Clear
// Data, refusals and quick help, focus and tab order, layout in every style, the faults a new
// user tripped over, and the picture read at label size.

#include "report_face.h"
#include "scaled_picture.h"
#include "twips.h"
#include "window_fixture.h"

namespace ferrolux::testing {
namespace {

using Action = std::function<void(const WindowUnderTest &)>;

// Types each character as a key press carrying its text; QTest's key clicks take only ASCII.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(widget, &event);
        }
    }
}

QString focusName()
{
    return QApplication::focusWidget()->objectName();
}

TEST(CalculatorWindow, CountTextDecidesTheVisibleRows)
{
    // The rows follow the count as the core reads it (SecondaryCount tests) at every key: "12"
    // shows one row after the "1" and all six after the "2".
    ProgramFolder folder;
    WindowUnderTest window(folder);
    window.setText("TxtNoSec", "5");
    window.setText("TxtNoSec", "");
    EXPECT_EQ(window.visibleRows(), 0);
    for (const auto &[key, rows] : {std::pair{Qt::Key_1, 1}, std::pair{Qt::Key_2, 6}}) {
        QTest::keyClick(window.child("TxtNoSec"), key);
        EXPECT_EQ(window.visibleRows(), rows) << window.text("TxtNoSec").toStdString();
    }
}

TEST(CalculatorWindow, PottedTypeHidesOnlyABCAndClearResetsInputsTypeAndReport)
{
    ProgramFolder folder(ProgramFolder::Example);
    WindowUnderTest window(folder);
    window->load();
    window.click("OpMil");
    for (const char *name : {"TxtA", "TxtB", "TxtC"}) {
        EXPECT_TRUE(window.child(name)->isHidden()) << name;
    }
    for (const char *name : {"TxtX", "TxtZ", "Text73", "Text81"}) {
        EXPECT_FALSE(window.child(name)->isHidden()) << name;
    }
    window.click("CmdCalc");
    ASSERT_FALSE(window->reportLines().isEmpty());

    window.click("CmdClr");
    QStringList expected(inputFieldNames().size(), QString());
    expected[0] = "117.0";
    expected[2] = "6";
    EXPECT_EQ(window.fieldTexts(), expected);
    EXPECT_EQ(window.visibleRows(), 6);
    EXPECT_TRUE(window.checkedTypes().isEmpty());
    EXPECT_TRUE(window.child("Image1")->isHidden());
    EXPECT_TRUE(window.child("TxtA")->isHidden()); // as the potted type left it
    EXPECT_TRUE(window->reportLines().isEmpty());
    EXPECT_EQ(window.child<QCheckBox>("ChkLoading")->checkState(), Qt::Checked);
}

TEST(CalculatorWindow, RefusalKeepsTheReportTellsWhyAndStaysUntilTheNextEdit)
{
    // Field, its new text, and the reason in the quick-help box (focus going to the field) or
    // the text of the message box.
    const std::tuple<const char *, const char *, QString, QString> cases[] = {
        {"TxtSec1R_1", "0", "Secondary 2 Resistance is zero, empty or not a number.", ""},
        {"TxtPriV", "", "Primary voltage is zero, empty or not a number.", ""},
        {"TxtPriR", "abc", "Primary resistance is zero, empty or not a number.", ""},
        {"TxtY", "-1", "Dimension Y must be more than zero.", ""},
        {"TxtB", "0", "",
         "What kind of transformer do you have?\nA, B and C MUST all be zero or\n"
         "MUST ALL have nonzero values."},
    };
    for (const auto &[field, text, help, message] : cases) {
        SCOPED_TRACE(field);
        ExampleWindow window;
        QStringList inputs = window.fieldTexts();
        window.click("CmdCalc");
        EXPECT_EQ(window.fieldTexts(), inputs); // a Calculate, refused or not, changes no input
        const QStringList report = window->reportLines();
        ASSERT_EQ(report.size(), 30);
        window.setText(field, text);
        inputs = window.fieldTexts();
        window.click("CmdCalc");
        EXPECT_EQ(window.fieldTexts(), inputs);
        EXPECT_EQ(window->reportLines(), report);
        EXPECT_EQ(window.quickHelp(), help);
        if (message.isEmpty()) {
            EXPECT_TRUE(window.messages.empty());
            EXPECT_EQ(QApplication::focusWidget(), window.child(field));
        } else {
            EXPECT_EQ(window.messages, (std::vector{std::pair{QString("Ferrolux"), message}}));
        }
    }
    // Mouse moves over the buttons leave the refusal; the next edit, type or Calculate ends it.
    const std::pair<const char *, Action> endings[] = {
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
        ExampleWindow window;
        window.setText("TxtPriV", "");
        window.click("CmdCalc");
        const QString refusal = window.quickHelp();
        ASSERT_TRUE(refusal.startsWith("Primary voltage")) << refusal.toStdString();
        for (const char *button : {"CmdClr", "CmdCalc", "CmdClose"}) {
            window.moveOver(button);
            EXPECT_EQ(window.quickHelp(), refusal) << button;
        }
        end(window);
        EXPECT_FALSE(window.quickHelp().contains("Primary voltage"));
        // Help follows the mouse again: each button names its command (the load button the
        // plain command, whatever its caption), and the frame's margin clears the box.
        const std::pair<const char *, const char *> buttons[] = {{"CmdCalc", "Calculate:"},
                                                                 {"CmdClr", "Clear Data:"},
                                                                 {"CmdLoadData", "Load:"},
                                                                 {"CmdClose", "Close:"}};
        for (const auto &[button, command] : buttons) {
            window.moveOver(button);
            EXPECT_TRUE(window.quickHelp().startsWith(QLatin1String(command))) << button;
            window.moveOver("Frame2", QPoint(window.child("Frame2")->width() / 2, 4));
            EXPECT_EQ(window.quickHelp(), "") << button;
        }
    }
}

TEST(CalculatorWindow, FocusSelectsTheFirst99CharactersByTabClickOrCode)
{
    ExampleWindow window;
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

// In each style: the form keeps its design size whatever it is asked to take; the type options
// sit inside the frame's lines, one under another; the worked report fills the list beyond its
// height but never beyond its width, in columns that line up; a new report opens at its top.
TEST(CalculatorWindow, LaidOutInEveryStyle)
{
    const QString ownStyle = QApplication::style()->name();
    for (const char *style : {"Windows", "Fusion"}) {
        SCOPED_TRACE(style);
        QApplication::setStyle(QString::fromLatin1(style));
        ProgramFolder folder(ProgramFolder::Example);
        WindowUnderTest window(folder);
        window->resize(200, 100);
        window->load();
        window.showActive();
        const TwipsScale scale(window->logicalDpiX(), window->logicalDpiY());
        EXPECT_EQ(window->size(), scale.toPixels(0, 0, 11700, 7920).size());
        const auto *frame = window.child<QGroupBox>("Frame1");
        QRect above;
        for (const QRadioButton *option : frame->findChildren<QRadioButton *>()) {
            const std::string name = option->objectName().toStdString();
            EXPECT_TRUE(frame->contentsRect().contains(option->geometry())) << name;
            EXPECT_FALSE(above.intersects(option->geometry())) << name;
            above = option->geometry();
        }
        window.click("CmdCalc");
        auto *list = window.child<QListWidget>("ListOut");
        QScrollBar *down = list->verticalScrollBar();
        ASSERT_TRUE(QTest::qWaitFor([&] { return down->isVisible() && down->maximum() > 0; }));
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
        // Every character shown has one advance in the list's face, so that the report's
        // columns line up (the report face tests check the measuring).
        QString shown;
        for (int row = 0; row < list->count(); ++row) {
            shown += list->item(row)->text();
        }
        EXPECT_TRUE(hasEqualAdvances(list->font(), shown)) << list->font().family().toStdString();
        EXPECT_LE(list->font().pointSizeF(), 9.75);
        EXPECT_GE(list->font().pointSizeF(), 8.0);
        for (const char *current : {"0.1", "0.2"}) {
            down->setValue(down->maximum());
            window.setText("TxtSec1I_0", current);
            window.click("CmdCalc");
            EXPECT_EQ(down->value(), 0) << current;
            EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(0))));
        }
        list->addItem(QString(60, QLatin1Char('x'))); // wider, and not a rule: it scrolls
        EXPECT_TRUE(QTest::qWaitFor([&] { return list->horizontalScrollBar()->isVisible(); }));
    }
    QApplication::setStyle(ownStyle);
}

TEST(CalculatorWindow, TabVisitsTheShownFieldsInOrderAndTheOptionsAsARadioGroup)
{
    ExampleWindow window;
    window.click("CmdClr"); // all six rows shown, no type chosen
    const QStringList expected =
        inputFieldNames() + QStringList{"ListOut", "Txt2QuickHelp", "OpType1",  "CmdCalc",
                                        "CmdClr",  "CmdLoadData",   "CmdClose", "ChkLoading"};
    window.child("TxtPriV")->setFocus();
    QStringList visited{focusName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    EXPECT_EQ(visited, expected);
    window.setText("TxtNoSec", "1"); // hidden rows are skipped
    window.child("TxtSec1R_0")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusName(), "TxtX");

    // Selected option; Tab from the help box must land on it; then an arrow key, and the
    // option that is then focused and selected.
    const std::tuple<const char *, Qt::Key, const char *> cases[] = {
        {"OpType3", Qt::Key_Down, "OpMil"},    {"OpType3", Qt::Key_Up, "OpType2"},
        {"OpType1", Qt::Key_Down, "OpType2"},  {"OpMil", Qt::Key_Up, "OpType3"},
        {"OpType2", Qt::Key_Right, "OpType3"}, {"OpType2", Qt::Key_Left, "OpType1"},
    };
    for (const auto &[selected, key, next] : cases) {
        SCOPED_TRACE(selected);
        window.click(selected);
        window.child("Txt2QuickHelp")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(focusName(), selected);
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(focusName(), next);
        EXPECT_EQ(window.checkedTypes(), QStringList{next});
        // Tab leaves the group for the next control, and Shift+Tab comes back to the new one.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focusName(), "CmdCalc");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(focusName(), next);
    }
}

TEST(CalculatorWindow, EnterActivatesTheFocusedButtonAndRunsCalculateFromAField)
{
    // Focused control, and what Enter must have done.
    using Check = std::function<bool(const WindowUnderTest &)>;
    const Check reported = [](const WindowUnderTest &w) { return w->reportLines().size() == 30; };
    const std::pair<const char *, Check> cases[] = {
        {"CmdCalc", reported},
        {"TxtPriV", reported},
        {"TxtC", reported},
        {"CmdClr", [](const WindowUnderTest &w) { return w.text("TxtPriV") == "117.0"; }},
        {"CmdClose", [](const WindowUnderTest &w) { return w.quitCodes == std::vector{0}; }},
    };
    for (const auto &[focused, done] : cases) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(std::string(focused) + (key == Qt::Key_Enter ? " Enter" : " Return"));
            ExampleWindow window;
            window.child(focused)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
            EXPECT_TRUE(done(window));
        }
    }
}

TEST(CalculatorWindow, FieldReadOnlyInPartIsMarkedWithTheValueUsed)
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
    ExampleWindow window;
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
    // The mark follows the text however it is set, and the analysis reads the value the mark
    // names: "2,05" ohms reads as 2, the same report as "2".
    window.setText("TxtPriR", "2");
    window.click("CmdCalc");
    const QStringList asTwo = window->reportLines();
    window.setText("TxtPriR", "2,05");
    EXPECT_EQ(field->toolTip(), "read as 2: use a point");
    window.click("CmdCalc");
    EXPECT_EQ(window->reportLines(), asTwo);
}

TEST(CalculatorWindow, TextTheFileCannotStoreIsRefusedAtTypingTime)
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
        ExampleWindow window;
        auto *field = window.child<QLineEdit>("TxtSec1V_1");
        field->setFocus(); // selects the entry, so typing replaces it
        // The reason is shown when the character is refused (and cleared by the next edit).
        bool shown = false;
        auto *help = window.child<QPlainTextEdit>("Txt2QuickHelp");
        QObject::connect(help, &QPlainTextEdit::textChanged, help,
                         [&] { shown = shown || help->toPlainText().contains("last-run file"); });
        typeText(field, typed);
        EXPECT_EQ(field->text(), kept);
        EXPECT_EQ(shown, told);
        // Pasting is refused the same way.
        field->selectAll();
        field->insert(QString::fromUtf8("\xE2\x82\xAC"));
        EXPECT_EQ(field->text(), kept);
    }
}

TEST(CalculatorWindow, MessageBoxesUseTheFormsFont)
{
    ProgramFolder folder(ProgramFolder::Example);
    CalculatorWindow form(folder.path()); // its own message boxes, not a recorder
    form.load();
    form.show();
    form.findChild<QLineEdit *>("TxtB")->setText("0"); // A, B and C disagree: a message box
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

TEST(CalculatorWindow, PictureIsDecodedAtTheLabelsDevicePixels)
{
    ProgramFolder folder;
    const QString jpeg = folder.path() + "picture.jpg";
    QImage drawn(400, 460, QImage::Format_RGB32);
    drawn.fill(Qt::darkBlue);
    ASSERT_TRUE(drawn.save(jpeg, "JPG"));
    // Label size, screen ratio, device pixels expected; an empty size keeps the file's own.
    const std::tuple<QSize, qreal, QSize> cases[] = {
        {{161, 185}, 1.0, {161, 185}}, {{161, 185}, 2.0, {322, 370}}, {{0, 0}, 1.0, {400, 460}}};
    for (const auto &[label, ratio, pixels] : cases) {
        const QPixmap picture = readPictureAtSize(jpeg, label, ratio);
        EXPECT_EQ(picture.size(), pixels) << label.width() << " x " << ratio;
        EXPECT_EQ(picture.devicePixelRatio(), ratio);
        const QColor centre = picture.toImage().pixelColor(pixels.width() / 2, pixels.height() / 2);
        EXPECT_LT(qAbs(centre.blue() - QColor(Qt::darkBlue).blue()), 8);
    }
}

} // namespace
} // namespace ferrolux::testing
