#pragma once

// The inputs of one secondary's supply: whether it has one, the mains frequency, the circuit,
// the rectifier (the silicon presets, the valve list, or a diode given by its forward voltage
// and resistance), the filter from the rectifier to the load (rows of C, L+R or R, added and
// removed) and the load (a current or a resistance). Typed: setSupply() shows one, supply()
// reads what is shown; edited() follows every change the user makes.

#include "secondary_supply.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace ferrolux {

class SupplyEditor : public QWidget
{
    Q_OBJECT

public:
    explicit SupplyEditor(QWidget *parent = nullptr);

    // nullopt: no supply (the box unticked, the inputs disabled).
    void setSupply(const std::optional<SecondarySupply> &supply);
    std::optional<SecondarySupply> supply() const;

    // The filter rows: add one of each kind, remove the selected row.
    void addFilterPart(FilterPartKind kind);
    void removeFilterPart(int row);

signals:
    void edited();

private:
    void setFilterRow(int row, const FilterPart &part);
    FilterPart filterRow(int row) const;
    void updateEnabled();
    void changed();

    QCheckBox *m_enabled = nullptr;
    QDoubleSpinBox *m_mains = nullptr;
    QComboBox *m_circuit = nullptr;
    QComboBox *m_rectifier = nullptr;
    QDoubleSpinBox *m_forwardV = nullptr;
    QDoubleSpinBox *m_diodeOhm = nullptr;
    QTableWidget *m_filter = nullptr;
    QPushButton *m_remove = nullptr;
    QComboBox *m_loadKind = nullptr;
    QDoubleSpinBox *m_load = nullptr;
    DiodeLaw m_law;         // k and n of a diode given by its law are kept as they were set
    bool m_showing = false; // set while setSupply() fills the inputs: no edited()
};

} // namespace ferrolux
