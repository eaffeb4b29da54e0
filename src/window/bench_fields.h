#pragma once

// Number fields of the bench pages: plain decimals, tinted while their text does not read.

#include <QString>
#include <optional>

class QLineEdit;
class QWidget;

namespace ferrolux {

// The field's value: a plain decimal ("0.21", "-5"); nullopt when empty or not a number.
std::optional<double> benchFieldValue(const QLineEdit *field);

// A line edit named `objectName` that tints itself while its text is neither empty nor a
// number.
QLineEdit *benchField(QWidget *parent, const char *objectName);

// A number as the fields show it: up to ten significant digits, no exponent for usual sizes.
QString benchNumberText(double value);

} // namespace ferrolux
