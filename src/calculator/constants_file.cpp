#include "constants_file.h"

#include "number_text.h"
#include "record_file.h"

#include <optional>

namespace ferrolux {

ConstantsLoad readConstants(std::string_view fileBytes)
{
    ConstantsLoad load;
    RecordReader reader(fileBytes);
    const auto failAt = [&](int record, const std::string &why) {
        load.failure = "record " + std::to_string(record) + ": " + why;
    };
    for (std::size_t pair = 0; pair < load.values.size(); ++pair) {
        const int descriptionRecord = static_cast<int>(2 * pair + 1);
        // The description only names the value; it is read and dropped.
        if (!reader.nextField()) {
            failAt(descriptionRecord, reader.lastError());
            return load;
        }
        const std::optional<std::string> field = reader.nextField();
        if (!field) {
            failAt(descriptionRecord + 1, reader.lastError());
            return load;
        }
        const std::optional<double> value = textToNumber(*field);
        if (!value) {
            failAt(descriptionRecord + 1, "\"" + *field + "\" is too large a number");
            return load;
        }
        load.values[pair] = *value;
        load.valuesRead = static_cast<int>(pair + 1);
    }
    return load;
}

std::string limitRangeProblem(double value)
{
    if (value > 0 && value < 100) {
        return {};
    }
    if (value >= 100) {
        return "a limit must be below 100 %";
    }
    if (value <= 0) {
        return "a limit must be above 0 %";
    }
    return "a limit must be a number above 0 and below 100 %"; // not a number
}

void ConstantsLoad::applyTo(DissipationLimits &limits) const
{
    double *const members[] = {&limits.OCPPDis, &limits.OCFPDis, &limits.POTPPDis,
                               &limits.POTFPDis};
    for (int i = 0; i < valuesRead && i < static_cast<int>(values.size()); ++i) {
        *members[i] = values[static_cast<std::size_t>(i)];
    }
}

} // namespace ferrolux
