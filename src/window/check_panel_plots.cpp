#include "check_panel_plots.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace ferrolux {
namespace {

constexpr int kChartHeight = 230;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QChartView *makeChartView(const char *name, QWidget *parent)
{
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    auto *view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(kChartHeight);
    return view;
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

CheckPlots::CheckPlots(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("checkPlots"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    // Room for the charts from the start, so the panel does not jump when they arrive.
    setMinimumHeight(2 * kChartHeight);
}

void CheckPlots::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // After the first paint, once the event loop is free again.
    if (!m_buildScheduled && !chartsBuilt()) {
        m_buildScheduled = true;
        QTimer::singleShot(0, this, &CheckPlots::buildCharts);
    }
}

void CheckPlots::buildCharts()
{
    if (chartsBuilt()) {
        return;
    }
    m_loadChart = makeChartView("checkLoadChart", this);
    m_mainsChart = makeChartView("checkMainsChart", this);
    m_mainsTable = new QTableWidget(this);
    m_mainsTable->setObjectName(QStringLiteral("checkMainsTable"));
    m_mainsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_mainsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_layout->addWidget(m_loadChart);
    m_layout->addWidget(m_mainsChart);
    m_layout->addWidget(m_mainsTable);
    setMinimumHeight(0);
    fillCharts();
}

void CheckPlots::showFigures(const CheckFigures &figures)
{
    m_figures = figures;
    fillCharts();
}

void CheckPlots::showNothing()
{
    m_figures.reset();
    fillCharts();
}

void CheckPlots::fillCharts()
{
    if (!chartsBuilt()) {
        return;
    }
    QChart *load = m_loadChart->chart();
    QChart *mains = m_mainsChart->chart();
    for (QChart *chart : {load, mains}) {
        chart->removeAllSeries();
        for (QAbstractAxis *axis : chart->axes()) {
            chart->removeAxis(axis);
            delete axis;
        }
    }
    load->setTitle(QStringLiteral("Hot spot against load"));
    mains->setTitle(QStringLiteral("Hottest hot spot against mains"));
    m_mainsTable->clear();
    m_mainsTable->setRowCount(0);
    m_mainsTable->setColumnCount(0);
    if (!m_figures || !m_figures->checks.thermal.available) {
        return;
    }
    const CheckFigures &f = *m_figures;
    const ThermalCheck &thermal = f.checks.thermal;

    // Plot 1: one curve per model, the class limit, and the two load scales that matter.
    double low = thermal.classLimitC;
    double high = thermal.classLimitC;
    std::vector<QLineSeries *> curves;
    for (const ThermalModel model : kThermalModels) {
        auto *series = new QLineSeries;
        series->setName(fromView(thermalModelTitle(model)));
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
    limit->setName(QStringLiteral("Class %1 limit")
                       .arg(fromView(insulationClassName(f.inputs.insulationClass))));
    limit->append(0, thermal.classLimitC);
    limit->append(end, thermal.classLimitC);
    QPen dashed(Qt::black);
    dashed.setStyle(Qt::DashLine);
    limit->setPen(dashed);
    attach(load, limit, x, y);
    auto *markers = new QScatterSeries;
    markers->setName(QStringLiteral("100 % and class-limit load"));
    markers->setMarkerSize(9);
    markers->append(100, thermal.hottestC);
    if (thermal.loadScaleAtClassLimit && *thermal.loadScaleAtClassLimit * 100 <= end) {
        markers->append(*thermal.loadScaleAtClassLimit * 100, thermal.classLimitC);
    }
    attach(load, markers, x, y);

    // Plot 2: the mains sweep, and the loaded voltages beside it.
    auto *sweep = new QLineSeries;
    sweep->setName(QStringLiteral("Hottest"));
    low = high = thermal.classLimitC;
    for (const MainsPoint &point : f.checks.mains) {
        sweep->append(point.percent, point.hottestC);
        low = std::min(low, point.hottestC);
        high = std::max(high, point.hottestC);
    }
    const auto [mMin, mMax] = roomyRange(low, high);
    QValueAxis *mx = addAxis(mains, Qt::AlignBottom, QStringLiteral("Mains (%)"), -10, 10);
    QValueAxis *my = addAxis(mains, Qt::AlignLeft, QStringLiteral("°C"), mMin, mMax);
    attach(mains, sweep, mx, my);
    auto *mainsLimit = new QLineSeries;
    mainsLimit->setName(limit->name());
    mainsLimit->append(-10, thermal.classLimitC);
    mainsLimit->append(10, thermal.classLimitC);
    mainsLimit->setPen(dashed);
    attach(mains, mainsLimit, mx, my);

    const int points = static_cast<int>(f.checks.mains.size());
    const int secondaries =
        points > 0 ? static_cast<int>(f.checks.mains.front().secondaryVoltagesLoaded.size()) : 0;
    m_mainsTable->setColumnCount(points);
    m_mainsTable->setRowCount(secondaries + 1);
    QStringList columns;
    QStringList rows{QStringLiteral("Primary (V)")};
    for (int s = 0; s < secondaries; ++s) {
        rows << QStringLiteral("Secondary %1 (V)").arg(s + 1);
    }
    for (int c = 0; c < points; ++c) {
        const MainsPoint &point = f.checks.mains[static_cast<std::size_t>(c)];
        columns << QStringLiteral("%1%2 %").arg(point.percent > 0 ? "+" : "").arg(point.percent);
        m_mainsTable->setItem(0, c,
                              new QTableWidgetItem(QString::number(point.primaryVoltage, 'f', 1)));
        for (int s = 0;
             s < secondaries && s < static_cast<int>(point.secondaryVoltagesLoaded.size()); ++s) {
            m_mainsTable->setItem(
                s + 1, c,
                new QTableWidgetItem(QString::number(
                    point.secondaryVoltagesLoaded[static_cast<std::size_t>(s)], 'f', 2)));
        }
    }
    m_mainsTable->setHorizontalHeaderLabels(columns);
    m_mainsTable->setVerticalHeaderLabels(rows);
    m_mainsTable->resizeRowsToContents();
    int height = m_mainsTable->horizontalHeader()->height() + 2 * m_mainsTable->frameWidth() + 2;
    for (int r = 0; r < m_mainsTable->rowCount(); ++r) {
        height += m_mainsTable->rowHeight(r);
    }
    m_mainsTable->setFixedHeight(height);
}

} // namespace ferrolux
