#pragma once

// The load builder: type or pick a list of valves; it shows the heater total of each heater
// voltage, lets the user choose the secondary for each, and writes the totals into those
// secondaries' current fields. Beside it, the VA budget and the primary fuse of the last
// Calculate.

#include "design_va_budget.h"
#include "secondary_texts.h"
#include "valve_load.h"

#include <QWidget>
#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ferrolux {

class LoadBuilderPage : public QWidget
{
    Q_OBJECT

public:
    explicit LoadBuilderPage(QWidget *parent = nullptr);

    std::string valveList() const;
    void setValveList(const std::string &list);
    // The form's secondaries, for the choice of secondary and the texts the totals go into.
    void setSecondaries(const SecondaryRows &rows, int count);
    // The secondary chosen for each heater voltage of the list.
    std::vector<HeaterAssignment> assignments() const;

    // The budget of the last Calculate; nullopt: none yet.
    void showVaBudget(const std::optional<Checked<DesignVaBudget>> &budget);

public slots:
    // Writes the totals into the chosen secondaries: emits rowsWritten, or shows why not.
    void writeCurrents();

signals:
    void valveListEdited();
    // The secondaries with the heater totals written into their current fields.
    void rowsWritten(const ferrolux::SecondaryRows &rows);

private:
    void showTotals();

    QLineEdit *m_list = nullptr;
    QComboBox *m_pick = nullptr;
    QGridLayout *m_totalsGrid = nullptr;
    QLabel *m_problem = nullptr;
    QPushButton *m_write = nullptr;
    QLabel *m_budget = nullptr;
    std::vector<std::pair<int, QComboBox *>> m_targets; // heater millivolts, its choice
    SecondaryRows m_rows{};
    int m_count = 0;
};

} // namespace ferrolux
