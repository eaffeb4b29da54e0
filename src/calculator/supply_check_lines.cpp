#include "supply_check_lines.h"

#include <cstdio>

namespace ferrolux {

namespace {

// A figure to four significant digits.
std::string figure(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string labelled(const char *label, const std::string &value, const char *unit)
{
    char text[160];
    std::snprintf(text, sizeof text, "  %-28s %10s %s", label, value.c_str(), unit);
    std::string line = text;
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

void sourceLine(std::vector<std::string> &lines, const DesignSupplyResult &s)
{
    const SupplyCircuit &c = s.circuit;
    std::string line = "  Source per path: " + figure(c.windingVac) + " V open circuit";
    if (!s.openCircuit) {
        line += " (" + figure(s.enteredPathV) + " V entered, on load)";
    }
    line += ", " + figure(c.windingOhm) + " ohm with the primary's, " + figure(c.mainsHz) + " Hz";
    lines.push_back(line);
}

void figureLines(std::vector<std::string> &lines, const DesignSupplyResult &s)
{
    const SupplyFigures &f = s.figures;
    lines.push_back(labelled("DC output", figure(f.dcOutputV), "V"));
    lines.push_back(labelled("Ripple, peak to peak", figure(f.ripplePpV), "V"));
    lines.push_back(labelled("First capacitor, DC", figure(f.firstCapacitorDcV), "V"));
    lines.push_back(labelled("Load current", figure(f.loadMeanA), "A"));
    lines.push_back(labelled("Winding current, RMS", figure(f.windingRmsA), "A"));
    lines.push_back(labelled("Winding current, peak", figure(f.windingPeakA), "A"));
    lines.push_back(labelled("Rectifier current, peak", figure(f.rectifierPeakA), "A"));
    lines.push_back(labelled("Peak inverse voltage", figure(f.pivV), "V"));
    lines.push_back(labelled("Switch-on surge, peak", figure(s.switchOn.surgePeakA), "A"));
    lines.push_back(labelled("Time to 90 % of output",
                             s.switchOn.timeTo90S ? figure(*s.switchOn.timeTo90S) : "not reached",
                             s.switchOn.timeTo90S ? "s" : ""));
}

void limitLines(std::vector<std::string> &lines, const DesignSupplyResult &s)
{
    const Rectifier &r = s.circuit.rectifier;
    if (r.kind == RectifierKind::Diode) {
        lines.push_back("  A diode given by its law has no published limits to check.");
        return;
    }
    if (s.limits.empty()) {
        lines.push_back("  No published limits known for the " + r.part +
                        ": none is checked (not known, not within the rating).");
        return;
    }
    lines.push_back("  Limits of the " + r.part + ":");
    for (const LimitCheck &limit : s.limits) {
        char text[200];
        std::snprintf(text, sizeof text, "    %-40s %10s %s %-10s %s",
                      std::string(limit.title).c_str(), figure(limit.value).c_str(),
                      limit.minimum ? "min" : "max", figure(limit.limit).c_str(),
                      limit.broken ? "BROKEN" : "ok");
        lines.push_back(text);
    }
}

} // namespace

std::string rectifierDescription(const Rectifier &rectifier)
{
    switch (rectifier.kind) {
    case RectifierKind::Valve:
        return rectifier.part + " valve";
    case RectifierKind::SiliconPreset:
        return rectifier.part + " diode";
    case RectifierKind::Diode:
        break;
    }
    return "diode " + figure(rectifier.law.forwardV) + " V + " +
           figure(rectifier.law.resistanceOhm) + " ohm" + (rectifier.law.k ? " + power law" : "");
}

std::vector<std::string> supplyCheckLines(const std::vector<DesignSupplyResult> &supplies)
{
    std::vector<std::string> lines;
    for (const DesignSupplyResult &s : supplies) {
        lines.push_back("");
        lines.push_back("Supply of secondary " + std::to_string(s.row + 1) + ": " +
                        std::string(rectifierCircuitKey(s.circuit.circuit)) + ", " +
                        rectifierDescription(s.circuit.rectifier));
        if (!s.ok()) {
            lines.push_back("  Not simulated: " + *s.failure + ".");
            continue;
        }
        sourceLine(lines, s);
        figureLines(lines, s);
        limitLines(lines, s);
        if (s.currentCurve) {
            lines.push_back("  The load scale and the mains sweep move this winding's current as "
                            "the simulation does.");
        }
    }
    return lines;
}

} // namespace ferrolux
