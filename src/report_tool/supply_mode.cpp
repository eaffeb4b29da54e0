#include "supply_mode.h"

#include "file_helpers.h"
#include "printable_text.h"
#include "supply_json.h"
#include "supply_limits.h"
#include "supply_simulation.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

namespace ferrolux {

namespace {

constexpr const char *kTool = "ferrolux-report: ";

// A figure to four significant digits for the readable section.
std::string figure(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string rectifierWords(const SupplyCircuit &s)
{
    switch (s.rectifier.kind) {
    case RectifierKind::Valve:
        return "valve " + s.rectifier.part;
    case RectifierKind::SiliconPreset:
        return "diode " + s.rectifier.part;
    case RectifierKind::Diode:
        break;
    }
    return "diode " + figure(s.rectifier.law.forwardV) + " V + " +
           figure(s.rectifier.law.resistanceOhm) + " ohm" +
           (s.rectifier.law.k ? " + power law" : "");
}

void printText(const SupplyCircuit &s, const SupplyFigures &f, const SwitchOnFigures &on,
               const std::vector<LimitCheck> &limits, std::ostream &out)
{
    const auto line = [&out](const char *label, const std::string &value, const char *unit) {
        char text[128];
        std::snprintf(text, sizeof text, "%-28s %10s %s", label, value.c_str(), unit);
        out << text << '\n';
    };
    out << "Supply: " << rectifierCircuitKey(s.circuit) << ", " << printableText(rectifierWords(s))
        << ", " << figure(s.windingVac) << " V rms and " << figure(s.windingOhm)
        << " ohm per path, " << figure(s.mainsHz) << " Hz\n";
    line("DC output", figure(f.dcOutputV), "V");
    line("Ripple, peak to peak", figure(f.ripplePpV), "V");
    line("First capacitor, DC", figure(f.firstCapacitorDcV), "V");
    line("Load current", figure(f.loadMeanA), "A");
    line("Winding current, RMS", figure(f.windingRmsA), "A");
    line("Winding current, peak", figure(f.windingPeakA), "A");
    line("Rectifier current, peak", figure(f.rectifierPeakA), "A");
    line("Peak inverse voltage", figure(f.pivV), "V");
    line("Switch-on surge, peak", figure(on.surgePeakA), "A");
    line("Time to 90 % of output", on.timeTo90S ? figure(*on.timeTo90S) : "not reached", "s");
    line("Cycles to steady state", std::to_string(f.cycles), "");
    if (limits.empty()) {
        return;
    }
    out << "Limits of the " << printableText(s.rectifier.part) << ":\n";
    for (const LimitCheck &limit : limits) {
        char text[160];
        std::snprintf(text, sizeof text, "  %-40s %10s %s %-10s %s",
                      std::string(limit.title).c_str(), figure(limit.value).c_str(),
                      limit.minimum ? "min" : "max", figure(limit.limit).c_str(),
                      limit.broken ? "BROKEN" : "ok");
        out << text << '\n';
    }
}

nlohmann::json jsonOf(const SupplyFigures &f, const SwitchOnFigures &on,
                      const std::vector<LimitCheck> &limits)
{
    nlohmann::json result = {
        {"dc_output_v", f.dcOutputV},
        {"ripple_pp_v", f.ripplePpV},
        {"first_capacitor_dc_v", f.firstCapacitorDcV},
        {"load_a", f.loadMeanA},
        {"winding_rms_a", f.windingRmsA},
        {"winding_peak_a", f.windingPeakA},
        {"rectifier_peak_a", f.rectifierPeakA},
        {"piv_v", f.pivV},
        {"cycles", f.cycles},
        {"surge_peak_a", on.surgePeakA},
        {"time_to_90_percent_s", on.timeTo90S ? nlohmann::json(*on.timeTo90S) : nullptr}};
    nlohmann::json checks = nlohmann::json::array(), broken = nlohmann::json::array();
    for (const LimitCheck &limit : limits) {
        checks.push_back({{"name", limit.key},
                          {"value", limit.value},
                          {"limit", limit.limit},
                          {"kind", limit.minimum ? "min" : "max"},
                          {"broken", limit.broken}});
        if (limit.broken) {
            broken.push_back(limit.key);
        }
    }
    result["limits"] = checks;
    result["limits_broken"] = broken;
    return result;
}

} // namespace

int runSupply(const std::string &path, bool json, std::ostream &out, std::ostream &err)
{
    FileRead file = readRegularFile(path, kMaxDataFileBytes);
    if (!file.ok()) {
        err << kTool << "cannot open supply file '" << printableText(path)
            << "': " << printableText(file.reason) << '\n';
        return 2;
    }
    const auto parsed = supplyFromJson(file.bytes);
    if (const auto *problem = std::get_if<std::string>(&parsed)) {
        err << kTool << "supply file '" << printableText(path) << "': " << printableText(*problem)
            << '\n';
        return 2;
    }
    const SupplyCircuit &supply = std::get<SupplyCircuit>(parsed);
    const auto outcome = simulateSteadyState(supply);
    if (const auto *failure = std::get_if<SupplyFailure>(&outcome)) {
        err << kTool << failure->reason << '\n';
        return 1;
    }
    const SupplyFigures &figures = std::get<SteadyState>(outcome).figures;
    const SwitchOnFigures switchOn = simulateSwitchOn(supply, figures.dcOutputV);
    const std::vector<LimitCheck> limits = supplyLimits(supply, figures, switchOn);
    if (json) {
        out << jsonOf(figures, switchOn, limits).dump() << '\n';
    } else {
        printText(supply, figures, switchOn, limits, out);
    }
    out.flush();
    if (!out) {
        err << kTool << "cannot write to standard output\n";
        return 2;
    }
    return 0;
}

} // namespace ferrolux
