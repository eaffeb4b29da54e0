#include "thermal_models.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace ferrolux {

namespace {

// McLyman's handbook: rise = 450 · ψ^0.826 with ψ in W/cm².
constexpr double kMcLymanFactor = 450;
constexpr double kMcLymanExponent = 0.826;
// The power law of the ferrite and iron-powder core makers: rise = (1000 · ψ)^0.833.
constexpr double kAmidonFactor = 1000;
constexpr double kAmidonExponent = 0.833;
// Natural convection from a surface in air: h = 1.32 · (rise / L)^0.25 W/(m²·K).
constexpr double kConvectionFactor = 1.32;

constexpr double kSquareCentimetresPerSquareMetre = 10000;

double areaM2(const ThermalGeometry &geometry)
{
    return geometry.surfaceCm2 / kSquareCentimetresPerSquareMetre;
}

// d(heat)/d(rise) of the convection and radiation balance.
double balanceSlope(double riseK, const ThermalGeometry &geometry, const ThermalInputs &inputs)
{
    const double ambientK = inputs.ambientC + kCelsiusToKelvin;
    const double convection =
        1.25 * kConvectionFactor * std::pow(riseK / geometry.meanLengthM, 0.25);
    const double radiation =
        4 * inputs.emissivity * kStefanBoltzmann * std::pow(ambientK + riseK, 3.0);
    return areaM2(geometry) * (convection + radiation);
}

// The rise at which the balance gives off `heatW`. The heat grows with the rise and is convex
// in it, and its tangent at zero lies below it: the rise where that tangent reaches the heat is
// an upper bound, and Newton's method from there comes down to the root without overshooting.
double solveBalance(double heatW, const ThermalGeometry &geometry, const ThermalInputs &inputs)
{
    if (!(heatW > 0)) {
        return 0;
    }
    if (!std::isfinite(heatW)) {
        return std::numeric_limits<double>::infinity();
    }
    double rise = heatW / balanceSlope(0, geometry, inputs);
    for (int i = 0; i < 2000 && std::isfinite(rise); ++i) {
        const double excess = convectionRadiationHeatW(rise, geometry, inputs) - heatW;
        const double step = excess / balanceSlope(rise, geometry, inputs);
        if (!(step > 0)) {
            break; // at the root, or below it by rounding
        }
        rise = std::max(0.0, rise - step);
        if (step <= 1e-12 * std::max(1.0, rise)) {
            break;
        }
    }
    return rise;
}

} // namespace

double classLimitC(InsulationClass insulationClass)
{
    switch (insulationClass) {
    case InsulationClass::A:
        return 105;
    case InsulationClass::E:
        return 120;
    case InsulationClass::B:
        return 130;
    case InsulationClass::F:
        return 155;
    case InsulationClass::H:
        return 180;
    }
    return 105;
}

std::string_view insulationClassName(InsulationClass insulationClass)
{
    switch (insulationClass) {
    case InsulationClass::A:
        return "A";
    case InsulationClass::E:
        return "E";
    case InsulationClass::B:
        return "B";
    case InsulationClass::F:
        return "F";
    case InsulationClass::H:
        return "H";
    }
    return "A";
}

std::optional<InsulationClass> insulationClassFromName(std::string_view name)
{
    if (name.size() != 1) {
        return std::nullopt;
    }
    for (const InsulationClass c : {InsulationClass::A, InsulationClass::E, InsulationClass::B,
                                    InsulationClass::F, InsulationClass::H}) {
        if (std::toupper(static_cast<unsigned char>(name[0])) == insulationClassName(c)[0]) {
            return c;
        }
    }
    return std::nullopt;
}

std::string_view thermalModelKey(ThermalModel model)
{
    switch (model) {
    case ThermalModel::McLyman:
        return "mclyman";
    case ThermalModel::Amidon:
        return "amidon";
    case ThermalModel::ConvectionRadiation:
        return "convection_radiation";
    }
    return "";
}

std::string_view thermalModelTitle(ThermalModel model)
{
    switch (model) {
    case ThermalModel::McLyman:
        return "McLyman";
    case ThermalModel::Amidon:
        return "Amidon";
    case ThermalModel::ConvectionRadiation:
        return "Convection and radiation";
    }
    return "";
}

std::string thermalUnavailableReason(const ThermalGeometry &geometry, const ThermalInputs &inputs)
{
    if (!(geometry.surfaceCm2 > 0) || !std::isfinite(geometry.surfaceCm2)) {
        return "the surface is not positive";
    }
    if (!(geometry.meanLengthM > 0) || !std::isfinite(geometry.meanLengthM)) {
        return "the mean of X, Y and Z is not positive";
    }
    if (!kAmbientRange.contains(inputs.ambientC)) {
        return "the ambient temperature is outside -50 to 100 \xC2\xB0"
               "C";
    }
    if (!kHotSpotAllowanceRange.contains(inputs.hotSpotAllowanceK)) {
        return "the hot-spot allowance is outside 0 to 50 K";
    }
    if (!kCoreLossRange.contains(inputs.coreLossW)) {
        return "the core loss is outside 0 to 10000 W";
    }
    if (!kEmissivityRange.contains(inputs.emissivity)) {
        return "the emissivity is outside 0.01 to 1";
    }
    return {};
}

double convectionRadiationHeatW(double riseK, const ThermalGeometry &geometry,
                                const ThermalInputs &inputs)
{
    const double ambientK = inputs.ambientC + kCelsiusToKelvin;
    const double h = kConvectionFactor * std::pow(riseK / geometry.meanLengthM, 0.25);
    const double radiation = inputs.emissivity * kStefanBoltzmann *
                             (std::pow(ambientK + riseK, 4.0) - std::pow(ambientK, 4.0));
    return areaM2(geometry) * (h * riseK + radiation);
}

double modelRiseK(ThermalModel model, double heatW, const ThermalGeometry &geometry,
                  const ThermalInputs &inputs)
{
    const double psi = heatW / geometry.surfaceCm2;
    switch (model) {
    case ThermalModel::McLyman:
        return kMcLymanFactor * std::pow(psi, kMcLymanExponent);
    case ThermalModel::Amidon:
        return std::pow(kAmidonFactor * psi, kAmidonExponent);
    case ThermalModel::ConvectionRadiation:
        return solveBalance(heatW, geometry, inputs);
    }
    return 0;
}

double heatAtRiseW(ThermalModel model, double riseK, const ThermalGeometry &geometry,
                   const ThermalInputs &inputs)
{
    switch (model) {
    case ThermalModel::McLyman:
        return geometry.surfaceCm2 * std::pow(riseK / kMcLymanFactor, 1 / kMcLymanExponent);
    case ThermalModel::Amidon:
        return geometry.surfaceCm2 * std::pow(riseK, 1 / kAmidonExponent) / kAmidonFactor;
    case ThermalModel::ConvectionRadiation:
        return convectionRadiationHeatW(riseK, geometry, inputs);
    }
    return 0;
}

std::array<ModelEstimate, 3> modelEstimates(double heatW, const ThermalGeometry &geometry,
                                            const ThermalInputs &inputs)
{
    std::array<ModelEstimate, 3> estimates{};
    for (std::size_t i = 0; i < kThermalModels.size(); ++i) {
        ModelEstimate &e = estimates[i];
        e.model = kThermalModels[i];
        e.riseK = modelRiseK(e.model, heatW, geometry, inputs);
        e.hotSpotC = inputs.ambientC + e.riseK + inputs.hotSpotAllowanceK;
    }
    return estimates;
}

const ModelEstimate &hottestEstimate(const std::array<ModelEstimate, 3> &estimates)
{
    const ModelEstimate *hottest = &estimates[0];
    for (const ModelEstimate &e : estimates) {
        if (e.hotSpotC > hottest->hotSpotC) {
            hottest = &e;
        }
    }
    return *hottest;
}

} // namespace ferrolux
