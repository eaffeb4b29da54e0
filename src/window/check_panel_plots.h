#pragma once

// The check panel's two plots: hot spot against the load scale (a curve per model, the class
// limit, markers at 100 % and at the class-limit scale), and the hottest hot spot against the
// mains with a table of each secondary's loaded voltage. The charts are costly to build, so
// they are built only after the panel has first been painted; figures that arrive before that
// wait for them.

#include "check_figures.h"

#include <QWidget>
#include <optional>

class QChartView;
class QStackedLayout;
class QTableWidget;
class QVBoxLayout;

namespace ferrolux {

class CheckPlots : public QWidget
{
    Q_OBJECT

public:
    explicit CheckPlots(QWidget *parent = nullptr);

    void showFigures(const CheckFigures &figures);
    void showNothing();
    // True once the charts exist.
    bool chartsBuilt() const { return m_loadChart != nullptr; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildCharts();
    void fillCharts();

    QVBoxLayout *m_layout = nullptr;
    QChartView *m_loadChart = nullptr;
    QChartView *m_mainsChart = nullptr;
    QTableWidget *m_mainsTable = nullptr;
    bool m_buildScheduled = false;
    std::optional<CheckFigures> m_figures;
};

} // namespace ferrolux
