// The calculator window's whole input state as one value, for whatever keeps designs beyond
// the last-run file: reading it from the controls and putting it back into them.

#include "calculator_window.h"
#include "calculator_window_controls.h"
#include "calculator_window_widgets.h"

#include <QButtonGroup>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

namespace ferrolux {

DesignState CalculatorWindow::inputState() const
{
    return {currentInputs(), m_extras};
}

void CalculatorWindow::setInputState(const DesignState &state)
{
    const WindowControls &c = *m_controls;
    const LastRun &v = state.run;
    applyInputRecords(v, kLastRunRecordCount);
    if (v.typeCode >= 1 && v.typeCode <= 4) {
        selectType(static_cast<TransformerType>(v.typeCode));
    } else {
        // No type: every option cleared, as Clear Data leaves them.
        c.typeGroup->setExclusive(false);
        for (QRadioButton *option : c.typeOptions) {
            option->setChecked(false);
        }
        c.typeGroup->setExclusive(true);
        c.Image1->setVisible(false);
    }
    setDesignExtras(state.extras);
}

void CalculatorWindow::setDesignExtras(const DesignExtras &extras)
{
    m_extras = extras;
    emit designExtrasChanged();
}

QStringList CalculatorWindow::reportLines() const
{
    QStringList lines;
    const QListWidget *list = m_controls->ListOut;
    for (int row = 0; row < list->count(); ++row) {
        lines << list->item(row)->text();
    }
    return lines;
}

} // namespace ferrolux
