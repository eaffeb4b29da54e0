#pragma once

// The bench pages of the check panel: the Measured, Identify and load-builder tabs, and the
// calibrated rows under the models. They show what the last Calculate worked out and hand the
// user's edits to the main window, which keeps them in the design.

#include "bench_evaluation.h"
#include "secondary_texts.h"

#include <QObject>
#include <optional>

class QLabel;
class QTabWidget;

namespace ferrolux {

class LaminationPage;
class LoadBuilderPage;
class MeasuredRisePage;

class BenchPages : public QObject
{
    Q_OBJECT

public:
    // The three pages on tabs of their own (tabs()) and the calibrated rows' label, both for
    // the panel to place.
    explicit BenchPages(QWidget *parent);

    QTabWidget *tabs() const { return m_tabs; }
    MeasuredRisePage *measured() const { return m_measured; }
    LaminationPage *lamination() const { return m_lamination; }
    LoadBuilderPage *loadBuilder() const { return m_loads; }
    QLabel *calibratedRows() const { return m_calibrated; }

    // What the pages hold, as the design keeps it, and its replacement.
    BenchRecords records() const;
    void setRecords(const BenchRecords &records);
    // The figures of the last Calculate; nullopt: none (or the calculation was refused).
    void showBench(const std::optional<BenchEvaluation> &bench);

signals:
    // The user changed a reading, the calibration, the lamination or the valve list.
    void edited();
    // The load builder wrote heater totals into these secondaries.
    void rowsWritten(const ferrolux::SecondaryRows &rows);

private:
    QTabWidget *m_tabs = nullptr;
    MeasuredRisePage *m_measured = nullptr;
    LaminationPage *m_lamination = nullptr;
    LoadBuilderPage *m_loads = nullptr;
    QLabel *m_calibrated = nullptr;
};

// The calibrated rows as the panel shows them under the models; empty when there are none.
QString calibratedRowsText(const std::vector<CalibratedRow> &rows);

} // namespace ferrolux
