#include "report.h"

#include "eng_format.h"

#include <string>

namespace ferrolux {

namespace {

// Label (25 characters, "=" last), value text from engFormat, unit; no separators.
std::string valueLine(const std::string &label, double value, const char *unit)
{
    return label + engFormat(value) + unit;
}

// "Secondary " (or the voltage line's own "Secondayr "), the number, then the 14-character
// tail; 25 characters for secondaries 1 to 6.
std::string secondaryLabel(const char *word, std::size_t number, const char *tail)
{
    return word + std::to_string(number) + tail;
}

} // namespace

std::vector<std::string> buildReport(const AnalysisResult &result)
{
    std::vector<std::string> lines;
    lines.reserve(5 * result.secondaries.size() + 10);

    lines.push_back(valueLine("        Primary Voltage =", result.primaryVoltage, "Volts"));
    lines.push_back(valueLine("        Primary Current =", result.primaryCurrent, "Amps"));
    lines.push_back(valueLine("          Primary Power =", result.primaryPower, "Watts"));
    lines.push_back(valueLine("    Primary Dissipation =", result.primaryDissipation, "Watts"));
    lines.push_back(valueLine("  Primary % Dissipation =", result.primaryPercentDissipation, "%"));

    for (std::size_t i = 0; i < result.secondaries.size(); ++i) {
        const SecondaryResult &s = result.secondaries[i];
        const std::size_t k = i + 1;
        lines.push_back(
            valueLine(secondaryLabel("Secondayr ", k, "     Voltage ="), s.loadedVoltage, "Volts"));
        lines.push_back(
            valueLine(secondaryLabel("Secondary ", k, "     Current ="), s.current, "Amps"));
        lines.push_back(
            valueLine(secondaryLabel("Secondary ", k, "       Power ="), s.outputPower, "Watts"));
        lines.push_back(
            valueLine(secondaryLabel("Secondary ", k, " Dissipation ="), s.dissipation, "Watts"));
        lines.push_back(valueLine(secondaryLabel("Secondary ", k, " Percent Dis ="),
                                  s.percentDissipation, "%"));
    }

    lines.push_back(std::string(58, '-'));
    lines.push_back(valueLine("      Total Dissipation =", result.totalDissipation, "Watts"));
    lines.push_back(valueLine("    Total % Dissipation =", result.totalPercentDissipation, "%"));
    lines.push_back(valueLine("          Power Dendity =", result.powerDensity, "W/Sq Meter"));
    // The degree sign U+00B0 in UTF-8.
    lines.push_back(valueLine("  Operating Temperature =", result.temperatureF, "\xC2\xB0 F"));
    return lines;
}

} // namespace ferrolux
