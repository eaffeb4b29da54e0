// The report tool's command line: the input split at NUL bytes into arguments. Parsing never
// crashes, a usage error always has a message, and the modes that read no file (the example,
// --eng, --eng-complex, --winding-current, --help, --version) run to an exit status of 0, 1 or
// 2 with something said; a --json report that succeeds is valid JSON, and a winding current
// that succeeds is a finite number.

#include "fuzz_checks.h"
#include "report_tool.h"
#include "tool_options.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using ferrolux::fuzz::check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> args;
    for (std::size_t start = 0; start <= input.size() && args.size() < 16;) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    const auto parsed = ferrolux::parseToolOptions(args);
    if (const auto *error = std::get_if<ferrolux::UsageError>(&parsed)) {
        check(!error->message.empty(), "a usage error without a message");
        return 0;
    }
    const ferrolux::ToolOptions &options = std::get<ferrolux::ToolOptions>(parsed);
    if (options.mode == ferrolux::ToolMode::Files) {
        return 0; // would read files named by the input
    }
    std::ostringstream out, err;
    const int status = ferrolux::runReportTool(args, out, err);
    check(status >= 0 && status <= 2, "an exit status outside 0..2");
    check(status == 0 || !err.str().empty(), "a failure without a message");
    if (status == 0 && options.format == ferrolux::ReportFormat::Json) {
        check(!nlohmann::json::parse(out.str(), nullptr, false).is_discarded(),
              "the JSON output does not parse", out.str());
    }
    if (status == 0 && options.mode == ferrolux::ToolMode::WindingCurrent) {
        const nlohmann::json current = nlohmann::json::parse(out.str(), nullptr, false);
        check(current.is_number() && std::isfinite(current.get<double>()),
              "a winding current that is no finite number", out.str());
    }
    return 0;
}
