#include "constants_check.h"

#include "constants_file.h"
#include "record_file.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace ferrolux {

namespace {

constexpr int kConstantsRecords = 8;

// The whole text (blanks around it aside) as a decimal number with an optional exponent.
std::optional<double> wholeNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string_view::npos) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string constantsLimitsProblem(std::string_view fileBytes)
{
    RecordReader reader(fileBytes);
    for (int record = 1; record <= kConstantsRecords; ++record) {
        const std::optional<std::string> field = reader.nextField();
        if (!field) {
            return "record " + std::to_string(record) + ": " + reader.lastError();
        }
        if (record % 2 == 1) {
            continue; // a description
        }
        const std::optional<double> value = wholeNumber(*field);
        if (!value || !std::isfinite(*value)) {
            return "record " + std::to_string(record) + ": \"" + *field + "\" is not a number";
        }
        if (const std::string problem = limitRangeProblem(*value); !problem.empty()) {
            return "record " + std::to_string(record) + ": \"" + *field +
                   "\" is no limit: " + problem;
        }
    }
    return {};
}

} // namespace ferrolux
