#pragma once

// Named designs, for the main window's menus: File > Open Design…, Save Design, Save Design
// As…, Open Recent; Edit > Load Last Run (or Load Example, as the load button says); and the
// "Save the changes?" question when the window is closed (by Close or its title bar) with
// unsaved edits. It also owns the menus' report entries (report_output_actions.h) and the
// window title (window_title.h), which both take the design's name from here.

#include "calculator_window.h"
#include "file_identity.h"
#include "report_document.h"
#include "save_messages.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

namespace ferrolux {

class MainWindow;
class ReportOutputActions;
class WindowTitle;

class DesignFileActions : public QObject
{
    Q_OBJECT

public:
    enum class CloseAnswer { Save, Discard, Cancel };
    // Asks the user what to do with unsaved edits.
    using CloseQuestion = std::function<CloseAnswer()>;
    // Asks for a file name to open or save; "" when the user cancels.
    using FileQuestion = std::function<QString(bool forSaving, const QString &proposed)>;
    // Shows a failure to the user.
    using FailureMessage = std::function<void(const QString &text)>;
    // Asks the user to go ahead (true) or cancel; `goAhead` is the caption of the button that
    // goes ahead ("Overwrite", "Write in Place").
    using Confirmation = std::function<bool(const QString &text, const QString &goAhead)>;

    static constexpr int kRecentCount = 8;

    // Adds the actions to the window's File and Edit menus and watches its close events.
    explicit DesignFileActions(MainWindow *window);

    // "Ferrolux.DAT"'s run is the "Last run"; a named design is its file name.
    QString designName() const;
    QStringList recentDesigns() const;

    // Reads a design file (30 records and the extension block) into the form. Returns "" on
    // success, otherwise the reason (also shown to the user); the form is then unchanged.
    QString openDesign(const QString &path);
    // Writes the form's inputs to `path` as a design file and makes it the design's file.
    QString saveDesignAs(const QString &path);
    // The whole export for the current inputs (see ReportOutputActions).
    ReportContent reportContent() const;

    void setCloseQuestion(CloseQuestion question) { m_askClose = std::move(question); }
    void setFileQuestion(FileQuestion question) { m_askFile = std::move(question); }
    void setFailureMessage(FailureMessage message) { m_fail = std::move(message); }
    void setConfirmation(Confirmation confirm) { m_confirm = std::move(confirm); }
    // How designs are written (saveFile by default); tests put failures in here.
    void setSaveFunction(SaveFunction save) { m_save = std::move(save); }

    // The inputs as they are now become the ones the modified mark compares with.
    void markClean();
    // Edit > Load takes the load button's caption; called after the form has loaded its run,
    // and each time the Edit menu opens.
    void nameLoadAsTheButton();

public slots:
    // Close (the form's button and File > Close): with unsaved edits to a named design, asks
    // first; Save writes the design to its own file. Either way Close then writes the last run.
    void requestClose();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addFileActions(QMenu *menu);
    void addEditActions(QMenu *menu);
    void fillRecentMenu();
    void rememberRecent(const QString &path);
    void saveDesign();
    void askAndSaveAs();
    void askAndOpen();
    // What the answer to the close question asks of the design's own file: true when the
    // window may close (saved, discarded, or nothing named to save), false to stay open.
    bool settleNamedDesign(CloseAnswer answer);

    // Before a save over the open design's file: asks when it changed on disk since it was
    // opened or saved here. False when the user cancels.
    bool mayOverwrite(const QString &path);
    void rememberFile(const QString &path);

    MainWindow *m_window;
    QString m_path;
    // The design's file as this window last read or wrote it.
    FileIdentity m_identity;
    ReportOutputActions *m_output = nullptr;
    WindowTitle *m_title = nullptr;
    QMenu *m_recentMenu = nullptr;
    QAction *m_loadAction = nullptr;
    CloseQuestion m_askClose;
    FileQuestion m_askFile;
    FailureMessage m_fail;
    Confirmation m_confirm;
    SaveFunction m_save = saveWithOptions;
};

} // namespace ferrolux
