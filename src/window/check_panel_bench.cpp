#include "check_panel_bench.h"

#include "lamination_page.h"
#include "load_builder_page.h"
#include "measured_rise_page.h"
#include "scrolling_page.h"

#include <QLabel>
#include <QTabWidget>

namespace ferrolux {

QString calibratedRowsText(const std::vector<CalibratedRow> &rows)
{
    QStringList lines;
    for (const CalibratedRow &row : rows) {
        const std::string_view title = thermalModelTitle(row.model);
        lines << QStringLiteral("%1, calibrated (x %2): rise %3 K, winding %4 °C, hot spot %5 °C")
                     .arg(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())))
                     .arg(row.factor, 0, 'f', 3)
                     .arg(row.riseK, 0, 'f', 1)
                     .arg(row.windingC, 0, 'f', 1)
                     .arg(row.hotSpotC, 0, 'f', 1);
    }
    return lines.join(QLatin1Char('\n'));
}

BenchPages::BenchPages(QWidget *parent) : QObject(parent)
{
    m_tabs = new QTabWidget(parent);
    m_tabs->setObjectName(QStringLiteral("benchTabs"));
    QTabWidget *tabs = m_tabs;
    m_measured = new MeasuredRisePage(tabs);
    m_lamination = new LaminationPage(tabs);
    m_loads = new LoadBuilderPage(tabs);
    // The pages are taller than the panel may be: each scrolls on its own.
    const auto scrolled = [tabs](QWidget *page) { return new ScrollingPage(page, tabs); };
    tabs->addTab(scrolled(m_measured), QStringLiteral("Measured"));
    tabs->addTab(scrolled(m_lamination), QStringLiteral("Identify"));
    tabs->addTab(scrolled(m_loads), QStringLiteral("Load builder"));
    m_calibrated = new QLabel(parent);
    m_calibrated->setObjectName(QStringLiteral("checkCalibrated"));
    m_calibrated->setWordWrap(true);
    m_calibrated->setToolTip(QStringLiteral("Each model's rise times the factor kept on the "
                                            "Measured page: the average winding temperature, "
                                            "with the hot-spot allowance added."));
    m_calibrated->setVisible(false);
    connect(m_measured, &MeasuredRisePage::measurementsEdited, this, &BenchPages::edited);
    connect(m_lamination, &LaminationPage::laminationEdited, this, &BenchPages::edited);
    connect(m_loads, &LoadBuilderPage::valveListEdited, this, &BenchPages::edited);
    connect(m_loads, &LoadBuilderPage::rowsWritten, this, &BenchPages::rowsWritten);
}

BenchRecords BenchPages::records() const
{
    return BenchRecords{m_measured->measurements(), m_lamination->lamination(),
                        m_loads->valveList()};
}

void BenchPages::setRecords(const BenchRecords &records)
{
    if (m_measured->measurements() != records.measurements) {
        m_measured->setMeasurements(records.measurements);
    }
    if (m_lamination->lamination() != records.lamination) {
        m_lamination->setLamination(records.lamination);
    }
    if (m_loads->valveList() != records.valveList) {
        m_loads->setValveList(records.valveList);
    }
}

void BenchPages::showBench(const std::optional<BenchEvaluation> &bench)
{
    m_measured->showFigures(bench ? bench->rise : std::nullopt);
    std::optional<double> totalVa;
    if (bench && bench->vaBudget) {
        if (const auto *budget = std::get_if<DesignVaBudget>(&*bench->vaBudget)) {
            totalVa = budget->budget.totalVa;
        }
    }
    m_lamination->setDesignVa(totalVa);
    m_loads->showVaBudget(bench ? bench->vaBudget : std::nullopt);
    const QString calibrated =
        bench && bench->rise ? calibratedRowsText(bench->rise->calibrated) : QString();
    m_calibrated->setText(calibrated);
    m_calibrated->setVisible(!calibrated.isEmpty());
}

} // namespace ferrolux
