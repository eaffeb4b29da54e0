#pragma once

// The "Measured" page: per winding the cold resistance and temperature and the hot
// resistance, the ambient and the conductor; each winding's rise at once, and after a
// Calculate the measured average rise beside each model's predicted rise with their ratio.
// "Calibrate" keeps the ratios as the models' calibration factors.

#include "rise_measurements.h"

#include <QWidget>
#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ferrolux {

class MeasuredRisePage : public QWidget
{
    Q_OBJECT

public:
    explicit MeasuredRisePage(QWidget *parent = nullptr);

    // nullopt when nothing is measured and no model is calibrated.
    std::optional<RiseMeasurements> measurements() const;
    void setMeasurements(const std::optional<RiseMeasurements> &measurements);

    // The figures of the last Calculate with these measurements; nullopt: none yet.
    void showFigures(const std::optional<RiseFigures> &figures);

public slots:
    // Keeps the shown ratios as the calibration factors (what the Calibrate button does).
    void calibrate();
    // Forgets every calibration factor.
    void clearCalibration();

signals:
    // The user changed a reading, the ambient, the conductor or the calibration.
    void measurementsEdited();

private:
    struct Row
    {
        QLineEdit *coldOhms = nullptr;
        QLineEdit *coldC = nullptr;
        QLineEdit *hotOhms = nullptr;
        QLabel *result = nullptr;
    };
    void edited();
    void showOwnRises();
    void showCalibration();

    std::array<Row, kMeasuredWindings> m_rows{};
    QLineEdit *m_ambient = nullptr;
    QComboBox *m_conductor = nullptr;
    QLabel *m_average = nullptr;
    std::array<QLabel *, 3> m_predicted{};
    std::array<QLabel *, 3> m_ratio{};
    std::array<QLabel *, 3> m_factor{};
    QPushButton *m_calibrate = nullptr;
    QPushButton *m_clear = nullptr;
    QLabel *m_calibrated = nullptr;
    std::array<std::optional<double>, 3> m_calibration{};
    std::optional<RiseFigures> m_figures;
};

} // namespace ferrolux
