#pragma once

// The check panel's two plots: hot spot against the load scale (a curve per model, the class
// limit, markers at 100 % and at the class-limit scale), and the hottest hot spot against the
// mains with a table of each secondary's loaded voltage. Charts are costly to build, so a page
// builds its chart only once it has figures to plot and has been painted (its tab shown);
// until the first Calculate it shows a one-line hint instead. Figures that arrive before the
// chart wait for it.

#include "check_figures.h"

#include <QWidget>
#include <optional>

class QChart;
class QChartView;
class QTableWidget;
class QVBoxLayout;

namespace ferrolux {

// The series and axes of the two plots, added to an empty chart, for figures whose thermal
// check is available: the panel's charts and the report's page both draw them.
void fillLoadChart(QChart *chart, const CheckFigures &figures);
void fillMainsChart(QChart *chart, const CheckFigures &figures);

class ChartPage : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPage(QWidget *parent = nullptr);

    void showFigures(const std::optional<CheckFigures> &figures);
    bool chartBuilt() const { return m_chart != nullptr; }
    // Builds the chart now, painted or not, when there are figures to plot (for an export).
    void buildWithFigures();

protected:
    void paintEvent(QPaintEvent *event) override;
    // Adds the page's widgets below the chart view, which exists by then.
    virtual void buildExtras(QVBoxLayout *) {}
    virtual void fill(const CheckFigures *figures) = 0;
    virtual const char *chartName() const = 0;
    QChartView *chartView() const { return m_chart; }

private:
    void build();

    QVBoxLayout *m_layout = nullptr;
    QChartView *m_chart = nullptr;
    bool m_buildScheduled = false;
    std::optional<CheckFigures> m_figures;
};

class LoadPlot : public ChartPage
{
    Q_OBJECT

public:
    using ChartPage::ChartPage;

protected:
    void fill(const CheckFigures *figures) override;
    const char *chartName() const override { return "checkLoadChart"; }
};

class MainsPlot : public ChartPage
{
    Q_OBJECT

public:
    using ChartPage::ChartPage;

protected:
    void buildExtras(QVBoxLayout *layout) override;
    void fill(const CheckFigures *figures) override;
    const char *chartName() const override { return "checkMainsChart"; }

private:
    QTableWidget *m_table = nullptr;
};

} // namespace ferrolux
