#pragma once

// The calculator window: every input of an analysis lives here as the text of a field. The
// window restores the last run when it is loaded, keeps the secondary rows, the type picture
// and the dimension fields in step with what the user picks, runs the analysis on Calculate
// and saves the inputs on Close.

#include "file_helpers.h"
#include "last_run_file.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QEvent;

namespace ferrolux {

struct WindowControls;

class CalculatorWindow : public QWidget
{
    Q_OBJECT

public:
    // `appFolder` ends in a separator; every file of the program is named as appFolder followed
    // directly by the file name.
    explicit CalculatorWindow(QString appFolder, QWidget *parent = nullptr);
    ~CalculatorWindow() override;

    CalculatorWindow(const CalculatorWindow &) = delete;
    CalculatorWindow &operator=(const CalculatorWindow &) = delete;

    // Restores the last run, then sizes and centres the window. Does not show it.
    void Form_Load();
    // Fills the fields, the type and the check box from the last-run file and the four limits
    // from the constants file. Never reports anything.
    void LoadFile();

    // Handlers of the four command buttons, callable from code as well.
    void CmdCalc_Click();
    void CmdClr_Click();
    void CmdLoadData_Click();
    void CmdClose_Click();

    // True while the last-run file holds the worked example shipped with the program.
    bool bExample = false;
    // Quick-help texts of the command buttons.
    QString strCmdCalc;
    QString strCmdClose2;
    QString strCmdClr;
    QString strCmdLoadData;
    // Percent-dissipation limits from the constants file.
    double OCPPDis = 0;  // plate winding, open-core transformer
    double OCFPDis = 0;  // filament winding, open-core transformer
    double POTPPDis = 0; // plate winding, potted transformer
    double POTFPDis = 0; // filament winding, potted transformer

    // Ends the process; Close calls it with exit code 0 after a save (or a save the user
    // declined) and 1 when the inputs could not be saved.
    using QuitFunction = std::function<void(int exitCode)>;
    // Writes the bytes to the path and says how that went (saveFile by default).
    using FileWriter = std::function<SaveResult(const std::string &path, std::string_view bytes)>;
    // Shows a message with a single OK button and no icon.
    using MessageFunction = std::function<void(const QString &title, const QString &text)>;
    // Asks a yes/no question; true for yes.
    using QuestionFunction = std::function<bool(const QString &title, const QString &text)>;

    void setQuitFunction(QuitFunction quit);
    void setLastRunWriter(FileWriter writer);
    void setMessageFunction(MessageFunction message);
    void setQuestionFunction(QuestionFunction question);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectHandlers();
    void updateSecondaryRows();
    void selectType(TransformerType type);
    void onTypeSelected(TransformerType type);
    void restoreLastRun();
    // Before Close replaces a last-run file that did not load whole: asks, or keeps a copy.
    // False when the file must not be replaced; `notes` gets what the user should be told.
    bool mayReplaceLastRun(const QString &path, QStringList &notes);
    // The inputs as the window holds them, in the form Close saves them.
    LastRun currentInputs() const;
    void placeOnScreen();
    QString filePath(const char *fileName) const;

    QString m_appFolder;
    std::unique_ptr<WindowControls> m_controls;
    QuitFunction m_quit;
    FileWriter m_writeLastRun;
    MessageFunction m_message;
    QuestionFunction m_question;

    // How the last read of the last-run file went, so that Close never replaces a file that
    // did not load whole without asking or keeping a copy.
    enum class LastRunState { Whole, Missing, Damaged, Unreadable };
    LastRunState m_lastRunState = LastRunState::Missing;
    QString m_lastRunProblem;   // what went wrong with the last-run file, for the user
    QString m_constantsProblem; // the same for the constants file
};

} // namespace ferrolux
