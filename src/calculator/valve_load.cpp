#include "valve_load.h"

#include "plain_decimal.h"

#include <algorithm>
#include <cmath>

namespace ferrolux {

std::optional<int> matchingSecondary(const SecondaryRows &rows, int count, int millivolts)
{
    const double heaterVolts = millivolts / 1000.0;
    for (int row = 0; row < std::min(count, kMaxSecondaries); ++row) {
        const std::optional<double> volts =
            plainDecimal(rows[static_cast<std::size_t>(row)].voltage);
        if (volts && std::fabs(*volts - heaterVolts) <= 0.05 * heaterVolts) {
            return row;
        }
    }
    return std::nullopt;
}

std::string heaterCurrentText(long long milliamps)
{
    return plainDecimalText(static_cast<double>(milliamps) / 1000.0);
}

Checked<SecondaryRows> writeHeaterTotals(const SecondaryRows &rows, std::string_view valveList,
                                         const std::vector<HeaterAssignment> &assignments)
{
    const Checked<std::vector<ValveCount>> valves = parseValveList(valveList);
    if (const auto *problem = std::get_if<InputProblem>(&valves)) {
        return *problem;
    }
    const std::vector<HeaterTotal> totals = heaterTotals(std::get<std::vector<ValveCount>>(valves));
    SecondaryRows written = rows;
    std::vector<int> used;
    for (const HeaterAssignment &a : assignments) {
        const auto total = std::find_if(totals.begin(), totals.end(), [&](const HeaterTotal &t) {
            return t.millivolts == a.millivolts;
        });
        const std::string volts = plainDecimalText(a.millivolts / 1000.0);
        if (total == totals.end()) {
            return InputProblem{"the list has no heaters of " + volts + " V"};
        }
        if (a.row < 0 || a.row >= kMaxSecondaries) {
            return InputProblem{"there is no secondary " + std::to_string(a.row + 1)};
        }
        if (std::find(used.begin(), used.end(), a.row) != used.end()) {
            return InputProblem{"secondary " + std::to_string(a.row + 1) +
                                " is given two heater voltages"};
        }
        used.push_back(a.row);
        written[static_cast<std::size_t>(a.row)].current = heaterCurrentText(total->milliamps);
    }
    return written;
}

} // namespace ferrolux
