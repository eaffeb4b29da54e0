#pragma once

// The check panel's own inputs: ambient temperature, insulation class, hot-spot allowance,
// core loss and emissivity. A number outside its range, or no number, is marked at its field
// and not used: the default stands in for it until the field is corrected.

#include "engineering_checks.h"

#include <QGroupBox>
#include <QString>
#include <optional>

class QComboBox;
class QLineEdit;

namespace ferrolux {

// A plain decimal number ("." as the point, nothing else around it but blanks) inside `range`;
// nullopt otherwise.
std::optional<double> thermalInputValue(const QString &text, InputRange range);

class ThermalInputsBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit ThermalInputsBox(QWidget *parent = nullptr);

    // The values in use: each field's value when it is valid, otherwise its default.
    ThermalInputs inputs() const;
    // Fills the fields; raises no edited signal.
    void setInputs(const ThermalInputs &inputs);

signals:
    // The user changed a field or the class.
    void edited();

private:
    void markField(QLineEdit *field, InputRange range, double defaultValue);

    QLineEdit *m_ambient = nullptr;
    QComboBox *m_class = nullptr;
    QLineEdit *m_hotSpot = nullptr;
    QLineEdit *m_coreLoss = nullptr;
    QLineEdit *m_emissivity = nullptr;
};

} // namespace ferrolux
