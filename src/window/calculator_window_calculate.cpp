// The calculator window's Calculate: the inputs evaluated once, the report list filled from
// that evaluation, or the core's refusal shown in the quick-help box with the focus on the
// field it blames.

#include "calculator_window.h"
#include "calculator_window_controls.h"
#include "evaluation.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <utility>

namespace ferrolux {
namespace {

// The object name of the control a refusal blames ("TxtPriV", "TxtSec1R_1", ...); empty
// when no single field is to blame.
QString refusedFieldName(DesignField field, int row)
{
    const auto rowName = [row](const char *family) {
        return QStringLiteral("%1_%2").arg(QLatin1String(family)).arg(row);
    };
    switch (field) {
    case DesignField::None:
        break;
    case DesignField::PrimaryVoltage:
        return QStringLiteral("TxtPriV");
    case DesignField::PrimaryResistance:
        return QStringLiteral("TxtPriR");
    case DesignField::SecondaryCount:
        return QStringLiteral("TxtNoSec");
    case DesignField::SecondaryVoltage:
        return rowName("TxtSec1V");
    case DesignField::SecondaryCurrent:
        return rowName("TxtSec1I");
    case DesignField::SecondaryResistance:
        return rowName("TxtSec1R");
    case DesignField::DimensionX:
        return QStringLiteral("TxtX");
    case DesignField::DimensionY:
        return QStringLiteral("TxtY");
    case DesignField::DimensionZ:
        return QStringLiteral("TxtZ");
    case DesignField::DimensionA:
        return QStringLiteral("TxtA");
    case DesignField::DimensionB:
        return QStringLiteral("TxtB");
    case DesignField::DimensionC:
        return QStringLiteral("TxtC");
    }
    return {};
}

} // namespace

void CalculatorWindow::calculate()
{
    const WindowControls &c = *m_controls;
    if (refuseForCurrentProblem()) {
        return;
    }
    Evaluation evaluation = ferrolux::evaluate(design(), m_limits);
    if (evaluation.ok()) {
        c.reportList->clear();
        for (const std::string &line : evaluation.reportLines) {
            c.reportList->addItem(QString::fromStdString(line));
        }
        m_evaluation = std::move(evaluation);
        // A new report opens at its first line, whatever part of the old one was in view.
        c.reportList->scrollToTop();
        clearRefusal();
        emit calculated();
        return;
    }

    // A refused calculation never touches the report, so what it shows is never stale.
    const Refusal &refusal = *evaluation.refusal;
    if (refusal.kind == RefusalKind::Dimensions) {
        m_message(QStringLiteral("Ferrolux"), QString::fromStdString(refusal.message));
        return;
    }
    showRefusal(QString::fromStdString(refusal.message));
    const QString fieldName = refusedFieldName(refusal.field, refusal.row);
    if (!fieldName.isEmpty()) {
        if (auto *field = findChild<QWidget *>(fieldName)) {
            field->setFocus(Qt::OtherFocusReason);
        }
    }
}

void CalculatorWindow::showRefusal(const QString &message)
{
    m_controls->quickHelpBox->setPlainText(message);
    m_refusalShown = true;
    emit refusalShown();
}

void CalculatorWindow::clearRefusal()
{
    if (m_refusalShown) {
        m_refusalShown = false;
        m_controls->quickHelpBox->clear();
    }
}

} // namespace ferrolux
