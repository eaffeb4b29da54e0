#include "bench_fields.h"

#include "plain_decimal.h"

#include <QLineEdit>
#include <QPalette>
#include <cmath>

namespace ferrolux {

std::optional<double> benchFieldValue(const QLineEdit *field)
{
    const std::optional<double> value = plainDecimal(field->text().trimmed().toStdString());
    return value && std::isfinite(*value) ? value : std::nullopt;
}

QLineEdit *benchField(QWidget *parent, const char *objectName)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(objectName));
    QObject::connect(field, &QLineEdit::textChanged, field, [field] {
        const bool bad = !field->text().trimmed().isEmpty() && !benchFieldValue(field);
        QPalette palette;
        if (bad) {
            palette = field->palette();
            palette.setColor(QPalette::Base, QColor(0xFF, 0xD0, 0xD0));
        }
        field->setPalette(palette);
        field->setToolTip(bad ? QStringLiteral("Not a number: not used.") : QString());
        field->setProperty("unread", bad);
    });
    return field;
}

QString benchNumberText(double value)
{
    return QString::fromStdString(plainDecimalText(value));
}

} // namespace ferrolux
