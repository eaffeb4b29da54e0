#pragma once

// The calculator window: every input of an analysis lives here as the text of a field. The
// window restores the last run when it is loaded, keeps the secondary rows, the type picture
// and the dimension fields in step with what the user picks, runs the analysis on Calculate
// and saves the inputs on Close.

#include "constants_file.h"
#include "design.h"
#include "evaluation.h"
#include "file_helpers.h"
#include "file_identity.h"
#include "last_run_file.h"
#include "save_messages.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class QAction;
class QEvent;
class QFocusFrame;

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

    // Restores the last run. The form has a fixed size; the main window around it places
    // itself on the screen. Does not show it.
    void load();
    // Gives the keyboard focus to the first field (the primary voltage), as at start.
    void focusFirstField();
    // Where the help box that shows a refusal sits, in the form's coordinates.
    QRect messageArea() const;

    const QString &appFolder() const { return m_appFolder; }
    // The folder the construction pictures are read from, ending in a separator: the program
    // folder unless set otherwise (an installed copy keeps them apart from its data files).
    // Set it before load().
    const QString &pictureFolder() const
    {
        return m_pictureFolder.isEmpty() ? m_appFolder : m_pictureFolder;
    }
    void setPictureFolder(QString folder) { m_pictureFolder = std::move(folder); }

    // The percent-dissipation limits the analysis uses, from the constants file.
    const DissipationLimits &limits() const { return m_limits; }
    void setLimits(const DissipationLimits &limits) { m_limits = limits; }
    // Names the constants file and the record when the limits came from a damaged or
    // incomplete file (told once at load); empty otherwise.
    const QString &limitsWarning() const { return m_limitsWarning; }

    // The whole design as Close would save it (record 1 false), and its replacement: the
    // fields, type, check box, extension-block values and the slots beside them. Setting it
    // leaves the report alone.
    Design design() const;
    void setDesign(const Design &design);
    // The extension-block values alone (thermal inputs, load kinds, DC currents, unknown keys).
    const DesignExtras &designExtras() const { return m_design.extras; }
    // Replaces them; when the thermal inputs change after a Calculate, the checks of that
    // evaluation are worked out again with them (the report stays).
    void setDesignExtras(const DesignExtras &extras);
    // Replaces the bench slots (measurements, lamination, valve list); the checks of the last
    // evaluation are worked out again with them (the report stays). Emits designExtrasChanged.
    void setBench(const BenchRecords &records);
    // The supply each secondary feeds, and their replacement (designExtrasChanged follows: they
    // are saved in the extension block).
    const SecondarySupplies &supplies() const { return m_design.supplies; }
    void setSupplies(const SecondarySupplies &supplies);
    // The evaluation of the last successful Calculate; nullopt before the first.
    const std::optional<Evaluation> &evaluation() const { return m_evaluation; }
    // The lines the report list shows, top to bottom.
    QStringList reportLines() const;

    // Ends the process; Close calls it with exit code 0 after a save (or a save the user
    // declined) and 1 when the inputs could not be saved.
    using QuitFunction = std::function<void(int exitCode)>;
    // Writes the bytes to the path and says how that went (saveFile by default).
    using FileWriter = SaveFunction;
    // Shows a message with a single OK button and no icon.
    using MessageFunction = std::function<void(const QString &title, const QString &text)>;
    // Asks a yes/no question; true for yes.
    using QuestionFunction = std::function<bool(const QString &title, const QString &text)>;

    void setQuitFunction(QuitFunction quit);
    void setLastRunWriter(FileWriter writer);
    void setMessageFunction(MessageFunction message);
    void setQuestionFunction(QuestionFunction question);

    // The number of secondary rows the count field shows (0..6).
    int visibleSecondaryCount() const;
    // A secondary's current field, row 0..5: what it holds, and replacing it from code (the
    // DC-load helper writes the winding current it works out).
    QString secondaryCurrent(int row) const;
    void setSecondaryCurrent(int row, const QString &text);
    // Why a secondary's current field cannot hold the current its load asks for (a DC load
    // whose winding current is too large to compute), or "" to clear it. While a shown row has
    // one, its field is tinted with the reason and Calculate refuses with it.
    void setSecondaryCurrentProblem(int row, const QString &reason);
    // The load button's caption: "Load Last Run", or "Load Example" while the last run is the
    // shipped example.
    QString loadButtonText() const;
    // Adds an action to the report list (Copy Report by Ctrl+C while the report has the focus).
    void addReportAction(QAction *action);

public slots:
    // What the four command buttons do; the menus and the main window call them directly.
    void calculate();
    void clearData();
    void loadData();
    void closeAndSave();

signals:
    // The user changed a field, an option or the check box, or replaced them all with Clear
    // Data or Load.
    void inputsEdited();
    // Calculate produced a new report.
    void calculated();
    // The extension-block values were replaced (by a load or from code).
    void designExtrasChanged();
    // Load restored the last run (after inputsEdited).
    void lastRunLoaded();
    // The count field changed: the number of secondary rows now shown.
    void secondaryRowsChanged(int visibleRows);
    // The user typed in a secondary's current field, row 0..5.
    void secondaryCurrentEdited(int row);
    // The help box now shows a refusal (messageArea() says where), which stays until the next
    // edit or Calculate.
    void refusalShown();
    // The command buttons were pressed; each is connected to its slot above.
    void calculateRequested();
    void clearRequested();
    void loadRequested();
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Fills the fields, the type and the check box from the last-run file and the four limits
    // from the constants file. Never reports anything.
    void loadFile();
    void connectHandlers();
    void installUsabilityAids();
    // Enter on the buttons and the focus frame of the outputs; true when the event was used.
    bool filterUsabilityEvent(QObject *watched, QEvent *event);
    void keepTabOnSelectedType();
    // The form's message for a refusal; the help box keeps it until the next edit or Calculate.
    void showRefusal(const QString &message);
    void clearRefusal();
    // Refuses Calculate while a shown secondary's current field has a problem; true when it did.
    bool refuseForCurrentProblem();
    void updateSecondaryRows();
    void selectType(TransformerType type);
    void onTypeSelected(TransformerType type);
    void restoreLastRun();
    // Before Close overwrites a last-run file that changed on disk since it was read: asks.
    bool mayOverwriteChangedLastRun(const QString &path);
    // Before Close replaces a last-run file that did not load whole: asks, or keeps a copy.
    // False when the file must not be replaced; `notes` gets what the user should be told.
    bool mayReplaceLastRun(const QString &path, QStringList &notes);
    // Fills the fields and the check box from records 2..recordsRead of a last run (the
    // example flag and the type are left to the caller).
    void applyInputRecords(const LastRun &run, int recordsRead);
    // The inputs as the window holds them, in the form Close saves them.
    LastRun currentInputs() const;
    QString filePath(const char *fileName) const;

    QString m_appFolder;
    QString m_pictureFolder;
    std::unique_ptr<WindowControls> m_controls;
    QuitFunction m_quit;
    FileWriter m_writeLastRun;
    MessageFunction m_message;
    QuestionFunction m_question;

    // How the last read of the last-run file went, so that Close never replaces a file that
    // did not load whole without asking or keeping a copy.
    enum class LastRunState { Whole, Missing, Damaged, Unreadable };
    LastRunState m_lastRunState = LastRunState::Missing;
    // The last-run file as it was read, so that Close asks before it overwrites a file another
    // copy of the calculator saved in between.
    FileIdentity m_lastRunIdentity;
    QString m_lastRunProblem;   // what went wrong with the last-run file, for the user
    QString m_constantsProblem; // the same for the constants file
    // The design's values that are not held by the form's own controls (the extension block
    // and the slots beside it); its records are the controls' texts.
    Design m_design;
    std::optional<Evaluation> m_evaluation;
    // True while the last-run file holds the worked example shipped with the program.
    bool m_example = false;
    DissipationLimits m_limits;
    // Why the limits in use are doubtful (a damaged constants file); empty when they are not.
    QString m_limitsWarning;
    bool m_refusalShown = false;
    std::array<QString, kMaxSecondaries> m_currentProblems;
    QFocusFrame *m_focusFrame = nullptr;
    // Quick-help texts of the command buttons.
    QString m_helpCalculate;
    QString m_helpClear;
    QString m_helpLoad;
    QString m_helpClose;
};

} // namespace ferrolux
