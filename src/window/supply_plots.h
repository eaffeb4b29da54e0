#pragma once

// The Supply page's two plots: one steady cycle (the winding's current and the output
// voltage against time) and the regulation curve (DC output against load current).

#include "supply_curves.h"
#include "supply_simulation.h"

#include <QWidget>
#include <vector>

class QChart;
class QChartView;

namespace ferrolux {

// The series and axes of each plot, added to an empty chart: the panel's page and the report's
// page both draw them. Nothing is added for an empty waveform or curve.
void fillSupplyCycleChart(QChart *chart, const SupplyWaveform &waveform);
void fillRegulationChart(QChart *chart, const std::vector<RegulationPoint> &points);

// The plots' titles, on the panel and on the report's page.
QString supplyCycleTitle();
QString regulationTitle();

class SupplyPlots : public QWidget
{
    Q_OBJECT

public:
    explicit SupplyPlots(QWidget *parent = nullptr);

    void showCycle(const SupplyWaveform &waveform);
    void showRegulation(const std::vector<RegulationPoint> &points);
    void clear();

    // What is plotted, for tests: the points of each series.
    int cyclePointCount() const;
    int regulationPointCount() const;

private:
    QChartView *m_cycle = nullptr;
    QChartView *m_regulation = nullptr;
};

} // namespace ferrolux
