#include "input_names.h"

#include "secondary_texts.h"

namespace ferrolux {

std::vector<std::pair<QString, QString>> formInputNames()
{
    std::vector<std::pair<QString, QString>> names{
        {QStringLiteral("TxtPriV"), QStringLiteral("Primary Voltage, volts")},
        {QStringLiteral("TxtPriR"), QStringLiteral("Primary Resistance, ohms")},
        {QStringLiteral("TxtNoSec"), QStringLiteral("Number of Secondaries")},
    };
    for (int k = 0; k < kMaxSecondaries; ++k) {
        const QString secondary = QStringLiteral("Secondary %1 ").arg(k + 1);
        const QString index = QString::number(k);
        names.emplace_back(QStringLiteral("TxtSec1V_") + index,
                           secondary + QStringLiteral("Voltage, volts"));
        names.emplace_back(QStringLiteral("TxtSec1I_") + index,
                           secondary + QStringLiteral("Current, amps"));
        names.emplace_back(QStringLiteral("TxtSec1R_") + index,
                           secondary + QStringLiteral("Resistance, ohms"));
    }
    for (const char *letter : {"X", "Y", "Z", "A", "B", "C"}) {
        names.emplace_back(QStringLiteral("Txt") + QLatin1String(letter),
                           QStringLiteral("Dimension ") + QLatin1String(letter) +
                               QStringLiteral(", centimetres"));
    }
    return names;
}

} // namespace ferrolux
