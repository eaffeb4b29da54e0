#include "check_panel.h"

#include "check_panel_bench.h"
#include "check_panel_headroom.h"
#include "check_panel_inputs.h"
#include "check_panel_loads.h"
#include "check_panel_plots.h"
#include "check_panel_verdict.h"
#include "scrolling_page.h"
#include "supply_page.h"

#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

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
    // Below the verdict, one page at a time: the two plots, the inputs, the load kinds, the
    // supplies and the transformer on the bench.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("checkTabs"));
    // Short captions, so that every tab reads whole in the panel's width on a 1280-pixel
    // screen without scroll arrows; the tooltip gives the page's full name.
    const auto addPage = [this](QWidget *page, const char *caption, const char *name) {
        const int at = m_tabs->addTab(page, QString::fromUtf8(caption));
        m_tabs->setTabToolTip(at, QString::fromUtf8(name));
    };
    m_loadPlot = new LoadPlot(m_tabs);
    m_mainsPlot = new MainsPlot(m_tabs);
    m_inputs = new ThermalInputsBox(m_tabs);
    m_loads = new DcLoadHelper(m_tabs);
    // The tab names the page; the boxes need no title of their own there.
    m_inputs->setTitle(QString());
    m_loads->setTitle(QString());
    addPage(m_loadPlot, "Load plot", "Hot spot against the load scale");
    addPage(m_mainsPlot, "Mains",
            "Hottest hot spot against the mains, and each secondary's voltage");
    addPage(m_inputs, "Inputs",
            "Thermal inputs: ambient, insulation class, hot-spot allowance, core loss, emissivity");
    // Two lines a secondary make the load kinds the tallest page: it scrolls on its own rather
    // than stretching the whole panel.
    auto *loadsPage = new ScrollingPage(m_loads, m_tabs);
    loadsPage->setObjectName(QStringLiteral("checkLoadsPage"));
    // As wide as the kinds need with the page's own scroll bar beside them.
    loadsPage->setMinimumWidth(m_loads->minimumSizeHint().width() +
                               loadsPage->verticalScrollBar()->sizeHint().width());
    addPage(loadsPage, "Loads", "Load kinds: the load and DC current of each secondary");
    // The supply behind each secondary: a tall page, scrolling on its own too.
    m_supply = new SupplyPage;
    auto *supplyPage = new ScrollingPage(m_supply, m_tabs);
    supplyPage->setObjectName(QStringLiteral("checkSupplyPage"));
    supplyPage->setMinimumWidth(m_supply->minimumSizeHint().width() +
                                supplyPage->verticalScrollBar()->sizeHint().width());
    addPage(supplyPage, "Supply",
            "The supply behind each secondary: rectifier, filter and load, simulated");
    connect(m_inputs, &ThermalInputsBox::edited, this, &CheckPanel::thermalInputsEdited);
    m_bench = new BenchPages(this);
    addPage(m_bench->tabs(), "Bench",
            "On the bench: the transformer in hand, measured, identified and loaded");

    for (QWidget *part :
         {static_cast<QWidget *>(m_limitsWarning), static_cast<QWidget *>(m_status),
          static_cast<QWidget *>(m_verdict), static_cast<QWidget *>(m_bench->calibratedRows()),
          static_cast<QWidget *>(m_headroom)}) {
        layout->addWidget(part);
    }
    // The pages take the height the window gives the panel: a plot or the supply page grows
    // with a taller window instead of leaving empty space below it. Their preferred heights
    // are ignored (a chart's grows with the size it was last given, which would make the panel
    // scroll a little more each time); they keep the least height their pages need.
    m_tabs->setMinimumHeight(m_tabs->minimumSizeHint().height());
    m_tabs->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    layout->addWidget(m_tabs, 1);
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

void CheckPanel::showEvaluation(const Evaluation &evaluation)
{
    const CheckFigures &figures = evaluation.checks;
    m_verdict->showChecks(figures.checks, figures.inputs);
    m_headroom->showHeadroom(figures.checks.headroom);
    m_headroom->show();
    m_loadPlot->showFigures(figures);
    m_mainsPlot->showFigures(figures);
    m_bench->showBench(evaluation.bench);
    m_supply->showResults(evaluation.supplies);
    setOutOfDate(false);
}

void CheckPanel::showNothing()
{
    m_verdict->showNothing();
    m_headroom->showHeadroom({});
    m_headroom->hide();
    m_loadPlot->showFigures(std::nullopt);
    m_mainsPlot->showFigures(std::nullopt);
    m_bench->showBench(std::nullopt);
    m_supply->showNothing();
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

QSize CheckPanel::sizeHint() const
{
    return {std::max(kPreferredWidth, minimumSizeHint().width()), QWidget::sizeHint().height()};
}

bool CheckPanel::chartsBuilt() const
{
    return m_loadPlot->chartBuilt() || m_mainsPlot->chartBuilt();
}

void CheckPanel::buildCharts()
{
    m_loadPlot->buildWithFigures();
    m_mainsPlot->buildWithFigures();
}

} // namespace ferrolux
