// The main window keeps the check panel in step with the form: new figures on every successful
// Calculate and on a change of the panel's inputs once a calculation exists; "out of date"
// marks on the panel and the report when the form changes after a Calculate; the DC-load
// helper writing winding currents into the form; the extension-block values both ways.

#include "calculator_window.h"
#include "check_figures.h"
#include "check_panel.h"
#include "check_panel_bench.h"
#include "check_panel_loads.h"
#include "design_bench.h"
#include "load_builder_page.h"
#include "main_window.h"
#include "supply_page.h"

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
        m_panel->bench()->setRecords(benchRecordsOf(m_form->design()));
        showSupplies();
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
            showSupplies();
        }
        showSecondariesToLoadBuilder();
    });
    connect(m_form, &CalculatorWindow::inputsEdited, this,
            &MainWindow::showSecondariesToLoadBuilder);
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
    m_panel->bench()->setRecords(benchRecordsOf(m_form->design()));
    showSecondariesToLoadBuilder();
    showSupplies();
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
    // A supply edited on the panel goes into the design (and is saved with it); "Use the
    // simulated current" writes the winding's RMS current into the secondary's field.
    connect(m_panel->supplyPage(), &SupplyPage::suppliesEdited, this, [this] {
        m_form->setSupplies(m_panel->supplyPage()->supplies());
        markOutOfDate();
    });
    connect(m_panel->supplyPage(), &SupplyPage::useSimulatedCurrent, this,
            [this](int row, double amps) {
                const QString text = windingCurrentText(amps);
                if (m_form->secondaryCurrent(row) != text) {
                    m_form->setSecondaryCurrent(row, text);
                    checkPanel()->loadHelper()->setKindToAc(row);
                    storeExtrasFromPanel();
                    markOutOfDate();
                }
            });
    connect(m_panel->bench(), &BenchPages::edited, this, [this] {
        m_form->setBench(m_panel->bench()->records());
        showChecks();
    });
    connect(m_panel->bench(), &BenchPages::rowsWritten, this, &MainWindow::applyHeaterCurrents);
}

void MainWindow::showSecondariesToLoadBuilder()
{
    if (m_panel) {
        m_panel->bench()->loadBuilder()->setSecondaries(m_form->design().run.secondaries,
                                                        m_form->visibleSecondaryCount());
    }
}

void MainWindow::applyHeaterCurrents(const SecondaryRows &rows)
{
    bool changed = false;
    for (int row = 0; row < kMaxSecondaries; ++row) {
        const QString text = QString::fromStdString(rows[static_cast<std::size_t>(row)].current);
        if (m_form->secondaryCurrent(row) != text) {
            // A heater winding carries AC: a rectifier kind chosen for it no longer applies.
            checkPanel()->loadHelper()->setKindToAc(row);
            m_form->setSecondaryCurrent(row, text);
            changed = true;
        }
    }
    if (changed) {
        storeExtrasFromPanel();
        showSecondariesToLoadBuilder();
        markOutOfDate();
    }
}

void MainWindow::showSupplies()
{
    SupplyPage *page = m_panel->supplyPage();
    const int rows = m_form->visibleSecondaryCount();
    if (page->supplies() != m_form->supplies() || page->secondaryCount() != rows) {
        page->setSupplies(m_form->supplies(), rows);
    }
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
