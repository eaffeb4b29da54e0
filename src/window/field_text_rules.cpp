#include "field_text_rules.h"

#include "number_text.h"

#include <QLineEdit>
#include <QPalette>
#include <QRegularExpression>

namespace ferrolux {
namespace {

// Blanks, a sign, digits with "." as the decimal point and an optional exponent: the whole of
// a text the text-to-number rule reads without leaving anything over. Trailing blanks are
// allowed, since they change nothing.
const QRegularExpression &wholeNumber()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$)"));
    return pattern;
}

const char *const kMarkProperty = kPartlyReadProperty;

} // namespace

QString unstorableTextReason(const QString &text)
{
    for (const QChar character : text) {
        if (character == QLatin1Char('"')) {
            return QStringLiteral("A field cannot hold a double quote (\"): the last-run file "
                                  "could not store it.");
        }
        if (character.unicode() > 0xFF) {
            return QStringLiteral("A field cannot hold \"%1\": the last-run file stores only "
                                  "Western European (Latin-1) characters.")
                .arg(character.isSurrogate() ? QStringLiteral("?") : QString(character));
        }
    }
    return {};
}

QValidator::State StorableTextValidator::validate(QString &input, int &position) const
{
    Q_UNUSED(position);
    const QString reason = unstorableTextReason(input);
    if (reason.isEmpty()) {
        return Acceptable;
    }
    emit refused(reason);
    return Invalid;
}

QString partlyReadNumberNote(const QString &text)
{
    if (text.trimmed().isEmpty() || wholeNumber().match(text).hasMatch()) {
        return {};
    }
    const std::optional<double> value = textToNumber(text.toLatin1().toStdString());
    QString note = QStringLiteral("read as %1")
                       .arg(value ? QString::number(*value, 'g', 15) : QStringLiteral("too large"));
    // A comma right after the leading digits is a decimal comma the reader stops at.
    static const QRegularExpression decimalComma(QStringLiteral(R"(^[ \t]*[+-]?\d*,\d)"));
    if (decimalComma.match(text).hasMatch()) {
        note += QStringLiteral(": use a point");
    }
    return note;
}

void markPartlyReadNumber(QLineEdit *field)
{
    const QString note = partlyReadNumberNote(field->text());
    const bool marked = !note.isEmpty();
    field->setToolTip(note);
    if (field->property(kMarkProperty).toBool() == marked) {
        return;
    }
    field->setProperty(kMarkProperty, marked);
    if (marked) {
        // A pale amber background: noticeable, and the text stays readable.
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xF0, 0xC0));
        field->setPalette(palette);
    } else {
        field->setPalette(QPalette()); // back to the palette it inherits
    }
}

} // namespace ferrolux
