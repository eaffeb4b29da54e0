// The calculator window's whole design as one value, for whatever keeps designs beyond
// the last-run file: reading it from the controls and putting it back into them.

#include "calculator_window.h"
#include "calculator_window_controls.h"
#include "calculator_window_widgets.h"
#include "field_text_rules.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QRadioButton>
#include <utility>

namespace ferrolux {

Design CalculatorWindow::design() const
{
    Design design = m_design;
    design.run = currentInputs();
    return design;
}

void CalculatorWindow::setDesign(const Design &design)
{
    const WindowControls &c = *m_controls;
    const LastRun &v = design.run;
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
        c.typePicture->setVisible(false);
    }
    m_design.supplies = design.supplies;
    m_design.measurements = design.measurements;
    m_design.lamination = design.lamination;
    setDesignExtras(design.extras);
}

void CalculatorWindow::setDesignExtras(const DesignExtras &extras)
{
    if (m_evaluation && m_evaluation->design.extras.thermal != extras.thermal) {
        m_evaluation = withThermalInputs(std::move(*m_evaluation), extras.thermal);
    }
    m_design.extras = extras;
    emit designExtrasChanged();
}

QStringList CalculatorWindow::reportLines() const
{
    QStringList lines;
    const QListWidget *list = m_controls->reportList;
    for (int row = 0; row < list->count(); ++row) {
        lines << list->item(row)->text();
    }
    return lines;
}

void CalculatorWindow::setSecondaryCurrentProblem(int row, const QString &reason)
{
    QString &problem = m_currentProblems[static_cast<std::size_t>(row)];
    if (problem == reason) {
        return;
    }
    problem = reason;
    QLineEdit *field = m_controls->secondaryCurrentEdits[row];
    if (reason.isEmpty()) {
        // Back to the field's own marks for the text it holds.
        field->setPalette(QPalette());
        field->setProperty(kPartlyReadProperty, false);
        markPartlyReadNumber(field);
        return;
    }
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor(0xFF, 0xD0, 0xD0));
    field->setPalette(palette);
    field->setToolTip(reason);
}

bool CalculatorWindow::refuseForCurrentProblem()
{
    for (int row = 0; row < visibleSecondaryCount(); ++row) {
        const QString &problem = m_currentProblems[static_cast<std::size_t>(row)];
        if (!problem.isEmpty()) {
            showRefusal(QStringLiteral("Secondary %1: ").arg(row + 1) + problem +
                        QStringLiteral(". Change its DC load or type a current."));
            m_controls->secondaryCurrentEdits[row]->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

} // namespace ferrolux
