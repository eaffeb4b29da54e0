#include "constants_warning.h"

namespace ferrolux {
namespace {

const char *const kLimitNames[] = {"plate winding, open core", "filament winding, open core",
                                   "plate winding, potted", "filament winding, potted"};

QString consequence()
{
    return QStringLiteral("Limits it does not give are 0, and a current left at 0 is then not "
                          "searched for. The file is left as it is.");
}

} // namespace

QString constantsWarning(const QString &path, const ConstantsLoad *load)
{
    if (!load) {
        return QStringLiteral("The constants file %1 could not be read. ").arg(path) +
               consequence();
    }
    if (load->valuesRead < static_cast<int>(load->values.size())) {
        return QStringLiteral("The constants file %1 is incomplete or damaged at %2. ")
                   .arg(path, QString::fromStdString(load->failure)) +
               consequence();
    }
    for (std::size_t i = 0; i < load->values.size(); ++i) {
        const double value = load->values[i];
        if (const std::string problem = limitRangeProblem(value); !problem.empty()) {
            // The values are records 2, 4, 6 and 8, each after its description.
            return QStringLiteral("The constants file %1 is damaged at record %2: the %3 limit "
                                  "reads as %4 %, and %5. ")
                       .arg(path)
                       .arg(2 * i + 2)
                       .arg(QLatin1String(kLimitNames[i]))
                       .arg(value)
                       .arg(QString::fromStdString(problem)) +
                   QStringLiteral("Current searches with it end at their first step. The file is "
                                  "left as it is.");
        }
    }
    return {};
}

} // namespace ferrolux
