#include "check_panel_plots.h"

#include "plot_chart.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace ferrolux {
namespace {

constexpr int kChartHeight = 200;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QValueAxis *addAxis(QChart *chart, Qt::Alignment side, const QString &title, double min, double max)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(min, max);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axis, side);
    return axis;
}

void attach(QChart *chart, QAbstractSeries *series, QValueAxis *x, QValueAxis *y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// An axis range from `low` to `high` with a little room, in steps of 10.
std::pair<double, double> roomyRange(double low, double high)
{
    return {std::floor((low - 5) / 10) * 10, std::ceil((high + 5) / 10) * 10};
}

} // namespace

ChartPage::ChartPage(QWidget *parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    // Room for the chart from the start, so the panel does not jump when it arrives.
    setMinimumHeight(kChartHeight);
}

void ChartPage::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (chartBuilt()) {
        return;
    }
    if (!m_figures) {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Press Calculate to plot."));
        return;
    }
    // After the first paint with figures, once the event loop is free again.
    if (!m_buildScheduled) {
        m_buildScheduled = true;
        QTimer::singleShot(0, this, &ChartPage::build);
    }
}

void ChartPage::buildWithFigures()
{
    if (m_figures) {
        build();
    }
}

void ChartPage::build()
{
    if (chartBuilt()) {
        return;
    }
    m_chart = newPlotView(chartName(), QString(), kChartHeight, this);
    m_layout->addWidget(m_chart);
    buildExtras(m_layout);
    showFigures(m_figures);
}

void ChartPage::showFigures(const std::optional<CheckFigures> &figures)
{
    m_figures = figures;
    if (!chartBuilt()) {
        update(); // a shown page replaces its hint by the chart
        return;
    }
    QChart *chart = m_chart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    const bool available = m_figures && m_figures->checks.thermal.available;
    fill(available ? &*m_figures : nullptr);
}

void LoadPlot::fill(const CheckFigures *figures)
{
    QChart *load = chartView()->chart();
    load->setTitle(QStringLiteral("Hot spot against load"));
    if (figures) {
        fillLoadChart(load, *figures);
    }
}

void fillLoadChart(QChart *load, const CheckFigures &f)
{
    const ThermalCheck &thermal = f.checks.thermal;

    // One curve per model, the class limit, and the two load scales that matter.
    double low = thermal.classLimitC;
    double high = thermal.classLimitC;
    std::vector<QLineSeries *> curves;
    for (const ThermalModel model : kThermalModels) {
        auto *series = new QLineSeries;
        series->setName(model == ThermalModel::ConvectionRadiation
                            ? QStringLiteral("Conv. + rad.")
                            : fromView(thermalModelTitle(model)));
        curves.push_back(series);
    }
    for (const LoadCurvePoint &point : f.loadCurve) {
        for (std::size_t m = 0; m < curves.size() && m < point.hotSpotC.size(); ++m) {
            curves[m]->append(point.loadPercent, point.hotSpotC[m]);
            low = std::min(low, point.hotSpotC[m]);
            high = std::max(high, point.hotSpotC[m]);
        }
    }
    const double end = loadCurveEndPercent(thermal);
    const auto [yMin, yMax] = roomyRange(low, high);
    QValueAxis *x = addAxis(load, Qt::AlignBottom, QStringLiteral("Load (%)"), 0, end);
    QValueAxis *y = addAxis(load, Qt::AlignLeft, QStringLiteral("°C"), yMin, yMax);
    for (QLineSeries *series : curves) {
        attach(load, series, x, y);
    }
    auto *limit = new QLineSeries;
    limit->setName(
        QStringLiteral("Class %1").arg(fromView(insulationClassName(f.inputs.insulationClass))));
    limit->append(0, thermal.classLimitC);
    limit->append(end, thermal.classLimitC);
    QPen dashed(Qt::black);
    dashed.setStyle(Qt::DashLine);
    limit->setPen(dashed);
    attach(load, limit, x, y);
    auto *markers = new QScatterSeries;
    markers->setName(QStringLiteral("100 % and limit load"));
    markers->setMarkerSize(9);
    markers->append(100, thermal.hottestC);
    if (thermal.loadScaleAtClassLimit && *thermal.loadScaleAtClassLimit * 100 <= end) {
        markers->append(*thermal.loadScaleAtClassLimit * 100, thermal.classLimitC);
    }
    attach(load, markers, x, y);
    // The markers explain themselves against the axes; the legend keeps to the lines.
    for (QLegendMarker *marker : load->legend()->markers(markers)) {
        marker->setVisible(false);
    }
}

void MainsPlot::buildExtras(QVBoxLayout *layout)
{
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("checkMainsTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(m_table);
}

void MainsPlot::fill(const CheckFigures *figures)
{
    QChart *mains = chartView()->chart();
    mains->setTitle(QStringLiteral("Hottest hot spot against mains"));
    m_table->clear();
    m_table->setRowCount(0);
    m_table->setColumnCount(0);
    if (!figures) {
        return;
    }
    const CheckFigures &f = *figures;
    fillMainsChart(mains, f);

    const int points = static_cast<int>(f.checks.mains.size());
    const int secondaries =
        points > 0 ? static_cast<int>(f.checks.mains.front().secondaryVoltagesLoaded.size()) : 0;
    m_table->setColumnCount(points);
    m_table->setRowCount(secondaries + 1);
    QStringList columns;
    QStringList rows{QStringLiteral("Primary V")};
    for (int s = 0; s < secondaries; ++s) {
        rows << QStringLiteral("Sec %1 V").arg(s + 1);
    }
    for (int c = 0; c < points; ++c) {
        const MainsPoint &point = f.checks.mains[static_cast<std::size_t>(c)];
        columns << QStringLiteral("%1%2 %").arg(point.percent > 0 ? "+" : "").arg(point.percent);
        m_table->setItem(0, c, new QTableWidgetItem(QString::number(point.primaryVoltage, 'f', 1)));
        const auto &loaded = point.secondaryVoltagesLoaded;
        for (int s = 0; s < secondaries && s < static_cast<int>(loaded.size()); ++s) {
            m_table->setItem(
                s + 1, c,
                new QTableWidgetItem(QString::number(loaded[static_cast<std::size_t>(s)], 'f', 2)));
        }
    }
    m_table->setHorizontalHeaderLabels(columns);
    m_table->setVerticalHeaderLabels(rows);
}

void fillMainsChart(QChart *mains, const CheckFigures &f)
{
    const ThermalCheck &thermal = f.checks.thermal;
    auto *sweep = new QLineSeries;
    sweep->setName(QStringLiteral("Hottest"));
    double low = thermal.classLimitC;
    double high = thermal.classLimitC;
    for (const MainsPoint &point : f.checks.mains) {
        sweep->append(point.percent, point.hottestC);
        low = std::min(low, point.hottestC);
        high = std::max(high, point.hottestC);
    }
    const auto [yMin, yMax] = roomyRange(low, high);
    QValueAxis *x = addAxis(mains, Qt::AlignBottom, QStringLiteral("Mains (%)"), -10, 10);
    QValueAxis *y = addAxis(mains, Qt::AlignLeft, QStringLiteral("°C"), yMin, yMax);
    attach(mains, sweep, x, y);
    auto *limit = new QLineSeries;
    limit->setName(QStringLiteral("Class %1 limit")
                       .arg(fromView(insulationClassName(f.inputs.insulationClass))));
    limit->append(-10, thermal.classLimitC);
    limit->append(10, thermal.classLimitC);
    QPen dashed(Qt::black);
    dashed.setStyle(Qt::DashLine);
    limit->setPen(dashed);
    attach(mains, limit, x, y);
}

} // namespace ferrolux
