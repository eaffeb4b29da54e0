// The engineering checks and the JSON output from an arbitrary last-run file with its
// extension block: read as the tool reads it, analyse, run the checks, and make both the
// readable check lines and the JSON. The JSON must parse, hold no negative zero, and the check
// lines must never print "-0".

#include "analysis.h"
#include "check_report.h"
#include "design_extras.h"
#include "engineering_checks.h"
#include "fuzz_checks.h"
#include "json_report.h"
#include "last_run_file.h"
#include "saved_run_input.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>

namespace {

using ferrolux::fuzz::check;

void checkNoNegativeZero(const nlohmann::json &json)
{
    if (json.is_number_float()) {
        const double value = json.get<double>();
        check(!(value == 0 && std::signbit(value)), "a negative zero in the JSON");
    } else if (json.is_structured()) {
        for (const nlohmann::json &child : json) {
            checkNoNegativeZero(child);
        }
    }
}

// "-0", "-0.0", ... standing as a number of its own.
bool holdsNegativeZero(const std::string &line)
{
    for (std::size_t minus = line.find("-0"); minus != std::string::npos;
         minus = line.find("-0", minus + 1)) {
        const std::size_t end = std::min(line.find_first_not_of("0.", minus + 1), line.size());
        const bool numberEnds = end == line.size() || (line[end] < '0' || line[end] > '9');
        const bool exponent = end < line.size() && (line[end] == 'e' || line[end] == 'E');
        if (numberEnds && !exponent) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const ferrolux::LastRunLoad load = ferrolux::readLastRun(input);
    const ferrolux::DesignExtras extras = ferrolux::readDesignExtras(input);
    const ferrolux::DissipationLimits limits{2.5, 4.5, 1.5, 2.5};
    const ferrolux::DesignOutcome parsed =
        ferrolux::parseDesign(ferrolux::analysisInputFrom(load.values, limits));
    const auto *design = std::get_if<ferrolux::TransformerDesign>(&parsed);
    if (design == nullptr) {
        return 0;
    }
    const ferrolux::AnalysisOutcome outcome = ferrolux::analyseDesign(*design);
    const auto *result = std::get_if<ferrolux::AnalysisResult>(&outcome);
    if (result == nullptr) {
        return 0;
    }
    const ferrolux::EngineeringChecks checks =
        ferrolux::runEngineeringChecks(*design, *result, extras.thermal);
    for (const std::string &line : ferrolux::checkReportLines(checks, extras.thermal)) {
        check(!holdsNegativeZero(line), "a check line prints a negative zero", line);
    }
    const std::string json = ferrolux::jsonReport(*design, *result, checks, extras.thermal);
    const nlohmann::json parsedJson = nlohmann::json::parse(json, nullptr, false);
    check(!parsedJson.is_discarded(), "the JSON output does not parse", json);
    checkNoNegativeZero(parsedJson);
    return 0;
}
