#pragma once

// What the calculator's input fields accept and how their text is read, told to the user at
// typing time rather than found out later:
// - the last-run file stores Latin-1 text without double quotes, so any other character is
//   refused as it is typed or pasted;
// - a number is read from the longest leading part of a field that reads as one, so a field
//   with more after it ("2,05", "12 V") is marked with the value actually used.

#include <QString>
#include <QValidator>
#include <optional>

class QLineEdit;

namespace ferrolux {

// Why `text` cannot be stored in the last-run file; empty when it can.
QString unstorableTextReason(const QString &text);

// Refuses any edit that would leave a character the last-run file cannot store, and says why
// through `refused`.
class StorableTextValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override;

signals:
    void refused(const QString &reason) const;
};

// The mark for a field's text: empty when the text is empty or wholly a number, otherwise the
// tooltip naming the value the analysis reads from it ("read as 2"), with the hint "use a
// point" when a decimal comma is the likely cause.
QString partlyReadNumberNote(const QString &text);

// The field property that says the mark is on.
inline constexpr char kPartlyReadProperty[] = "partlyReadNumber";

// Sets or clears the mark on `field` (tooltip and a tinted background) from its text.
void markPartlyReadNumber(QLineEdit *field);

} // namespace ferrolux
