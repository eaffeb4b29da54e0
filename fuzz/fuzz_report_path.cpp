// The whole path from an arbitrary last-run file to the report: read the file as the window
// does (a short file still sets the fields it reached), analyse and build the report. The
// bytes after the first NUL byte, if any, serve as the constants file, so limits are fuzzed
// too. A finished analysis must give a report of 5 n + 10 well-formed lines.

#include "analysis.h"
#include "constants_file.h"
#include "fuzz_checks.h"
#include "last_run_file.h"
#include "report.h"
#include "saved_run_input.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

using ferrolux::fuzz::check;

bool isUnit(std::string_view unit)
{
    for (std::string_view known : {"Volts", "Amps", "Watts", "%", "W/Sq Meter", "\xC2\xB0 F"}) {
        if (unit == known) {
            return true;
        }
    }
    return false;
}

// Label of 25 characters ending in "=", an engineering text, a unit.
bool isValueLine(std::string_view line)
{
    if (line.size() < 25 || line[24] != '=') {
        return false;
    }
    const std::string_view rest = line.substr(25);
    // The value text is 10 or 11 characters; the overflow mark is 11 bytes.
    for (std::size_t length : {std::size_t{11}, std::size_t{10}}) {
        if (rest.size() >= length && ferrolux::fuzz::isEngText(rest.substr(0, length)) &&
            isUnit(rest.substr(length))) {
            return true;
        }
    }
    return false;
}

void checkReport(const ferrolux::AnalysisResult &result)
{
    const std::size_t n = result.secondaries.size();
    check(n >= 1 && n <= 6, "a finished analysis with a count outside 1..6");
    const std::vector<std::string> lines = ferrolux::buildReport(result);
    check(lines.size() == 5 * n + 10, "report line count is not 5 n + 10");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 5 * n + 5) {
            check(lines[i] == std::string(58, '-'), "separator line malformed", lines[i]);
        } else {
            check(isValueLine(lines[i]), "report line malformed", lines[i]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const ferrolux::LastRunLoad load = ferrolux::readLastRun(input.substr(0, split));

    // The default limits unless the rest of the input gives others.
    ferrolux::DissipationLimits limits{2.5, 4.5, 1.5, 2.5};
    if (load.complete() && split < input.size()) {
        ferrolux::readConstants(input.substr(split + 1)).applyTo(limits);
    }

    const ferrolux::AnalysisOutcome outcome =
        ferrolux::analyseTransformer(ferrolux::analysisInputFrom(load.values, limits));
    if (const auto *result = std::get_if<ferrolux::AnalysisResult>(&outcome)) {
        checkReport(*result);
    } else {
        check(!std::get<ferrolux::Refusal>(outcome).message.empty(), "refusal without a message");
    }
    return 0;
}
