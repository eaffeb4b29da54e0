#include "report_plots.h"

#include "check_panel_plots.h"

#include <QFont>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>

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

QImage renderChart(const QString &title, void (*fill)(QChart *, const CheckFigures &),
                   const CheckFigures &figures)
{
    QGraphicsScene scene;
    auto *chart = new QChart; // owned by the scene
    scene.addItem(chart);
    chart->setTitle(title);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    fill(chart, figures);
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

std::vector<ReportPlot> reportPlots(const CheckFigures &figures)
{
    if (!figures.checks.thermal.available) {
        return {};
    }
    return {
        {QStringLiteral("Hot spot against the load scale"),
         renderChart(QStringLiteral("Hot spot against load"), fillLoadChart, figures)},
        {QStringLiteral("Hottest hot spot against the mains"),
         renderChart(QStringLiteral("Hottest hot spot against mains"), fillMainsChart, figures)}};
}

} // namespace ferrolux
