// The main window keeps the check panel in step with the form: new figures on every successful
// Calculate and on a change of the panel's inputs once a calculation exists; "out of date"
// marks on the panel and the report when the form changes after a Calculate; the DC-load
// helper writing winding currents into the form; the extension-block values both ways.

#include "calculator_window.h"
#include "check_figures.h"
#include "check_panel.h"
#include "check_panel_loads.h"
#include "main_window.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

namespace ferrolux {

void MainWindow::connectChecks()
{
    m_reportStatus = new QLabel(this);
    m_reportStatus->setObjectName(QStringLiteral("reportStatus"));
    statusBar()->addWidget(m_reportStatus, 1);
    statusBar()->setSizeGripEnabled(false);

    connect(m_form, &CalculatorWindow::calculated, this, &MainWindow::refreshChecks);
    connect(m_form, &CalculatorWindow::inputsEdited, this, &MainWindow::markOutOfDate);
    // A refusal is said in the form's help box: on a small screen, scroll it into view.
    connect(m_form, &CalculatorWindow::refusalShown, this, [this] {
        const QRect area = m_form->messageArea();
        m_scroll->ensureVisible(area.center().x(), area.center().y(), area.width() / 2 + 1,
                                area.height() / 2 + 1);
    });
    // The form holds the values; the panel shows them. A change that came from the panel is
    // already shown there, so its fields are rewritten only where they differ.
    connect(m_form, &CalculatorWindow::designExtrasChanged, this, [this] {
        if (!m_panel) {
            return;
        }
        const DesignExtras &extras = m_form->designExtras();
        if (m_panel->thermalInputs() != extras.thermal) {
            m_panel->setThermalInputs(extras.thermal);
        }
        if (m_panel->loadHelper()->loads() != extras.loads) {
            m_panel->loadHelper()->setLoads(extras.loads);
        }
    });
    // A load whose winding current cannot be computed keeps Calculate from using the field.
    connect(m_form, &CalculatorWindow::designExtrasChanged, this, [this] {
        for (int row = 0; row < kMaxSecondaries; ++row) {
            m_form->setSecondaryCurrentProblem(
                row,
                windingCurrentProblem(m_form->designExtras().loads[static_cast<std::size_t>(row)]));
        }
    });
    connect(m_form, &CalculatorWindow::secondaryRowsChanged, this, [this](int rows) {
        if (m_panel) {
            m_panel->loadHelper()->setVisibleRows(rows);
        }
    });
    // Typing a current by hand makes that secondary an AC load again.
    connect(m_form, &CalculatorWindow::secondaryCurrentEdited, this, [this](int row) {
        checkPanel()->loadHelper()->setKindToAc(row);
        storeExtrasFromPanel();
    });
}

CheckPanel *MainWindow::checkPanel()
{
    if (m_panel) {
        return m_panel;
    }
    m_panel = new CheckPanel;
    m_panelScroll->setWidget(m_panel); // replaces the placeholder
    connectPanel();
    // Catch up with the form.
    const DesignExtras &extras = m_form->designExtras();
    m_panel->setThermalInputs(extras.thermal);
    m_panel->loadHelper()->setLoads(extras.loads);
    m_panel->loadHelper()->setVisibleRows(m_form->visibleSecondaryCount());
    m_panel->setLimitsWarning(m_form->limitsWarning());
    showChecks();
    m_panel->setOutOfDate(m_outOfDate);
    return m_panel;
}

void MainWindow::connectPanel()
{
    connect(m_panel, &CheckPanel::thermalInputsEdited, this, [this] {
        storeExtrasFromPanel();
        if (m_form->evaluation()) {
            showChecks();
        }
    });
    connect(m_panel->loadHelper(), &DcLoadHelper::loadEdited, this, &MainWindow::applyLoad);
}

void MainWindow::storeExtrasFromPanel()
{
    DesignExtras extras = m_form->designExtras();
    extras.thermal = checkPanel()->thermalInputs();
    extras.loads = checkPanel()->loadHelper()->loads();
    m_form->setDesignExtras(extras);
}

void MainWindow::applyLoad(int row)
{
    storeExtrasFromPanel();
    const SecondaryLoad &load = m_form->designExtras().loads[static_cast<std::size_t>(row)];
    if (const std::optional<double> current = windingCurrentFor(load)) {
        const QString text = windingCurrentText(*current);
        if (m_form->secondaryCurrent(row) != text) {
            m_form->setSecondaryCurrent(row, text);
            markOutOfDate();
        }
    }
}

void MainWindow::showChecks()
{
    if (!m_panel) {
        return; // the panel catches up when it is built
    }
    const std::optional<Evaluation> &evaluation = m_form->evaluation();
    if (!evaluation) {
        m_panel->showNothing();
        return;
    }
    m_panel->showEvaluation(*evaluation);
}

void MainWindow::refreshChecks()
{
    m_outOfDate = false;
    CheckPanel *panel = checkPanel();
    showChecks();
    panel->setOutOfDate(false);
    panel->setLimitsWarning(m_form->limitsWarning());
    m_reportStatus->clear();
}

void MainWindow::markOutOfDate()
{
    if (!m_form->evaluation()) {
        return; // nothing shown yet that could be stale
    }
    m_outOfDate = true;
    if (m_panel) {
        m_panel->setOutOfDate(true);
    }
    m_reportStatus->setText(QStringLiteral("Inputs changed: press Calculate. The report and the "
                                           "checks are for the inputs as they were."));
}

} // namespace ferrolux
