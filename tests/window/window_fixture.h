#pragma once

// Helpers for driving a real calculator window, alone or in the main window, in a temporary
// program folder.

#include "../core/scratch_folder.h"
#include "calculator_window.h"
#include "constants_file.h"
#include "default_files.h"
#include "design_file_actions.h"
#include "last_run_file.h"
#include "main_window.h"

#include <QTest>
#include <QtWidgets>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

// Readable QString values in test failures.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace ferrolux::testing {

// A throw-away program folder; path() ends in a separator, as the window expects.
class ProgramFolder
{
public:
    // Example: the worked example and the default constants; Pictures: also the four type
    // pictures.
    enum Contents { Empty, Example, Pictures };
    explicit ProgramFolder(Contents contents = Empty);
    QString path() const { return QString::fromStdString(m_dir.folder()); }
    std::string file(const char *name) const { return m_dir.path(name); }
    void write(const char *name, const std::string &bytes) const;
    std::string read(const char *name) const { return testing_support::readBytes(file(name)); }

private:
    testing_support::ScratchFolder m_dir;
};

// A window on a program folder whose quit, message and question functions record their calls.
struct WindowUnderTest
{
    explicit WindowUnderTest(const ProgramFolder &folder);
    // A folder path that ends in a separator.
    explicit WindowUnderTest(const QString &folder);

    CalculatorWindow *operator->() const { return form.get(); }
    // The child with this object name; fails the test when it is missing.
    template <typename T = QWidget> T *child(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString text(const QString &name) const { return child<QLineEdit>(name)->text(); }
    void setText(const QString &name, const QString &value) const
    {
        child<QLineEdit>(name)->setText(value);
    }
    // The texts of every input field, in tab order.
    QStringList fieldTexts() const;
    void click(const QString &name) const { QTest::mouseClick(child(name), Qt::LeftButton); }
    QStringList checkedTypes() const;
    QString quickHelp() const { return child<QPlainTextEdit>("Txt2QuickHelp")->toPlainText(); }
    // Moves the mouse over a point of a child, its centre by default.
    void moveOver(const QString &name, QPoint at = QPoint(-1, -1)) const;
    // Number of leading secondary rows whose nine controls are all shown; fails the test when
    // a row is partly shown or a shown row follows a hidden one.
    int visibleRows() const;
    // Shows the window and makes it the active one, so that focus and mouse moves work.
    void showActive() const;

    std::unique_ptr<CalculatorWindow> form;
    std::vector<int> quitCodes;
    std::vector<std::pair<QString, QString>> messages;
    // Questions asked, and the answer every question gets.
    std::vector<QString> questions;
    bool answerYes = false;
};

// The window on the worked example in a folder of its own, loaded and shown.
struct ExampleWindow : private ProgramFolder, public WindowUnderTest
{
    ExampleWindow();
};

// A loaded main window, on the named screen when there is one, with recorded quits, messages,
// file-action failures and close questions.
struct MainUnderTest
{
    explicit MainUnderTest(const ProgramFolder &folder, const char *screen = "large");
    // A control of the form or of the panel (which this builds if need be).
    template <typename T = QWidget> T *child(const QString &name)
    {
        window.checkPanel();
        T *found = window.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void click(const char *name) { child<QPushButton>(QLatin1String(name))->click(); }
    // Types into a field as a user does: select all, then the keys.
    void type(const char *name, const QString &text);
    void trigger(const char *name) { window.findChild<QAction *>(QLatin1String(name))->trigger(); }
    void show()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    DesignFileActions *actions() const { return window.fileActions(); }
    QDockWidget *dock() const { return window.findChild<QDockWidget *>("checkPanelDock"); }
    QScrollArea *formScroll() const { return window.findChild<QScrollArea *>("formScrollArea"); }

    MainWindow window;
    std::vector<int> quitCodes;
    std::vector<QString> messages;
    QStringList failures;
    int closeQuestions = 0;
    DesignFileActions::CloseAnswer answer = DesignFileActions::CloseAnswer::Cancel;
};

// Ends the test process (SIGALRM, "Alarm clock") when a step blocks for 20 seconds, so that a
// hang fails the test instead of stalling the whole run.
struct Watchdog
{
    Watchdog() { alarm(20); }
    ~Watchdog() { alarm(0); }
};

// "TxtSec1V_2" and the like.
QString member(const char *family, int index);
// Every input field of the window, in tab order.
QStringList inputFieldNames();
using testing_support::joinRecords;
using testing_support::splitRecords;

} // namespace ferrolux::testing
