#pragma once

// The supply against its load: the regulation curve (DC output against load current) for the
// plot, and the winding's RMS current against load for the checks, sampled at a few loads and
// interpolated so that a sweep does not run a simulation per point.

#include "supply_simulation.h"

#include <string>
#include <variant>
#include <vector>

namespace ferrolux {

// The supply with its load scaled by `scale` (the current times it, or the resistance
// divided by it).
SupplyCircuit scaledLoad(SupplyCircuit supply, double scale);

struct RegulationPoint
{
    double loadScale = 0;
    double loadA = 0; // mean load current
    double dcOutputV = 0;
    double windingRmsA = 0;
};

inline constexpr double kRegulationFrom = 0.1, kRegulationTo = 1.5;

// The winding's RMS current at load scales 0.1 .. 2, from kWindingCurveScales simulations
// joined by a monotone cubic (Fritsch-Carlson). Within the range it stays within 0.2 % of a
// direct simulation (tested; under 0.1 % on the tests' circuits); outside it the end slopes are
// extended linearly.
inline constexpr double kWindingCurveScales[] = {0.1, 0.2, 0.3,  0.45, 0.6,
                                                 0.8, 1.0, 1.25, 1.6,  2.0};

class WindingCurrentCurve
{
public:
    // The curve through samples at rising load scales (kWindingCurveScales, or the first of
    // them when the supply could deliver no more); `failure` is why a sweep stopped short.
    static std::variant<WindingCurrentCurve, SupplyFailure>
    fromSamples(std::vector<RegulationPoint> samples, const std::string &failure);

    double rmsAt(double loadScale) const;
    const std::vector<RegulationPoint> &samples() const { return points_; }

private:
    std::vector<RegulationPoint> points_;
    std::vector<double> slopes_;
};

// A design's supply needs both curves; one sweep over the scales of both (kWindingCurveScales
// and 0.1 to 1.5 in steps of 0.1), each run starting from its neighbour's steady state, gives
// them with 19 simulations instead of 26. The regulation curve has its 15 points at those
// steps.
inline constexpr double kDesignRegulationStep = 0.1;
inline constexpr int kDesignRegulationPoints = 15;

struct SupplyLoadCurves
{
    std::vector<RegulationPoint> regulation; // points beyond what the supply delivers left out
    std::variant<WindingCurrentCurve, SupplyFailure> windingCurrent = SupplyFailure{};
};

SupplyLoadCurves supplyLoadCurves(const SupplyCircuit &supply);

} // namespace ferrolux
