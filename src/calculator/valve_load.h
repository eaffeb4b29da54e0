#pragma once

// The load builder: a list of valves gives heater totals per heater voltage, and each total is
// written into the current field of the secondary chosen for it.

#include "input_problem.h"
#include "secondary_texts.h"
#include "valve_heaters.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferrolux {

// One heater voltage's total and the secondary (0..5 for 1..6) that is to carry it.
struct HeaterAssignment
{
    int millivolts = 0;
    int row = 0;
};

// The first of the first `count` secondaries whose voltage text reads within 5 % of the heater
// voltage; nullopt when none does.
std::optional<int> matchingSecondary(const SecondaryRows &rows, int count, int millivolts);

// The heater totals of `valveList` written into the rows: each assignment's total, in amperes
// as a plain decimal ("3.9"), replaces the current text of its row. Refused: a list that does
// not read, an assignment for a heater voltage the list does not have, a row outside 0..5, and
// two heater voltages assigned to one row.
Checked<SecondaryRows> writeHeaterTotals(const SecondaryRows &rows, std::string_view valveList,
                                         const std::vector<HeaterAssignment> &assignments);

// The heater total of `millivolts` in `totals`, in amperes as the current field holds it.
std::string heaterCurrentText(long long milliamps);

} // namespace ferrolux
