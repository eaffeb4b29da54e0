#pragma once

// The check panel beside the calculator form: the engineering checks of the last successful
// Calculate, shown as a verdict, a table of the temperature models, a headroom bar per
// winding and two plots, with its own thermal inputs and the DC-load helper per secondary.
// It only shows figures; the main window works them out and keeps them in step.

#include "check_figures.h"
#include "evaluation.h"

#include <QString>
#include <QWidget>

class QLabel;
class QTabWidget;

namespace ferrolux {

class DcLoadHelper;
class LoadPlot;
class MainsPlot;
class HeadroomBars;
class ThermalInputsBox;
class VerdictView;

class CheckPanel : public QWidget
{
    Q_OBJECT

public:
    // Narrow enough that the form and the panel fit a 1280-pixel-wide screen side by side.
    static constexpr int kPreferredWidth = 440;

    explicit CheckPanel(QWidget *parent = nullptr);

    ThermalInputs thermalInputs() const;
    void setThermalInputs(const ThermalInputs &inputs);
    DcLoadHelper *loadHelper() const { return m_loads; }

    // The figures of a successful evaluation: the verdict, the models, the headroom bars and
    // the plots. Each view takes what it shows from the evaluation.
    void showEvaluation(const Evaluation &evaluation);
    // No calculation yet, or the last one was refused: nothing to show.
    void showNothing();
    // Marks the figures as stale ("Inputs changed: press Calculate") or current again.
    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const { return m_outOfDate; }
    // Why the limits in use are doubtful; empty hides the warning.
    void setLimitsWarning(const QString &warning);
    // True once the chart on the current tab has been built.
    bool chartsBuilt() const;
    // Builds both plots now when there are figures (an export needs them, shown or not).
    void buildCharts();
    QTabWidget *tabs() const { return m_tabs; }

    QSize sizeHint() const override;

signals:
    // The user changed one of the panel's thermal inputs.
    void thermalInputsEdited();

private:
    QLabel *m_status = nullptr;
    QLabel *m_limitsWarning = nullptr;
    ThermalInputsBox *m_inputs = nullptr;
    VerdictView *m_verdict = nullptr;
    HeadroomBars *m_headroom = nullptr;
    QTabWidget *m_tabs = nullptr;
    LoadPlot *m_loadPlot = nullptr;
    MainsPlot *m_mainsPlot = nullptr;
    DcLoadHelper *m_loads = nullptr;
    bool m_outOfDate = false;
};

} // namespace ferrolux
