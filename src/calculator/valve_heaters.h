#pragma once

// Valve heaters: the table of common audio and radio valves with their heater ratings, and the
// heater load of a list of valves, totalled per heater voltage.

#include "input_problem.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ferrolux {

enum class Heating { Direct, Indirect };

struct ValveHeater
{
    std::string_view names; // the type first, then equivalents, separated by blanks
    int millivolts;         // heater voltage; for centre-tapped heaters the 6.3 V rating
    int milliamps;
    Heating heating;
    int seriesMillivolts = 0; // centre-tapped heaters: the rating with both halves in series
    int seriesMilliamps = 0;
    int seriesStringMilliamps = 0; // made for a series string of this current (0: no)
    std::string_view source = {};  // maker and data sheet

    std::string_view type() const { return names.substr(0, names.find(' ')); }
    bool centreTapped() const { return seriesMillivolts != 0; }
};

// Every valve in the table.
std::span<const ValveHeater> valveHeaterTable();

// The valve of that name or equivalent, any case ("ecc83", "12ax7"); nullopt if unknown.
std::optional<ValveHeater> findValve(std::string_view name);

struct ValveCount
{
    std::string name; // as given, in upper case ("12AX7" for a row that starts "ECC83")
    ValveHeater valve;
    int count;
};

// A list such as "EL34*2, 12AX7*3, 5AR4": names separated by commas, each with an optional
// "*N" count (1 to 1000). Blanks around names and counts are ignored. Refused: an empty list or
// item, a count that is not a whole number from 1 to 1000, and unknown valves (all of them
// named in the message).
Checked<std::vector<ValveCount>> parseValveList(std::string_view text);

struct HeaterTotal
{
    int millivolts;
    long long milliamps;
};

// The heater current per heater voltage, lowest voltage first; centre-tapped heaters count at
// their 6.3 V rating (in parallel). Summed in whole milliamperes, so the totals are exact.
std::vector<HeaterTotal> heaterTotals(const std::vector<ValveCount> &valves);

} // namespace ferrolux
