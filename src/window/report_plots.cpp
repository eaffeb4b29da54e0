#include "report_plots.h"

#include "check_panel_plots.h"
#include "plot_chart.h"
#include "supply_plots.h"

#include <QFont>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>
#include <functional>

namespace ferrolux {
namespace {

// Point sizes for the page: titles, axis labels and the legend stay readable when the plot is
// printed at its width of about 19 cm.
constexpr double kTitlePoints = 12;
constexpr double kLabelPoints = 10;

void usePageFonts(QChart *chart)
{
    QFont title = chart->titleFont();
    title.setPointSizeF(kTitlePoints);
    title.setBold(true);
    chart->setTitleFont(title);
    QFont label = title;
    label.setBold(false);
    label.setPointSizeF(kLabelPoints);
    chart->legend()->setFont(label);
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsFont(label);
        axis->setTitleFont(label);
    }
}

QImage renderChart(const QString &title, const std::function<void(QChart *)> &fill)
{
    QGraphicsScene scene;
    auto *chart = new QChart; // owned by the scene
    scene.addItem(chart);
    setUpPlotChart(chart, title);
    fill(chart);
    usePageFonts(chart);
    const QRectF area(QPointF(0, 0), QSizeF(kReportPlotSize));
    chart->setGeometry(area);
    // The chart lays itself out on a posted request; the page needs it now.
    if (QGraphicsLayout *layout = chart->layout()) {
        layout->activate();
    }
    scene.setSceneRect(area);

    QImage image(kReportPlotSize * kReportPlotScale, QImage::Format_RGB32);
    image.setDevicePixelRatio(kReportPlotScale);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, area, area);
    return image;
}

} // namespace

std::vector<ReportPlot> reportPlots(const Evaluation &evaluation)
{
    std::vector<ReportPlot> plots;
    // The caption is the plot's title too: a printed page shows the plot alone.
    const auto add = [&plots](const QString &caption, const std::function<void(QChart *)> &fill) {
        plots.push_back({caption, renderChart(caption, fill)});
    };
    const CheckFigures &figures = evaluation.checks;
    if (figures.checks.thermal.available) {
        add(QStringLiteral("Hot spot against the load scale"),
            [&](QChart *chart) { fillLoadChart(chart, figures); });
        add(QStringLiteral("Hottest hot spot against the mains"),
            [&](QChart *chart) { fillMainsChart(chart, figures); });
    }
    for (const DesignSupplyResult &supply : evaluation.supplies) {
        if (!supply.ok() || supply.waveform.timeS.empty()) {
            continue; // the check section says why it was not simulated
        }
        const QString secondary = QStringLiteral("Secondary %1 supply: ").arg(supply.row + 1);
        add(secondary + QStringLiteral("one steady cycle"),
            [&](QChart *chart) { fillSupplyCycleChart(chart, supply.waveform); });
        if (!supply.regulation.empty()) {
            add(secondary + QStringLiteral("DC output against load current"),
                [&](QChart *chart) { fillRegulationChart(chart, supply.regulation); });
        }
    }
    return plots;
}

} // namespace ferrolux
