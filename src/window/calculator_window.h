#pragma once

// The calculator window: every input of an analysis lives here as the text of a field. The
// window restores the last run when it is loaded, keeps the secondary rows, the type picture
// and the dimension fields in step with what the user picks, runs the analysis on Calculate
// and saves the inputs on Close.

#include "last_run_file.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

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

    const QString &appFolder() const { return m_appFolder; }
    // The folder the construction pictures are read from, ending in a separator: the program
    // folder unless set otherwise (an installed copy keeps them apart from its data files).
    // Set it before Form_Load.
    const QString &pictureFolder() const
    {
        return m_pictureFolder.isEmpty() ? m_appFolder : m_pictureFolder;
    }
    void setPictureFolder(QString folder) { m_pictureFolder = std::move(folder); }

    // True while the last-run file holds the worked example shipped with the program.
    bool bExample = false;
    // Quick-help texts of the command buttons.
    QString strCmdCalc;
    QString strCmdClose2;
    QString strCmdClr;
    QString strCmdLoadData;
    QString strCmdLoadExample;
    // Percent-dissipation limits from the constants file.
    double OCPPDis = 0;  // plate winding, open-core transformer
    double OCFPDis = 0;  // filament winding, open-core transformer
    double POTPPDis = 0; // plate winding, potted transformer
    double POTFPDis = 0; // filament winding, potted transformer

    // Ends the process; Close calls it with exit code 0 whether or not saving worked.
    using QuitFunction = std::function<void(int exitCode)>;
    // Writes the bytes to the path; returns "" on success, otherwise a reason for the user.
    using FileWriter = std::function<std::string(const std::string &path, std::string_view bytes)>;
    // Shows a message with a single OK button and no icon.
    using MessageFunction = std::function<void(const QString &title, const QString &text)>;

    void setQuitFunction(QuitFunction quit);
    void setLastRunWriter(FileWriter writer);
    void setMessageFunction(MessageFunction message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectHandlers();
    void updateSecondaryRows();
    void selectType(TransformerType type);
    void onTypeSelected(TransformerType type);
    void restoreLastRun();
    // The inputs as the window holds them, in the form Close saves them.
    LastRun currentInputs() const;
    void placeOnScreen();
    QString filePath(const char *fileName) const;

    QString m_appFolder;
    QString m_pictureFolder;
    std::unique_ptr<WindowControls> m_controls;
    QuitFunction m_quit;
    FileWriter m_writeLastRun;
    MessageFunction m_message;
};

} // namespace ferrolux
