#pragma once

// The check panel's own inputs: ambient temperature, insulation class, hot-spot allowance,
// core loss and emissivity. A number outside its range, or no number, is marked at its field
// and not used: the field's last valid value stays in use until the field is corrected.

#include "engineering_checks.h"

#include <QGroupBox>
#include <QString>
#include <optional>

class QComboBox;
class QLineEdit;

namespace ferrolux {

// The core's number rule (numberInRange) on a field's text.
std::optional<double> thermalInputValue(const QString &text, InputRange range);

class ThermalInputsBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit ThermalInputsBox(QWidget *parent = nullptr);

    // The values in use: each field's value when it is valid, otherwise its last valid value.
    ThermalInputs inputs() const;
    // Fills the fields; raises no edited signal.
    void setInputs(const ThermalInputs &inputs);

signals:
    // The user changed a field or the class.
    void edited();

private:
    // Takes the field's value into `value` when it reads; marks the field when it does not.
    void takeField(QLineEdit *field, InputRange range, double &value);

    ThermalInputs m_values;

    QLineEdit *m_ambient = nullptr;
    QComboBox *m_class = nullptr;
    QLineEdit *m_hotSpot = nullptr;
    QLineEdit *m_coreLoss = nullptr;
    QLineEdit *m_emissivity = nullptr;
};

} // namespace ferrolux
