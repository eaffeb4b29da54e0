#include "supply_plots.h"

#include "plot_chart.h"

#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace ferrolux {

namespace {

constexpr int kChartHeight = 220;

void clearChart(QChart *chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QValueAxis *axis(QChart *chart, Qt::Alignment side, const QString &title, double min, double max)
{
    auto *a = new QValueAxis;
    a->setTitleText(title);
    if (!(max > min)) {
        max = min + 1;
    }
    // A step of 1, 2 or 5 times a power of ten giving about three intervals, the range widened
    // to whole steps, so that the labels are round numbers.
    const double rough = (max - min) / 3;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double step = rough <= power       ? power
                        : rough <= 2 * power ? 2 * power
                        : rough <= 5 * power ? 5 * power
                                             : 10 * power;
    min = std::floor(min / step) * step;
    max = std::ceil(max / step) * step;
    // As many decimals as the step needs.
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    a->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
    a->setRange(min, max);
    a->setTickCount(static_cast<int>(std::lround((max - min) / step)) + 1);
    chart->addAxis(a, side);
    return a;
}

std::pair<double, double> span(const std::vector<double> &values)
{
    if (values.empty()) {
        return {0, 1};
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const double room = 0.05 * std::max(*high - *low, 1e-9);
    return {*low - room, *high + room};
}

int pointCount(const QChartView *view)
{
    int count = 0;
    for (const QAbstractSeries *series : view->chart()->series()) {
        if (const auto *line = qobject_cast<const QLineSeries *>(series)) {
            count = std::max(count, static_cast<int>(line->count()));
        }
    }
    return count;
}

} // namespace

SupplyPlots::SupplyPlots(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_cycle = newPlotView("supplyCycleChart", supplyCycleTitle(), kChartHeight, this);
    m_regulation = newPlotView("supplyRegulationChart", regulationTitle(), kChartHeight, this);
    layout->addWidget(m_cycle);
    layout->addWidget(m_regulation);
}

QString supplyCycleTitle()
{
    return QStringLiteral("One steady cycle");
}

QString regulationTitle()
{
    return QStringLiteral("DC output against load");
}

void SupplyPlots::showCycle(const SupplyWaveform &waveform)
{
    clearChart(m_cycle->chart());
    fillSupplyCycleChart(m_cycle->chart(), waveform);
}

void SupplyPlots::showRegulation(const std::vector<RegulationPoint> &points)
{
    clearChart(m_regulation->chart());
    fillRegulationChart(m_regulation->chart(), points);
}

void fillSupplyCycleChart(QChart *chart, const SupplyWaveform &w)
{
    if (w.timeS.empty()) {
        return;
    }
    auto *current = new QLineSeries;
    current->setName(QStringLiteral("Winding current (A)"));
    auto *voltage = new QLineSeries;
    voltage->setName(QStringLiteral("Output (V)"));
    const double start = w.timeS.front();
    std::vector<double> ms;
    for (std::size_t i = 0; i < w.timeS.size(); ++i) {
        ms.push_back(1000 * (w.timeS[i] - start));
        current->append(ms.back(), w.windingA[i]);
        voltage->append(ms.back(), w.outputV[i]);
    }
    chart->addSeries(current);
    chart->addSeries(voltage);
    QValueAxis *x = axis(chart, Qt::AlignBottom, QStringLiteral("ms"), 0, ms.back());
    const auto [iLow, iHigh] = span(w.windingA);
    const auto [vLow, vHigh] = span(w.outputV);
    QValueAxis *amps = axis(chart, Qt::AlignLeft, QStringLiteral("A"), iLow, iHigh);
    QValueAxis *volts = axis(chart, Qt::AlignRight, QStringLiteral("V"), vLow, vHigh);
    current->attachAxis(x);
    current->attachAxis(amps);
    voltage->attachAxis(x);
    voltage->attachAxis(volts);
}

void fillRegulationChart(QChart *chart, const std::vector<RegulationPoint> &points)
{
    if (points.empty()) {
        return;
    }
    auto *dc = new QLineSeries;
    dc->setName(QStringLiteral("DC output (V)"));
    dc->setPointsVisible(true);
    std::vector<double> ma, volts;
    for (const RegulationPoint &p : points) {
        ma.push_back(1000 * p.loadA);
        volts.push_back(p.dcOutputV);
        dc->append(ma.back(), volts.back());
    }
    chart->addSeries(dc);
    const auto [xLow, xHigh] = span(ma);
    const auto [yLow, yHigh] = span(volts);
    QValueAxis *x =
        axis(chart, Qt::AlignBottom, QStringLiteral("Load (mA)"), std::max(0.0, xLow), xHigh);
    QValueAxis *y = axis(chart, Qt::AlignLeft, QStringLiteral("V"), yLow, yHigh);
    dc->attachAxis(x);
    dc->attachAxis(y);
}

void SupplyPlots::clear()
{
    clearChart(m_cycle->chart());
    clearChart(m_regulation->chart());
}

int SupplyPlots::cyclePointCount() const
{
    return pointCount(m_cycle);
}

int SupplyPlots::regulationPointCount() const
{
    return pointCount(m_regulation);
}

} // namespace ferrolux
