#pragma once

// The verdict of the engineering checks in words, and the one temperature-unit rule: what the
// check panel writes above its table, worked out here so that every front end says the same.

#include "engineering_checks.h"

#include <string>

namespace ferrolux {

// °C to °F and back (the fixed report works in °F, the checks in °C).
double fahrenheitFromCelsius(double celsius);
double celsiusFromFahrenheit(double fahrenheit);

// "Within class A: hottest estimate 59.0 °C (McLyman), margin 46 K; the load may rise to
// 299 % before the class limit." or "Over class ...", or why there is no temperature check.
std::string verdictSentence(const ThermalCheck &thermal, const ThermalInputs &inputs);

// Added to the verdict when the fixed report's temperature is below the ambient.
std::string belowAmbientSentence(double reportTemperatureC, double ambientC);

// What the fixed report's own temperature is, in both units.
std::string reportFigureSentence(double reportTemperatureC);

} // namespace ferrolux
