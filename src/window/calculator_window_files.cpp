// The calculator window and its files: restoring the last run at load, the Load button, and
// saving the inputs on Close.

#include "calculator_window.h"
#include "calculator_window_controls.h"
#include "calculator_window_widgets.h"
#include "constants_file.h"
#include "constants_warning.h"
#include "construction_types.h"
#include "design.h"
#include "last_run_file.h"

#include <QPushButton>
#include <QRadioButton>

namespace ferrolux {
namespace {

Qt::CheckState checkStateFromRecord(int value)
{
    switch (value) {
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

int recordFromCheckState(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

QString fromCore(const std::string &text)
{
    return QString::fromStdString(text);
}

// Record 23 of the last-run file holds the construction type.
constexpr int kTypeRecord = 23;

// Before a damaged file is replaced, it is copied whole, up to this size.
constexpr std::size_t kMaxKeptCopyBytes = 1u << 30;

// Reads a data file of the program folder. Only a regular file is read: a named pipe in its
// place would block the open until some other program wrote to it, and the window would never
// appear.
FileRead readDataFile(const QString &path)
{
    return readRegularFile(path.toStdString(), kMaxDataFileBytes);
}

} // namespace

void CalculatorWindow::restoreLastRun()
{
    // One read of the file: loading it also takes the example flag from record 1.
    loadFile();
    if (m_example) {
        m_controls->loadButton->setText(QStringLiteral("Load Example"));
    }

    // One message at start for whatever could not be read, before any key is pressed.
    QStringList problems;
    // A constants file that could not be read at all is already named by its own problem.
    const QString limitsWarning = m_constantsProblem.isEmpty() ? m_limitsWarning : QString();
    for (const QString &problem : {m_lastRunProblem, m_constantsProblem, limitsWarning}) {
        if (!problem.isEmpty()) {
            problems << problem;
        }
    }
    if (!problems.isEmpty()) {
        m_message(QStringLiteral("Ferrolux"), problems.join(QStringLiteral("\n\n")));
    }
}

void CalculatorWindow::applyInputRecords(const LastRun &v, int recordsRead)
{
    const WindowControls &c = *m_controls;
    // Each record is applied in file order, as far as the file could be read; record 1 (the
    // example flag) and record 23 (the type) are the caller's. Setting the count runs the row
    // update before the secondaries are filled.
    int record = 1;
    auto nextRecordRead = [&] { return ++record <= recordsRead; };
    auto setField = [&](QLineEdit *field, const std::string &value) {
        if (nextRecordRead()) {
            field->setText(fromCore(value));
        }
    };
    setField(c.primaryVoltageEdit, v.primaryVoltage);
    setField(c.primaryResistanceEdit, v.primaryResistance);
    setField(c.secondaryCountEdit, v.secondaryCount);
    for (int k = 0; k < kMaxSecondaries; ++k) {
        setField(c.secondaryVoltageEdits[k], v.secondaries[k].voltage);
        setField(c.secondaryResistanceEdits[k], v.secondaries[k].resistance);
        setField(c.secondaryCurrentEdits[k], v.secondaries[k].current);
    }
    nextRecordRead(); // the type
    setField(c.dimensionXEdit, v.x);
    setField(c.dimensionYEdit, v.y);
    setField(c.dimensionZEdit, v.z);
    setField(c.dimensionAEdit, v.a);
    setField(c.dimensionBEdit, v.b);
    setField(c.dimensionCEdit, v.c);
    if (nextRecordRead()) {
        c.correctForLoadingBox->setCheckState(checkStateFromRecord(v.loading));
    }
}

void CalculatorWindow::loadFile()
{
    LastRunLoad load;
    {
        DesignExtras extras;
        const QString path = filePath(kLastRunFileName);
        m_lastRunIdentity = fileIdentity(path);
        const FileRead file = readDataFile(path);
        m_lastRunProblem.clear();
        m_constantsProblem.clear();
        if (file.status == FileRead::Status::Missing) {
            m_lastRunState = LastRunState::Missing;
            return; // a missing file changes nothing at all
        }
        if (file.status == FileRead::Status::Unreadable) {
            m_lastRunState = LastRunState::Unreadable;
            m_lastRunProblem = path + QStringLiteral(" cannot be read: ") + fromCore(file.reason) +
                               QStringLiteral(".\nThe calculator opens with its defaults and "
                                              "writes nothing now; Close asks before it replaces "
                                              "that file.");
            return;
        }
        if (file.status == FileRead::Status::TooLarge) {
            load.failure = "record 1: " + file.reason;
        } else {
            const DesignFileRead read = readDesignFile(file.bytes);
            load.values = read.design.run;
            load.recordsRead = read.recordsRead;
            load.failure = read.failure;
            extras = read.design.extras;
        }
        m_lastRunState = load.complete() ? LastRunState::Whole : LastRunState::Damaged;
        if (!load.complete()) {
            m_lastRunProblem = path + QStringLiteral(" did not load whole: ") +
                               fromCore(load.failure) +
                               QStringLiteral(".\nThe fields from that record on keep their "
                                              "defaults. Before Close replaces the file, it "
                                              "keeps the original beside it.");
        }
        // The extension block after the 30 records; a file without one reads as defaults.
        setDesignExtras(extras);
    }
    const LastRun &v = load.values;

    if (load.recordsRead >= 1) {
        m_example = v.example;
    }
    applyInputRecords(v, load.recordsRead);
    const int typeCode = load.recordsRead >= kTypeRecord ? v.typeCode : 0;

    // The constants are read only after a complete last-run file; each value read is kept.
    if (load.complete()) {
        const QString path = filePath(kConstantsFileName);
        const FileRead file = readDataFile(path);
        if (file.status == FileRead::Status::Unreadable ||
            file.status == FileRead::Status::TooLarge) {
            m_constantsProblem = path + QStringLiteral(" cannot be read: ") +
                                 fromCore(file.reason) +
                                 QStringLiteral(".\nThe default limits are used; that file is "
                                                "never written.");
        }
        ConstantsLoad constants;
        if (file.ok()) {
            constants = readConstants(file.bytes);
            constants.applyTo(m_limits);
        }
        m_limitsWarning = constantsWarning(path, file.ok() ? &constants : nullptr);
    }

    // The type goes last, after a short file too, so its picture and fields follow it.
    if (typeCode >= 1 && typeCode <= 4) {
        selectType(static_cast<TransformerType>(typeCode));
    }
}

void CalculatorWindow::loadData()
{
    loadFile();
    emit inputsEdited(); // the inputs were replaced by the user's choice
    emit lastRunLoaded();
}

LastRun CalculatorWindow::currentInputs() const
{
    const WindowControls &c = *m_controls;
    LastRun run;
    run.example = false;
    run.primaryVoltage = toCore(c.primaryVoltageEdit);
    run.primaryResistance = toCore(c.primaryResistanceEdit);
    run.secondaryCount = toCore(c.secondaryCountEdit);
    for (int k = 0; k < kMaxSecondaries; ++k) {
        run.secondaries[k] = {toCore(c.secondaryVoltageEdits[k]),
                              toCore(c.secondaryResistanceEdits[k]),
                              toCore(c.secondaryCurrentEdits[k])};
    }
    // Tested in this order, the last selected option wins.
    run.typeCode = 0;
    for (const ConstructionType &construction : kConstructionTypes) {
        if (c.typeButton(construction.type)->isChecked()) {
            run.typeCode = static_cast<int>(construction.type);
        }
    }
    run.x = toCore(c.dimensionXEdit);
    run.y = toCore(c.dimensionYEdit);
    run.z = toCore(c.dimensionZEdit);
    run.a = toCore(c.dimensionAEdit);
    run.b = toCore(c.dimensionBEdit);
    run.c = toCore(c.dimensionCEdit);
    run.loading = recordFromCheckState(c.correctForLoadingBox->checkState());
    return run;
}

bool CalculatorWindow::mayReplaceLastRun(const QString &path, QStringList &notes)
{
    const QString title = QStringLiteral("Ferrolux");
    if (m_lastRunState == LastRunState::Unreadable) {
        return m_question(title, m_lastRunProblem.section(QLatin1Char('\n'), 0, 0) +
                                     QStringLiteral("\n\nReplace it with the current inputs?"));
    }
    if (m_lastRunState != LastRunState::Damaged) {
        return true;
    }
    // The file as it stands now is what the save would destroy: keep that.
    const FileRead original = readRegularFile(path.toStdString(), kMaxKeptCopyBytes);
    if (original.status == FileRead::Status::Missing) {
        return true;
    }
    std::string reason = original.reason;
    std::string kept;
    if (original.ok()) {
        kept = keepCopyBeside(path.toStdString(), original.bytes, reason);
    }
    if (kept.empty()) {
        m_message(title, QStringLiteral("The inputs were not saved: ") + path +
                             QStringLiteral(" did not load whole, and no copy of it could be "
                                            "kept.\n") +
                             fromCore(reason));
        return false;
    }
    notes << path + QStringLiteral(" did not load whole; the original was kept as ") +
                 fromCore(kept) + QStringLiteral(".");
    return true;
}

bool CalculatorWindow::mayOverwriteChangedLastRun(const QString &path)
{
    // A file that did not load whole has questions of its own, and nothing of it is trusted.
    if (m_lastRunState != LastRunState::Whole && m_lastRunState != LastRunState::Missing) {
        return true;
    }
    const QString note = changedOnDiskNote(path, m_lastRunIdentity);
    return note.isEmpty() ||
           m_question(QStringLiteral("Ferrolux"),
                      note + QStringLiteral("\n\nOverwrite it with the inputs of this window?"));
}

void CalculatorWindow::closeAndSave()
{
    const QString path = filePath(kLastRunFileName);
    if (!mayOverwriteChangedLastRun(path)) {
        // The other program's file stays; the window stays open, so nothing typed is lost.
        m_message(QStringLiteral("Ferrolux"),
                  QStringLiteral("The inputs were not saved: ") + path +
                      QStringLiteral(" was not changed. Save Design As keeps them elsewhere."));
        return;
    }
    m_example = false;
    const LastRun run = currentInputs();

    QStringList notes;
    if (!mayReplaceLastRun(path, notes)) {
        // Declined by the user (nothing failed), or the damaged file could not be kept.
        m_quit(m_lastRunState == LastRunState::Unreadable ? 0 : 1);
        return;
    }
    Design saved = m_design;
    saved.run = run;
    const std::string bytes = designFileBytes(saved);
    SaveOptions options;
    options.announceInPlace = [this, &path](const std::string &why) {
        return m_question(QStringLiteral("Ferrolux"), inPlaceQuestion(path, why));
    };
    const SaveResult result = m_writeLastRun(path.toStdString(), bytes, options);
    const QString told = saveOutcomeText(QStringLiteral("the inputs"), path, result);
    if (!told.isEmpty()) {
        notes << told;
    }
    if (!notes.isEmpty()) {
        m_message(QStringLiteral("Ferrolux"), notes.join(QStringLiteral("\n\n")));
    }
    if (result.outcome == SaveResult::Outcome::Declined) {
        // The user kept the file as it is: the window stays open with the inputs.
        m_lastRunIdentity = fileIdentity(path);
        return;
    }
    // A failed save still ends the program, with a failure status; the user learns that the
    // inputs were not kept.
    m_quit(result.ok() ? 0 : 1);
}

} // namespace ferrolux
