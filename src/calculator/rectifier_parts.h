#pragma once

// Rectifier parts a supply can name: vacuum rectifier valves and silicon diodes, each a row
// of figures from the maker's published data sheet, with that sheet named in the row.
// docs/supply-simulation.md lists the same rows with their sources.

#include "valve_heaters.h"

#include <optional>
#include <span>
#include <string_view>

namespace ferrolux {

// The voltage law of one conducting element: v = forward_v + resistance_ohm · i + (i / k)^(1/n)
// for i > 0; no power-law term when k is absent. No reverse current.
struct DiodeLaw
{
    double forwardV = 0;
    double resistanceOhm = 0;
    std::optional<double> k; // A / V^n
    std::optional<double> n;

    bool operator==(const DiodeLaw &) const = default;
};

// A sheet's capacitor-input rating at one plate voltage: the largest input capacitor and the
// smallest total plate-supply impedance (resistance) per plate. plateVrms 0: the source gives
// the figures without a voltage. A figure of 0 was not found in any source and is not checked.
struct PlateRating
{
    double plateVrms;
    double maxInputUf;
    double minSupplyOhm;
};

// A peak inverse voltage the sheet allows only up to a DC output current: the rating holds for
// every output current at or below maxDcA.
struct PivRating
{
    double maxDcA;
    double maxPivV;
};

struct RectifierValve
{
    std::string_view name; // "5AR4/GZ34": either name finds the row
    // The valve's drop at a stated current per plate; k = i / v^1.5 (n = 1.5).
    double dropV, dropAtA;
    // Limits; each is 0 when no source for it was found, and is then not checked.
    double maxDcA;                        // largest DC output current with capacitor input
    double maxPivV;                       // largest peak inverse voltage at any output current
    double maxPeakA;                      // largest peak plate current per plate
    double maxSurgeA;                     // largest switch-on (hot-switching) surge per plate
    std::span<const PlateRating> ratings; // ascending plate voltage
    std::string_view source;              // maker and document
    // Peak inverse voltages that depend on the DC output current (ascending current); when
    // given they replace maxPivV.
    std::span<const PivRating> pivByCurrent = {};
};

struct SiliconDiode
{
    std::string_view name;
    double forwardV, resistanceOhm; // the element's law (no power-law term)
    double maxAverageA, maxSurgeA, maxReverseV;
    std::string_view source;
};

std::span<const RectifierValve> rectifierValves();
std::span<const SiliconDiode> siliconDiodes();

// Case-insensitive; a valve row answers to each of its names split at '/'.
const RectifierValve *findRectifierValve(std::string_view name);
const SiliconDiode *findSiliconDiode(std::string_view name);

// The valve's heater: the valve heater table's row for the first of its names found there
// (the heater figures live in that table only).
std::optional<ValveHeater> rectifierHeater(const RectifierValve &valve);

// The valve's law: k = dropAtA / dropV^1.5, n = 1.5, no forward voltage or resistance.
DiodeLaw valveLaw(const RectifierValve &valve);
DiodeLaw siliconLaw(const SiliconDiode &diode);

// The rating that applies at `plateVrms`: the first at or above it, else the highest.
const PlateRating *plateRatingAt(const RectifierValve &valve, double plateVrms);

// The largest peak inverse voltage allowed at a DC output current: from pivByCurrent the rating
// of the first current at or above it, else the highest current's; otherwise maxPivV. 0 when no
// figure is known.
double maxPivAt(const RectifierValve &valve, double dcA);

} // namespace ferrolux
