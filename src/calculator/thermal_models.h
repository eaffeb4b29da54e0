#pragma once

// The insulation classes, the thermal check's own inputs, and the three temperature-rise
// models of the thermal check, on a total heat P (W) over the
// radiating surface S (cm²) of a transformer whose mean outer dimension is L (m). The formulas
// and their sources are in docs/engineering-checks.md.

#include "input_range.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ferrolux {

enum class InsulationClass { A, E, B, F, H };

// The class's temperature limit in °C: 105, 120, 130, 155, 180.
double classLimitC(InsulationClass insulationClass);
// "A", "E", "B", "F", "H".
std::string_view insulationClassName(InsulationClass insulationClass);
// Parses "A".."H" (case-insensitive); nullopt for anything else.
std::optional<InsulationClass> insulationClassFromName(std::string_view name);

// The check's own inputs, each with its default and its accepted range.
struct ThermalInputs
{
    double ambientC = 40; // -50 .. 100
    InsulationClass insulationClass = InsulationClass::A;
    double hotSpotAllowanceK = 10; // 0 .. 50
    double coreLossW = 0;          // 0 .. 10000; 0 means unknown
    double emissivity = 0.9;       // 0.01 .. 1

    bool operator==(const ThermalInputs &) const = default;
};

enum class ThermalModel { McLyman, Amidon, ConvectionRadiation };
inline constexpr std::array<ThermalModel, 3> kThermalModels = {
    ThermalModel::McLyman, ThermalModel::Amidon, ThermalModel::ConvectionRadiation};

// "mclyman", "amidon", "convection_radiation" (the JSON names).
std::string_view thermalModelKey(ThermalModel model);
// "McLyman", "Amidon", "Convection and radiation" (for people).
std::string_view thermalModelTitle(ThermalModel model);

struct ModelEstimate
{
    ThermalModel model = ThermalModel::McLyman;
    double riseK = 0;
    double hotSpotC = 0; // ambient + rise + allowance
};

struct ThermalGeometry
{
    double surfaceCm2 = 0;
    double meanLengthM = 0;
};

inline constexpr double kStefanBoltzmann = 5.670374419e-8; // W/(m²·K⁴)
inline constexpr double kCelsiusToKelvin = 273.15;

// Why the models cannot run on this geometry with these inputs; empty when they can.
std::string thermalUnavailableReason(const ThermalGeometry &geometry, const ThermalInputs &inputs);

// The rise in kelvin of one model for `heatW` >= 0. The convection and radiation balance is
// solved to well within 1e-6 K; it is 0 for no heat. Infinite when the heat is.
double modelRiseK(ThermalModel model, double heatW, const ThermalGeometry &geometry,
                  const ThermalInputs &inputs);

// The heat that the surface gives off by natural convection and radiation at a rise of
// `riseK`: the balance that modelRiseK solves for the convection and radiation model.
double convectionRadiationHeatW(double riseK, const ThermalGeometry &geometry,
                                const ThermalInputs &inputs);

// The inverse of modelRiseK: the heat at which `model` gives a rise of `riseK` (>= 0).
double heatAtRiseW(ThermalModel model, double riseK, const ThermalGeometry &geometry,
                   const ThermalInputs &inputs);

// Every model's rise and hot spot (ambient + rise + allowance) for `heatW`.
std::array<ModelEstimate, 3> modelEstimates(double heatW, const ThermalGeometry &geometry,
                                            const ThermalInputs &inputs);

// The estimate with the highest hot spot (the first one on a tie).
const ModelEstimate &hottestEstimate(const std::array<ModelEstimate, 3> &estimates);

} // namespace ferrolux
