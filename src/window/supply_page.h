#pragma once

// The Supply page: the supply behind each secondary. A selector picks the secondary; below it
// the supply's inputs (SupplyEditor), then, after a Calculate, its figures, the rectifier's
// published limits with each broken one marked, a plot of one steady cycle and the
// regulation curve, and "Use the simulated current", which asks for the winding's RMS current
// to be put into the secondary's current field. The page shows and edits; the window works out
// the results, plots' figures included (evaluate), and hands them to showResults().

#include "design_supply.h"
#include "secondary_supply.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace ferrolux {

class SupplyEditor;
class SupplyPlots;

class SupplyPage : public QWidget
{
    Q_OBJECT

public:
    explicit SupplyPage(QWidget *parent = nullptr);

    // The supplies of the design and how many secondaries it has (the selector's length).
    void setSupplies(const SecondarySupplies &supplies, int secondaryCount);
    const SecondarySupplies &supplies() const { return m_supplies; }

    int secondaryCount() const;   // the selector's length
    int currentSecondary() const; // 0-based
    void setCurrentSecondary(int row);

    SupplyEditor *editor() const { return m_editor; }
    // Built with the first figures to plot; nullptr until then.
    SupplyPlots *plots() const { return m_plots; }

    // The limits shown: one row each, and which rows are marked broken.
    int limitRowCount() const;
    bool limitRowBroken(int row) const;
    QString figuresText() const;

public slots:
    // The supplies of the last Calculate (one per secondary that has one).
    void showResults(const std::vector<DesignSupplyResult> &results);
    // No Calculate yet, or it was refused.
    void showNothing();

signals:
    // The user changed a supply: supplies() holds the new one.
    void suppliesEdited();
    // "Use the simulated current": the winding's RMS current for secondary `row` (0-based).
    void useSimulatedCurrent(int row, double amps);

private:
    void showSelected();
    void fitLimitsHeight();
    const DesignSupplyResult *selectedResult() const;

    SecondarySupplies m_supplies{};
    std::vector<DesignSupplyResult> m_results;
    bool m_stale = false;
    QComboBox *m_secondary = nullptr;
    SupplyEditor *m_editor = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_figures = nullptr;
    QTableWidget *m_limits = nullptr;
    QPushButton *m_useCurrent = nullptr;
    SupplyPlots *m_plots = nullptr;
    QVBoxLayout *m_layout = nullptr;
};

} // namespace ferrolux
