#pragma once

// A transformer design as numbers: what the analysis computes on, read from the window's input
// texts by parseDesign (analysis.h) or built directly by the checks that scale a design.

#include <vector>

namespace ferrolux {

// One secondary as entered: a current of 0 means that the analysis is to find it.
struct SecondaryDesign
{
    double voltage = 0;    // Vs, volts
    double current = 0;    // Is, amperes
    double resistance = 0; // Rs, ohms

    bool operator==(const SecondaryDesign &) const = default;
};

struct TransformerDesign
{
    double primaryVoltage = 0;    // Vp, volts
    double primaryResistance = 0; // Rp, ohms
    // One to six secondaries. A count outside 1..6 is refused by the analysis.
    std::vector<SecondaryDesign> secondaries;
    bool potted = false; // a closed X by Y by Z box; otherwise A, B and C are used too
    double x = 0, y = 0, z = 0, a = 0, b = 0, c = 0; // centimetres
    bool correctForLoading = false;                  // voltages measured open circuit
    double plateLimit = 0;                           // percent, windings above 30 V
    double filamentLimit = 0;                        // percent, windings of 30 V or below

    bool operator==(const TransformerDesign &) const = default;
};

// A winding above this voltage is a plate winding; at or below it a filament winding.
inline constexpr double kPlateThresholdVolts = 30;

inline bool isPlateWinding(const SecondaryDesign &secondary)
{
    return secondary.voltage > kPlateThresholdVolts;
}

} // namespace ferrolux
