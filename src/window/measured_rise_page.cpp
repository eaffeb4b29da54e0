#include "measured_rise_page.h"

#include "bench_fields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace ferrolux {

namespace {

QString title(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<WindingReading> readingOf(const QLineEdit *coldOhms, const QLineEdit *coldC,
                                        const QLineEdit *hotOhms)
{
    const auto cold = benchFieldValue(coldOhms);
    const auto hot = benchFieldValue(hotOhms);
    if (!cold || !hot) {
        return std::nullopt;
    }
    return WindingReading{*cold, benchFieldValue(coldC).value_or(WindingReading{}.coldC), *hot};
}

} // namespace

MeasuredRisePage::MeasuredRisePage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("measuredRisePage"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Resistance of each winding cold, at a known "
                                            "temperature, and hot, just after a load run:"),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *grid = new QGridLayout;
    auto *results = new QVBoxLayout;
    grid->addWidget(new QLabel(QStringLiteral("Cold (Ω)"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("at (°C)"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Hot (Ω)"), this), 0, 3);
    for (int w = 0; w < kMeasuredWindings; ++w) {
        Row &row = m_rows[static_cast<std::size_t>(w)];
        const std::string suffix = std::to_string(w);
        grid->addWidget(new QLabel(QString::fromStdString(measuredWindingTitle(w)), this), w + 1,
                        0);
        row.coldOhms = benchField(this, ("riseColdOhms" + suffix).c_str());
        row.coldC = benchField(this, ("riseColdC" + suffix).c_str());
        row.hotOhms = benchField(this, ("riseHotOhms" + suffix).c_str());
        row.result = new QLabel(this);
        row.result->setObjectName(QString::fromStdString("riseResult" + suffix));
        grid->addWidget(row.coldOhms, w + 1, 1);
        grid->addWidget(row.coldC, w + 1, 2);
        grid->addWidget(row.hotOhms, w + 1, 3);
        row.result->setVisible(false);
        results->addWidget(row.result);
        for (QLineEdit *field : {row.coldOhms, row.coldC, row.hotOhms}) {
            field->setMaximumWidth(80);
            connect(field, &QLineEdit::textEdited, this, &MeasuredRisePage::edited);
        }
    }
    layout->addLayout(grid);
    layout->addLayout(results);

    auto *conditions = new QFormLayout;
    m_ambient = benchField(this, "riseAmbient");
    conditions->addRow(QStringLiteral("Ambient at the end (°C)"), m_ambient);
    connect(m_ambient, &QLineEdit::textEdited, this, &MeasuredRisePage::edited);
    m_conductor = new QComboBox(this);
    m_conductor->setObjectName(QStringLiteral("riseConductor"));
    m_conductor->addItem(QStringLiteral("Copper (k = 234.5)"));
    m_conductor->addItem(QStringLiteral("Aluminium (k = 225)"));
    conditions->addRow(QStringLiteral("Conductor"), m_conductor);
    connect(m_conductor, &QComboBox::activated, this, &MeasuredRisePage::edited);
    layout->addLayout(conditions);

    auto *models = new QGroupBox(QStringLiteral("Against the models"), this);
    auto *modelsLayout = new QVBoxLayout(models);
    auto *modelGrid = new QGridLayout;
    modelsLayout->addLayout(modelGrid);
    m_average = new QLabel(models);
    m_average->setObjectName(QStringLiteral("riseAverage"));
    m_average->setWordWrap(true);
    modelsLayout->insertWidget(0, m_average);
    modelGrid->addWidget(new QLabel(QStringLiteral("Predicted"), models), 1, 1);
    modelGrid->addWidget(new QLabel(QStringLiteral("Ratio"), models), 1, 2);
    modelGrid->addWidget(new QLabel(QStringLiteral("Factor"), models), 1, 3);
    for (std::size_t m = 0; m < kThermalModels.size(); ++m) {
        const int line = static_cast<int>(m) + 2;
        modelGrid->addWidget(new QLabel(title(thermalModelTitle(kThermalModels[m])), models), line,
                             0);
        m_predicted[m] = new QLabel(models);
        m_ratio[m] = new QLabel(models);
        m_factor[m] = new QLabel(models);
        m_ratio[m]->setObjectName(QStringLiteral("riseRatio%1").arg(m));
        m_factor[m]->setObjectName(QStringLiteral("riseFactor%1").arg(m));
        modelGrid->addWidget(m_predicted[m], line, 1);
        modelGrid->addWidget(m_ratio[m], line, 2);
        modelGrid->addWidget(m_factor[m], line, 3);
    }
    auto *buttons = new QHBoxLayout;
    m_calibrate = new QPushButton(QStringLiteral("Calibrate"), models);
    m_calibrate->setObjectName(QStringLiteral("riseCalibrate"));
    m_calibrate->setToolTip(QStringLiteral("Keep the ratios as the models' factors: the checks "
                                           "then show each model's rise times its factor as a "
                                           "\"calibrated\" row."));
    m_clear = new QPushButton(QStringLiteral("Clear factors"), models);
    m_clear->setObjectName(QStringLiteral("riseClearCalibration"));
    buttons->addWidget(m_calibrate);
    buttons->addWidget(m_clear);
    buttons->addStretch();
    modelsLayout->addLayout(buttons);
    m_calibrated = new QLabel(models);
    m_calibrated->setObjectName(QStringLiteral("riseCalibrated"));
    m_calibrated->setWordWrap(true);
    modelsLayout->addWidget(m_calibrated);
    connect(m_calibrate, &QPushButton::clicked, this, &MeasuredRisePage::calibrate);
    connect(m_clear, &QPushButton::clicked, this, &MeasuredRisePage::clearCalibration);
    layout->addWidget(models);
    layout->addStretch();

    setMeasurements(std::nullopt);
}

std::optional<RiseMeasurements> MeasuredRisePage::measurements() const
{
    RiseMeasurements m;
    bool any = false;
    for (std::size_t w = 0; w < m_rows.size(); ++w) {
        const Row &row = m_rows[w];
        m.windings[w] = readingOf(row.coldOhms, row.coldC, row.hotOhms);
        any = any || m.windings[w].has_value();
    }
    m.ambientC = benchFieldValue(m_ambient).value_or(RiseMeasurements{}.ambientC);
    m.conductor = m_conductor->currentIndex() == 1 ? Conductor::Aluminium : Conductor::Copper;
    m.calibration = m_calibration;
    for (const auto &factor : m_calibration) {
        any = any || factor.has_value();
    }
    return any ? std::optional<RiseMeasurements>(m) : std::nullopt;
}

void MeasuredRisePage::setMeasurements(const std::optional<RiseMeasurements> &measurements)
{
    const RiseMeasurements m = measurements.value_or(RiseMeasurements{});
    for (std::size_t w = 0; w < m_rows.size(); ++w) {
        const Row &row = m_rows[w];
        const auto &reading = m.windings[w];
        row.coldOhms->setText(reading ? benchNumberText(reading->coldOhms) : QString());
        row.coldC->setText(reading ? benchNumberText(reading->coldC) : QString());
        row.hotOhms->setText(reading ? benchNumberText(reading->hotOhms) : QString());
    }
    m_ambient->setText(benchNumberText(m.ambientC));
    m_conductor->setCurrentIndex(m.conductor == Conductor::Aluminium ? 1 : 0);
    m_calibration = m.calibration;
    m_figures.reset();
    showOwnRises();
    showFigures(std::nullopt);
}

void MeasuredRisePage::edited()
{
    showOwnRises();
    emit measurementsEdited();
}

void MeasuredRisePage::showOwnRises()
{
    const RiseFigures own = measuredRises(measurements().value_or(RiseMeasurements{}));
    for (const Row &row : m_rows) {
        row.result->clear();
        row.result->setVisible(false);
    }
    for (const WindingRise &w : own.windings) {
        const QString name = QString::fromStdString(measuredWindingTitle(w.winding));
        QLabel *label = m_rows[static_cast<std::size_t>(w.winding)].result;
        label->setVisible(true);
        if (const auto *rise = std::get_if<MeasuredRise>(&w.rise)) {
            label->setText(QStringLiteral("%1: rise %2 K, winding %3 °C")
                               .arg(name)
                               .arg(rise->riseK, 0, 'f', 2)
                               .arg(rise->windingC, 0, 'f', 1));
        } else {
            label->setText(QStringLiteral("%1: %2").arg(
                name, QString::fromStdString(std::get<InputProblem>(w.rise).message)));
        }
    }
}

void MeasuredRisePage::showFigures(const std::optional<RiseFigures> &figures)
{
    m_figures = figures;
    bool anyRatio = false;
    for (std::size_t m = 0; m < kThermalModels.size(); ++m) {
        const ModelComparison *c = figures ? &figures->models[m] : nullptr;
        m_predicted[m]->setText(c != nullptr && std::isfinite(c->predictedRiseK)
                                    ? QStringLiteral("%1 K").arg(c->predictedRiseK, 0, 'f', 2)
                                    : QStringLiteral("–"));
        m_ratio[m]->setText(c != nullptr && c->ratio ? QString::number(*c->ratio, 'f', 3)
                                                     : QStringLiteral("–"));
        anyRatio = anyRatio || (c != nullptr && c->ratio);
    }
    if (!figures) {
        m_average->setText(QStringLiteral("Press Calculate to compare the measurement with the "
                                          "models for the design's load."));
    } else if (figures->averageRiseK) {
        m_average->setText(QStringLiteral("Measured average rise %1 K; the models for the "
                                          "design's load at the measured ambient:")
                               .arg(*figures->averageRiseK, 0, 'f', 2));
    } else {
        m_average->setText(QStringLiteral("No winding's readings give a rise yet."));
    }
    m_calibrate->setEnabled(anyRatio);
    showCalibration();
}

void MeasuredRisePage::showCalibration()
{
    bool any = false;
    for (std::size_t m = 0; m < m_calibration.size(); ++m) {
        m_factor[m]->setText(m_calibration[m] ? QString::number(*m_calibration[m], 'f', 3)
                                              : QStringLiteral("–"));
        any = any || m_calibration[m].has_value();
    }
    m_clear->setEnabled(any);
    QStringList rows;
    if (m_figures) {
        for (const CalibratedRow &row : m_figures->calibrated) {
            rows << QStringLiteral("%1 calibrated: rise %2 K, winding %3 °C, hot spot %4 °C")
                        .arg(title(thermalModelTitle(row.model)))
                        .arg(row.riseK, 0, 'f', 2)
                        .arg(row.windingC, 0, 'f', 1)
                        .arg(row.hotSpotC, 0, 'f', 1);
        }
    }
    m_calibrated->setText(rows.isEmpty() ? QString()
                                         : rows.join(QLatin1Char('\n')) +
                                               QStringLiteral("\n(the average winding temperature; "
                                                              "the hot-spot allowance is added)"));
}

void MeasuredRisePage::calibrate()
{
    if (!m_figures) {
        return;
    }
    m_calibration = calibrationFrom(*m_figures);
    showCalibration();
    emit measurementsEdited();
}

void MeasuredRisePage::clearCalibration()
{
    m_calibration = {};
    showCalibration();
    emit measurementsEdited();
}

} // namespace ferrolux
