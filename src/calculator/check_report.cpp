// The engineering checks as readable text, printed after the fixed report.

#include "check_report.h"

#include "check_verdict.h"
#include "engineering_checks.h"
#include "line_format.h"

#include <cmath>
#include <string>
#include <vector>

namespace ferrolux {

namespace {

void thermalLines(std::vector<std::string> &lines, const EngineeringChecks &checks,
                  const ThermalInputs &inputs)
{
    const ThermalCheck &t = checks.thermal;
    const std::string className(insulationClassName(inputs.insulationClass));
    lines.push_back(formatLine("Ambient %.1f %s, insulation class %s (limit %.0f %s), hot-spot "
                               "allowance %.1f K, core loss %.3g W, emissivity %.2f",
                               inputs.ambientC, kDegreeC, className.c_str(), t.classLimitC,
                               kDegreeC, inputs.hotSpotAllowanceK, inputs.coreLossW,
                               inputs.emissivity));
    lines.push_back(formatLine("The report's own temperature, %.1f %s, is %.1f %s: radiation only, "
                               "emissivity 0.075, no ambient.",
                               fahrenheitFromCelsius(checks.reportTemperatureC), kDegreeF,
                               checks.reportTemperatureC, kDegreeC));
    if (checks.reportTemperatureBelowAmbient) {
        lines.push_back(
            formatLine("That is BELOW THE AMBIENT of %.1f %s, so the report's temperature "
                       "means nothing for this design.",
                       inputs.ambientC, kDegreeC));
    }
    if (!t.available) {
        lines.push_back("Thermal check unavailable: " + t.unavailableReason + ".");
        return;
    }
    lines.push_back(formatLine("Heat %.4g W (copper loss plus core loss) over %.4g cm%s", t.heatW,
                               t.surfaceCm2, "\xC2\xB2"));
    lines.push_back("");
    lines.push_back("Model                        Rise     Hot spot");
    for (const ModelEstimate &e : t.models) {
        const std::string title(thermalModelTitle(e.model));
        lines.push_back(formatLine("%-24s %7.2f K %7.1f %s %7.1f %s", title.c_str(), e.riseK,
                                   e.hotSpotC, kDegreeC, fahrenheitFromCelsius(e.hotSpotC),
                                   kDegreeF));
    }
    const std::string hottest(thermalModelTitle(t.hottestModel));
    lines.push_back(
        formatLine("Hottest %.1f %s (%s) against class %s's %.0f %s: %s, margin %.1f K.",
                   t.hottestC, kDegreeC, hottest.c_str(), className.c_str(), t.classLimitC,
                   kDegreeC, t.withinClass ? "within class" : "OVER THE CLASS LIMIT", t.marginK));
    if (!t.loadScaleAtClassLimit) {
        lines.push_back("Load scale at the class limit: none up to 100 times the load.");
    } else if (*t.loadScaleAtClassLimit == 0) {
        lines.push_back("Load scale at the class limit: 0 (the core loss alone reaches it).");
    } else {
        lines.push_back(
            formatLine("Load scale at the class limit: %.4g (the load may rise to %.0f %%).",
                       *t.loadScaleAtClassLimit, 100 * *t.loadScaleAtClassLimit));
    }
}

void headroomLines(std::vector<std::string> &lines, const std::vector<WindingHeadroom> &headroom)
{
    lines.push_back("");
    lines.push_back("Headroom: the current at which each winding reaches its dissipation limit");
    for (std::size_t i = 0; i < headroom.size(); ++i) {
        const WindingHeadroom &h = headroom[i];
        std::string line = formatLine("Secondary %zu  %-8s limit %.4g %%  current %.4g A", i + 1,
                                      h.plate ? "plate" : "filament", h.limitPercent, h.current);
        if (h.currentLimit && h.loadPercent) {
            line += formatLine(" of %.4g A: %.1f %%", *h.currentLimit, *h.loadPercent);
        } else {
            line += ": no limit (it needs a limit between 0 and 100 %, and a positive voltage "
                    "and resistance)";
        }
        lines.push_back(line);
    }
}

void mainsLines(std::vector<std::string> &lines, const std::vector<MainsPoint> &mains)
{
    lines.push_back("");
    lines.push_back("Mains sweep: primary and secondary voltages and currents scaled together");
    std::string header = "Mains   Primary V";
    const std::size_t secondaries =
        mains.empty() ? 0 : mains.front().secondaryVoltagesLoaded.size();
    for (std::size_t i = 0; i < secondaries; ++i) {
        header += formatLine("  Sec %zu V", i + 1);
    }
    lines.push_back(header + formatLine("   Heat W  Hottest %s", kDegreeC));
    for (const MainsPoint &p : mains) {
        std::string line = formatLine("%+4.0f %%  %9.4g", p.percent, p.primaryVoltage);
        for (const double v : p.secondaryVoltagesLoaded) {
            line += formatLine("  %7.4g", v);
        }
        line += formatLine("  %7.4g", p.heatW);
        line +=
            std::isnan(p.hottestC) ? std::string("         -") : formatLine("  %8.1f", p.hottestC);
        lines.push_back(line);
    }
}

} // namespace

std::vector<std::string> checkReportLines(const EngineeringChecks &checks,
                                          const ThermalInputs &inputs)
{
    std::vector<std::string> lines;
    lines.push_back("Engineering checks");
    thermalLines(lines, checks, inputs);
    headroomLines(lines, checks.headroom);
    mainsLines(lines, checks.mains);
    return lines;
}

} // namespace ferrolux
