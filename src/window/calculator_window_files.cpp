// The calculator window and its files: restoring the last run at load, the Load button, and
// saving the inputs on Close.

#include "calculator_window.h"
#include "calculator_window_controls.h"
#include "calculator_window_widgets.h"
#include "constants_file.h"
#include "constants_warning.h"
#include "design_extras.h"
#include "last_run_file.h"

#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <system_error>

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

std::string toCore(const QLineEdit *field)
{
    return field->text().toStdString();
}

// Opens a data file of the program folder for reading. Anything but a regular file counts as
// missing: a named pipe in its place would block the open until some other program wrote to
// it, and the window would never appear.
std::ifstream openDataFile(const QString &path)
{
    std::ifstream in;
    std::error_code error;
    if (std::filesystem::is_regular_file(path.toStdString(), error)) {
        in.open(path.toStdString(), std::ios::binary);
    }
    return in;
}

} // namespace

void CalculatorWindow::restoreLastRun()
{
    {
        std::ifstream in = openDataFile(filePath(kLastRunFileName));
        if (in) {
            if (const auto flag = readExampleFlag(in)) {
                m_example = *flag;
            }
        }
    }
    if (m_example) {
        m_controls->CmdLoadData->setText(QStringLiteral("Load Example"));
    }
    loadFile();
}

void CalculatorWindow::loadFile()
{
    const WindowControls &c = *m_controls;
    LastRunLoad load;
    {
        std::ifstream in = openDataFile(filePath(kLastRunFileName));
        if (!in) {
            return; // a missing file changes nothing at all
        }
        load = readLastRun(in);
        // The extension block after the 30 records; a file without one reads as the defaults.
        in.clear();
        in.seekg(0);
        setDesignExtras(readDesignExtras(in));
    }
    const LastRun &v = load.values;

    // Each record is applied in file order, as far as the file could be read. Setting the count
    // runs the row update before the secondaries are filled.
    int record = 0;
    auto nextRecordRead = [&] { return ++record <= load.recordsRead; };
    auto setField = [&](QLineEdit *field, const std::string &value) {
        if (nextRecordRead()) {
            field->setText(fromCore(value));
        }
    };

    if (nextRecordRead()) {
        m_example = v.example;
    }
    setField(c.TxtPriV, v.primaryVoltage);
    setField(c.TxtPriR, v.primaryResistance);
    setField(c.TxtNoSec, v.secondaryCount);
    for (int k = 0; k < kMaxSecondaries; ++k) {
        setField(c.TxtSec1V[k], v.secondaries[k].voltage);
        setField(c.TxtSec1R[k], v.secondaries[k].resistance);
        setField(c.TxtSec1I[k], v.secondaries[k].current);
    }
    const int typeCode = nextRecordRead() ? v.typeCode : 0;
    setField(c.TxtX, v.x);
    setField(c.TxtY, v.y);
    setField(c.TxtZ, v.z);
    setField(c.TxtA, v.a);
    setField(c.TxtB, v.b);
    setField(c.TxtC, v.c);
    if (nextRecordRead()) {
        c.ChkLoading->setCheckState(checkStateFromRecord(v.loading));
    }

    // The constants are read only after a complete last-run file; each value read is kept.
    if (load.complete()) {
        std::ifstream in = openDataFile(filePath(kConstantsFileName));
        ConstantsLoad constants;
        if (in) {
            constants = readConstants(in);
            constants.applyTo(m_limits);
        }
        m_limitsWarning = constantsWarning(filePath(kConstantsFileName), in ? &constants : nullptr);
    }

    // The type goes last, after a short file too, so its picture and fields follow it.
    if (typeCode >= 1 && typeCode <= 4) {
        selectType(static_cast<TransformerType>(typeCode));
    }
}

void CalculatorWindow::loadData()
{
    loadFile();
}

LastRun CalculatorWindow::currentInputs() const
{
    const WindowControls &c = *m_controls;
    LastRun run;
    run.example = false;
    run.primaryVoltage = toCore(c.TxtPriV);
    run.primaryResistance = toCore(c.TxtPriR);
    run.secondaryCount = toCore(c.TxtNoSec);
    for (int k = 0; k < kMaxSecondaries; ++k) {
        run.secondaries[k] = {toCore(c.TxtSec1V[k]), toCore(c.TxtSec1R[k]), toCore(c.TxtSec1I[k])};
    }
    // Tested in this order, the last selected option wins.
    run.typeCode = 0;
    for (const TransformerType type :
         {TransformerType::Unshielded, TransformerType::ShieldedTopMount,
          TransformerType::ShieldedSubMount, TransformerType::MilitaryPotted}) {
        if (c.typeButton(type)->isChecked()) {
            run.typeCode = static_cast<int>(type);
        }
    }
    run.x = toCore(c.TxtX);
    run.y = toCore(c.TxtY);
    run.z = toCore(c.TxtZ);
    run.a = toCore(c.TxtA);
    run.b = toCore(c.TxtB);
    run.c = toCore(c.TxtC);
    run.loading = recordFromCheckState(c.ChkLoading->checkState());
    return run;
}

void CalculatorWindow::closeAndSave()
{
    m_example = false;
    const LastRun run = currentInputs();

    const QString path = filePath(kLastRunFileName);
    // The extension block goes after the 30 records only when it holds something, so a
    // design that uses none of it is saved exactly as before.
    std::string bytes = lastRunFileBytes(run);
    if (m_extras != DesignExtras{}) {
        bytes += designExtrasBytes(m_extras);
    }
    const std::string failure = m_writeLastRun(path.toStdString(), bytes);
    if (!failure.empty()) {
        // The program still ends; the user learns that the inputs were not kept.
        m_message(QStringLiteral("Ferrolux"), QStringLiteral("The inputs could not be saved to ") +
                                                  path + QStringLiteral(".\n") + fromCore(failure));
    }
    m_quit(0);
}

} // namespace ferrolux
