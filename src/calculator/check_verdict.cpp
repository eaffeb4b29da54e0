#include "check_verdict.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace ferrolux {
namespace {

std::string fixed(double value, int decimals)
{
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return length < 0 ? std::string()
                      : std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length),
                                                                  sizeof buffer - 1));
}

} // namespace

double fahrenheitFromCelsius(double celsius)
{
    return celsius * 9.0 / 5.0 + 32.0;
}

double celsiusFromFahrenheit(double fahrenheit)
{
    return (fahrenheit - 32) * 5 / 9;
}

std::string verdictSentence(const ThermalCheck &thermal, const ThermalInputs &inputs)
{
    if (!thermal.available) {
        return "No temperature check: " + thermal.unavailableReason;
    }
    const std::string className(insulationClassName(inputs.insulationClass));
    const std::string hottest = "hottest estimate " + fixed(thermal.hottestC, 1) + " \xC2\xB0" +
                                "C (" + std::string(thermalModelTitle(thermal.hottestModel)) + ")";
    std::string text = thermal.withinClass
                           ? "Within class " + className + ": " + hottest + ", margin " +
                                 fixed(thermal.marginK, 0) + " K"
                           : "Over class " + className + ": " + hottest + ", " +
                                 fixed(-thermal.marginK, 0) + " K above its " +
                                 fixed(thermal.classLimitC, 0) + " \xC2\xB0" + "C limit";
    if (!thermal.loadScaleAtClassLimit) {
        text += "; no load up to 10000 % reaches the class limit.";
    } else if (*thermal.loadScaleAtClassLimit == 0) {
        text += "; the core loss alone reaches the class limit.";
    } else {
        const std::string percent = fixed(*thermal.loadScaleAtClassLimit * 100.0, 0);
        text += thermal.withinClass
                    ? "; the load may rise to " + percent + " % before the class limit."
                    : "; the load must fall to " + percent + " % to meet the class limit.";
    }
    return text;
}

std::string belowAmbientSentence(double reportTemperatureC, double ambientC)
{
    return "The fixed report's temperature, " + fixed(reportTemperatureC, 0) + " \xC2\xB0" +
           "C, is below the ambient " + fixed(ambientC, 1) + " \xC2\xB0" +
           "C, so it means nothing for this design.";
}

std::string reportFigureSentence(double reportTemperatureC)
{
    return "The fixed report's own figure is " + fixed(reportTemperatureC, 0) + " \xC2\xB0" +
           "C (" + fixed(fahrenheitFromCelsius(reportTemperatureC), 1) + " \xC2\xB0" +
           "F): radiation alone, with emissivity 0.075 and no ambient, so it is no hot-spot "
           "temperature.";
}

} // namespace ferrolux
