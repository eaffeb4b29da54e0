#include "resistance_rise.h"

#include "engineering_checks.h"
#include "plain_decimal.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

namespace ferrolux {

namespace {

constexpr double kCopperK = 234.5;
constexpr double kAluminiumK = 225.0;

std::string lowercase(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// Six significant digits: enough to compare with a meter's reading.
std::string ohmsText(double ohms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", ohms);
    return text;
}

bool positiveFinite(double value)
{
    return std::isfinite(value) && value > 0;
}

bool inRange(double value, InputRange range)
{
    return std::isfinite(value) && range.contains(value);
}

} // namespace

double conductorConstantK(Conductor conductor)
{
    return conductor == Conductor::Copper ? kCopperK : kAluminiumK;
}

std::optional<Conductor> conductorFromName(std::string_view name)
{
    const std::string lower = lowercase(name);
    if (lower == "copper") {
        return Conductor::Copper;
    }
    if (lower == "aluminium" || lower == "aluminum") {
        return Conductor::Aluminium;
    }
    return std::nullopt;
}

std::string_view conductorName(Conductor conductor)
{
    return conductor == Conductor::Copper ? "copper" : "aluminium";
}

Checked<MeasuredRise> riseFromResistance(const ResistanceReadings &readings, double k)
{
    if (!positiveFinite(readings.coldOhms) || !positiveFinite(readings.hotOhms)) {
        return InputProblem{"the cold and hot resistances must be numbers above 0 ohms"};
    }
    if (!inRange(readings.coldC, kAmbientRange) || !inRange(readings.ambientC, kAmbientRange)) {
        return InputProblem{"the cold and ambient temperatures must be from " +
                            plainDecimalText(kAmbientRange.min) + " to " +
                            plainDecimalText(kAmbientRange.max) + " degrees C"};
    }
    if (!positiveFinite(k)) {
        return InputProblem{"the conductor constant k must be a number above 0"};
    }
    // A winding no cooler than the air around it has at least this resistance.
    const double leastHotOhms = readings.coldOhms * (k + readings.ambientC) / (k + readings.coldC);
    if (readings.hotOhms < leastHotOhms) {
        return InputProblem{"the hot resistance " + ohmsText(readings.hotOhms) + " ohms is below " +
                            ohmsText(leastHotOhms) +
                            " ohms, the resistance of this winding at the ambient: the rise "
                            "would be negative (are the readings swapped?)"};
    }
    MeasuredRise rise;
    rise.riseK =
        readings.hotOhms / readings.coldOhms * (k + readings.coldC) - (k + readings.ambientC);
    rise.windingC = rise.riseK + readings.ambientC;
    if (!std::isfinite(rise.riseK) || !std::isfinite(rise.windingC)) {
        return InputProblem{"the resistances give no finite temperature"};
    }
    return rise;
}

Checked<MeasuredRise> riseFromResistance(const ResistanceReadings &readings, Conductor conductor)
{
    return riseFromResistance(readings, conductorConstantK(conductor));
}

std::optional<double> riseCalibrationFactor(double measuredRiseK, double predictedRiseK)
{
    if (!std::isfinite(measuredRiseK) || !std::isfinite(predictedRiseK) || measuredRiseK < 0 ||
        predictedRiseK <= 0) {
        return std::nullopt;
    }
    const double factor = measuredRiseK / predictedRiseK;
    return std::isfinite(factor) ? std::optional<double>(factor) : std::nullopt;
}

} // namespace ferrolux
