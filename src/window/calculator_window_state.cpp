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
    auto set = [](QLineEdit *field, const std::string &value) {
        field->setText(QString::fromStdString(value));
    };
    set(c.TxtPriV, v.primaryVoltage);
    set(c.TxtPriR, v.primaryResistance);
    // The count goes first among the rows, so the rows shown follow it.
    set(c.TxtNoSec, v.secondaryCount);
    for (int k = 0; k < kMaxSecondaries; ++k) {
        set(c.TxtSec1V[k], v.secondaries[k].voltage);
        set(c.TxtSec1R[k], v.secondaries[k].resistance);
        set(c.TxtSec1I[k], v.secondaries[k].current);
    }
    set(c.TxtX, v.x);
    set(c.TxtY, v.y);
    set(c.TxtZ, v.z);
    set(c.TxtA, v.a);
    set(c.TxtB, v.b);
    set(c.TxtC, v.c);
    c.ChkLoading->setCheckState(v.loading == 1   ? Qt::Checked
                                : v.loading == 2 ? Qt::PartiallyChecked
                                                 : Qt::Unchecked);
    if (v.typeCode >= 1 && v.typeCode <= 4) {
        selectType(static_cast<TransformerType>(v.typeCode));
    } else {
        // No type: every option cleared, as Clear Data leaves them.
        c.typeGroup->setExclusive(false);
        for (QRadioButton *option : {c.OpMil, c.OpType1, c.OpType2, c.OpType3}) {
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
