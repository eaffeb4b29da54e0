#include "check_panel.h"

#include "check_panel_headroom.h"
#include "check_panel_inputs.h"
#include "check_panel_loads.h"
#include "check_panel_plots.h"
#include "check_panel_verdict.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ferrolux {

CheckPanel::CheckPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("checkPanel"));
    auto *layout = new QVBoxLayout(this);

    m_limitsWarning = new QLabel(this);
    m_limitsWarning->setObjectName(QStringLiteral("checkLimitsWarning"));
    m_limitsWarning->setWordWrap(true);
    m_limitsWarning->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_limitsWarning->hide();

    m_status = new QLabel(QStringLiteral("Inputs changed: press Calculate"), this);
    m_status->setObjectName(QStringLiteral("checkStatus"));
    m_status->setStyleSheet(
        QStringLiteral("background: #fff0c0; border: 1px solid #c0a040; padding: 2px;"));
    m_status->hide();

    m_verdict = new VerdictView(this);
    m_headroom = new HeadroomBars(this);
    m_plots = new CheckPlots(this);
    m_inputs = new ThermalInputsBox(this);
    m_loads = new DcLoadHelper(this);
    connect(m_inputs, &ThermalInputsBox::edited, this, &CheckPanel::thermalInputsEdited);

    for (QWidget *part : {static_cast<QWidget *>(m_limitsWarning), static_cast<QWidget *>(m_status),
                          static_cast<QWidget *>(m_verdict), static_cast<QWidget *>(m_headroom),
                          static_cast<QWidget *>(m_plots), static_cast<QWidget *>(m_inputs),
                          static_cast<QWidget *>(m_loads)}) {
        layout->addWidget(part);
    }
    layout->addStretch(1);
    showNothing();
}

ThermalInputs CheckPanel::thermalInputs() const
{
    return m_inputs->inputs();
}

void CheckPanel::setThermalInputs(const ThermalInputs &inputs)
{
    m_inputs->setInputs(inputs);
}

void CheckPanel::showFigures(const CheckFigures &figures)
{
    m_verdict->showChecks(figures.checks, figures.inputs);
    m_headroom->showHeadroom(figures.checks.headroom);
    m_headroom->show();
    m_plots->showFigures(figures);
    setOutOfDate(false);
}

void CheckPanel::showNothing()
{
    m_verdict->showNothing();
    m_headroom->showHeadroom({});
    m_headroom->hide();
    m_plots->showNothing();
}

void CheckPanel::setOutOfDate(bool outOfDate)
{
    m_outOfDate = outOfDate;
    m_status->setVisible(outOfDate);
}

void CheckPanel::setLimitsWarning(const QString &warning)
{
    m_limitsWarning->setText(warning);
    m_limitsWarning->setVisible(!warning.isEmpty());
}

bool CheckPanel::chartsBuilt() const
{
    return m_plots->chartsBuilt();
}

} // namespace ferrolux
