#pragma once

// Named designs and the report leaving the window, for the main window's menus: File > Open
// Design…, Save Design, Save Design As…, Open Recent, Export Report…, Print Preview…, Print…;
// Edit > Copy Report, Copy as Forum Post, Load Last Run (or Load Example, as the load button
// says); the window title with the design's name and its modified mark; and the "Save the
// changes?" question when the window is closed (by Close or its title bar) with unsaved edits.

#include "calculator_window.h"
#include "design.h"
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
    // The whole export for the current inputs, with the panel's plots when they are drawn.
    ReportContent reportContent() const;
    // The report lines the form shows, and the check section when the panel is up to date.
    QString reportText() const;

    void setCloseQuestion(CloseQuestion question) { m_askClose = std::move(question); }
    void setFileQuestion(FileQuestion question) { m_askFile = std::move(question); }
    void setFailureMessage(FailureMessage message) { m_fail = std::move(message); }
    void setConfirmation(Confirmation confirm) { m_confirm = std::move(confirm); }
    // How designs are written (saveFile by default); tests put failures in here.
    void setSaveFunction(SaveFunction save) { m_save = std::move(save); }

    QAction *action(const char *objectName) const;
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
    void askAndExport();
    void copyToClipboard(const QString &text);
    void updateModified();
    void updateTitle();
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
    Design m_baseline;
    bool m_modified = false;
    QMenu *m_recentMenu = nullptr;
    CloseQuestion m_askClose;
    FileQuestion m_askFile;
    FailureMessage m_fail;
    Confirmation m_confirm;
    SaveFunction m_save = saveWithOptions;
};

} // namespace ferrolux
