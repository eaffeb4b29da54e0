#pragma once

// The top of the check panel: the verdict in words (colour only helps), what the fixed
// report's own temperature means, and one row per temperature model.

#include "engineering_checks.h"

#include <QString>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace ferrolux {

// E.g. "Within class A: hottest estimate 59.0 °C (McLyman), margin 46 K; the load may rise to
// 299 % before the class limit."
QString verdictText(const ThermalCheck &thermal, const ThermalInputs &inputs);
// The fixed report's own figure in °C and what it leaves out.
QString reportFigureText(double reportTemperatureC);
// Added to the verdict when the fixed report's temperature is below the ambient.
QString belowAmbientText(double reportTemperatureC, double ambientC);

class VerdictView : public QWidget
{
    Q_OBJECT

public:
    explicit VerdictView(QWidget *parent = nullptr);

    void showChecks(const EngineeringChecks &checks, const ThermalInputs &inputs);
    // Before the first Calculate: a line that says what to do.
    void showNothing();

protected:
    // Tab, Shift+Tab and Ctrl+Tab leave the models table instead of moving between its cells.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_verdict = nullptr;
    QLabel *m_reportFigure = nullptr;
    QTableWidget *m_models = nullptr;
};

} // namespace ferrolux
