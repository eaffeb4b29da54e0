#include "plot_chart.h"

#include <QFont>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>

namespace ferrolux {

void setUpPlotChart(QChart *chart, const QString &title)
{
    if (!title.isEmpty()) {
        chart->setTitle(title);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    QFont small = chart->legend()->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    chart->legend()->setFont(small);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
}

QChartView *newPlotView(const char *objectName, const QString &title, int minimumHeight,
                        QWidget *parent)
{
    auto *chart = new QChart;
    setUpPlotChart(chart, title);
    auto *view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(objectName));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(minimumHeight);
    return view;
}

} // namespace ferrolux
