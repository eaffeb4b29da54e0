#pragma once

// Temperature rise of a winding measured by resistance: the winding's resistance cold (at a
// known temperature) and hot (just after switching off a steady load) give its average
// temperature, because a conductor's resistance is proportional to (k + T).

#include "input_problem.h"

#include <optional>
#include <string_view>

namespace ferrolux {

enum class Conductor { Copper, Aluminium };

// The temperature (in kelvin, as a positive number) below 0 °C at which the conductor's
// resistance would extrapolate to zero: 234.5 for copper, 225 for aluminium.
double conductorConstantK(Conductor conductor);

// "copper" / "aluminium" (and "aluminum"), any case; nullopt for anything else.
std::optional<Conductor> conductorFromName(std::string_view name);
std::string_view conductorName(Conductor conductor);

struct ResistanceReadings
{
    double coldOhms = 0;
    double coldC = 0; // winding temperature when the cold resistance was measured
    double hotOhms = 0;
    double ambientC = 0; // cooling air at the end of the load run
};

struct MeasuredRise
{
    double riseK = 0;    // average winding temperature above the ambient
    double windingC = 0; // average winding temperature
};

// rise = (R_hot / R_cold) · (k + T_cold) − (k + T_ambient); winding = rise + T_ambient.
// Refused: resistances that are not finite and positive, temperatures outside -50 to 100 °C
// or not finite, k not finite and positive, and a hot resistance below the one a winding at
// the ambient would have (a negative rise: the readings are swapped or wrong).
Checked<MeasuredRise> riseFromResistance(const ResistanceReadings &readings, double k);
Checked<MeasuredRise> riseFromResistance(const ResistanceReadings &readings, Conductor conductor);

// measured / predicted: the factor that makes a model's predicted rise agree with a measured
// average rise. nullopt when either is not finite, the measured rise is negative or the
// predicted rise is not above zero (no factor can calibrate it).
std::optional<double> riseCalibrationFactor(double measuredRiseK, double predictedRiseK);

} // namespace ferrolux
