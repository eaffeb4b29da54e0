#include "valve_heaters.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace ferrolux {

namespace {

constexpr int kMostOfOneValve = 1000;

std::string upper(std::string_view text)
{
    std::string result(text);
    for (char &c : result) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return result;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A whole number from 1 to kMostOfOneValve written with digits only; 0 otherwise.
int countFrom(std::string_view text)
{
    if (text.empty() || text.size() > 4) {
        return 0;
    }
    int count = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        count = count * 10 + (c - '0');
    }
    return count <= kMostOfOneValve ? count : 0;
}

bool namesInclude(std::string_view names, std::string_view wanted)
{
    while (!names.empty()) {
        const std::size_t blank = names.find(' ');
        if (names.substr(0, blank) == wanted) {
            return true;
        }
        names = blank == std::string_view::npos ? std::string_view() : names.substr(blank + 1);
    }
    return false;
}

// Control characters and bytes outside ASCII shown as '?', so a message stays one line.
std::string shown(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        result += byte < 0x20 || byte >= 0x7f ? '?' : c;
    }
    return result;
}

} // namespace

std::optional<ValveHeater> findValve(std::string_view name)
{
    const std::string wanted = upper(trimmed(name));
    if (wanted.empty()) {
        return std::nullopt;
    }
    for (const ValveHeater &valve : valveHeaterTable()) {
        if (namesInclude(valve.names, wanted)) {
            return valve;
        }
    }
    return std::nullopt;
}

Checked<std::vector<ValveCount>> parseValveList(std::string_view text)
{
    if (trimmed(text).empty()) {
        return InputProblem{"the valve list is empty"};
    }
    std::vector<ValveCount> valves;
    std::vector<std::string> unknown;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item = trimmed(text.substr(start, comma - start));
        start = comma + 1;
        if (item.empty()) {
            return InputProblem{"the valve list has an empty item (two commas in a row, or a "
                                "comma at either end)"};
        }
        const std::size_t star = item.find('*');
        const std::string_view name = trimmed(item.substr(0, star));
        int count = 1;
        if (star != std::string_view::npos) {
            count = countFrom(trimmed(item.substr(star + 1)));
            if (count == 0) {
                return InputProblem{"the count in '" + shown(item) +
                                    "' must be a whole number from 1 to " +
                                    std::to_string(kMostOfOneValve)};
            }
        }
        if (const auto valve = findValve(name)) {
            valves.push_back({upper(name), *valve, count});
        } else {
            unknown.push_back(name.empty() ? "(no name)" : shown(name));
        }
    }
    if (!unknown.empty()) {
        std::string list;
        for (const std::string &name : unknown) {
            list += (list.empty() ? "" : ", ") + name;
        }
        return InputProblem{
            std::string(unknown.size() == 1 ? "unknown valve: " : "unknown valves: ") + list};
    }
    return valves;
}

std::vector<HeaterTotal> heaterTotals(const std::vector<ValveCount> &valves)
{
    std::map<int, long long> milliampsByMillivolts;
    for (const ValveCount &v : valves) {
        milliampsByMillivolts[v.valve.millivolts] +=
            static_cast<long long>(v.valve.milliamps) * v.count;
    }
    std::vector<HeaterTotal> totals;
    for (const auto &[millivolts, milliamps] : milliampsByMillivolts) {
        totals.push_back({millivolts, milliamps});
    }
    return totals;
}

} // namespace ferrolux
