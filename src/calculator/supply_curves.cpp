#include "supply_curves.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace ferrolux {

namespace {

// Simulates the supply at each scale, in order, each run starting from the last one's state.
// Stops at the first scale the supply cannot deliver.
std::vector<RegulationPoint> sweep(const SupplyCircuit &supply, const std::vector<double> &scales,
                                   std::string &failure)
{
    std::vector<RegulationPoint> points;
    SimulationOptions options;
    std::vector<double> before; // the state one point further back
    for (const double scale : scales) {
        // Start from the last state, moved on along the line through the two last ones.
        std::vector<double> start = options.startState;
        if (points.size() >= 2) {
            const double last = points.back().loadScale,
                         first = points[points.size() - 2].loadScale;
            const double f = (scale - last) / (last - first);
            for (std::size_t i = 0; i < start.size(); ++i) {
                start[i] += f * (start[i] - before[i]);
            }
        }
        SimulationOptions run = options;
        run.startState = std::move(start);
        const auto outcome = simulateSteadyState(scaledLoad(supply, scale), run);
        if (const auto *failed = std::get_if<SupplyFailure>(&outcome)) {
            failure = failed->reason;
            break;
        }
        const SteadyState &steady = std::get<SteadyState>(outcome);
        before = std::move(options.startState);
        options.startState = steady.state;
        points.push_back({scale, steady.figures.loadMeanA, steady.figures.dcOutputV,
                          steady.figures.windingRmsA});
    }
    return points;
}

} // namespace

SupplyCircuit scaledLoad(SupplyCircuit supply, double scale)
{
    if (supply.load.kind == SupplyLoadKind::ConstantCurrent) {
        supply.load.value *= scale;
    } else {
        supply.load.value /= scale;
    }
    return supply;
}

std::variant<WindingCurrentCurve, SupplyFailure>
WindingCurrentCurve::fromSamples(std::vector<RegulationPoint> points, const std::string &failure)
{
    WindingCurrentCurve curve;
    curve.points_ = std::move(points);
    if (curve.points_.size() < 2) {
        return SupplyFailure{failure.empty() ? "too few loads could be simulated" : failure};
    }
    // Fritsch-Carlson: secant slopes, averaged inside, limited so the cubic stays monotone.
    const std::vector<RegulationPoint> &p = curve.points_;
    const std::size_t n = p.size();
    std::vector<double> secant(n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        secant[i] =
            (p[i + 1].windingRmsA - p[i].windingRmsA) / (p[i + 1].loadScale - p[i].loadScale);
    }
    curve.slopes_.assign(n, 0);
    curve.slopes_[0] = secant[0];
    curve.slopes_[n - 1] = secant[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i) {
        curve.slopes_[i] = secant[i - 1] * secant[i] <= 0 ? 0 : 0.5 * (secant[i - 1] + secant[i]);
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (secant[i] == 0) {
            curve.slopes_[i] = curve.slopes_[i + 1] = 0;
            continue;
        }
        const double a = curve.slopes_[i] / secant[i], b = curve.slopes_[i + 1] / secant[i];
        const double r = a * a + b * b;
        if (r > 9) {
            const double t = 3 / std::sqrt(r);
            curve.slopes_[i] = t * a * secant[i];
            curve.slopes_[i + 1] = t * b * secant[i];
        }
    }
    return curve;
}

SupplyLoadCurves supplyLoadCurves(const SupplyCircuit &supply)
{
    // The scales of both curves in one rising list, each once.
    std::vector<double> scales(std::begin(kWindingCurveScales), std::end(kWindingCurveScales));
    for (int i = 0; i < kDesignRegulationPoints; ++i) {
        scales.push_back(kRegulationFrom + i * kDesignRegulationStep);
    }
    std::sort(scales.begin(), scales.end());
    scales.erase(std::unique(scales.begin(), scales.end(),
                             [](double a, double b) { return std::abs(a - b) < 1e-9; }),
                 scales.end());
    std::string failure;
    const std::vector<RegulationPoint> points = sweep(supply, scales, failure);
    const auto among = [](double scale, auto first, auto last) {
        return std::any_of(first, last, [scale](double s) { return std::abs(s - scale) < 1e-9; });
    };
    SupplyLoadCurves curves;
    std::vector<RegulationPoint> windingSamples;
    for (const RegulationPoint &point : points) {
        if (point.loadScale <= kRegulationTo + 1e-9 &&
            std::abs(std::remainder(point.loadScale - kRegulationFrom, kDesignRegulationStep)) <
                1e-9) {
            curves.regulation.push_back(point);
        }
        if (among(point.loadScale, std::begin(kWindingCurveScales),
                  std::end(kWindingCurveScales))) {
            windingSamples.push_back(point);
        }
    }
    curves.windingCurrent = WindingCurrentCurve::fromSamples(std::move(windingSamples), failure);
    return curves;
}

double WindingCurrentCurve::rmsAt(double scale) const
{
    const std::vector<RegulationPoint> &p = points_;
    const std::size_t n = p.size();
    if (scale <= p.front().loadScale) {
        return p.front().windingRmsA + slopes_.front() * (scale - p.front().loadScale);
    }
    if (scale >= p.back().loadScale) {
        return p.back().windingRmsA + slopes_.back() * (scale - p.back().loadScale);
    }
    std::size_t i = 0;
    while (i + 2 < n && scale > p[i + 1].loadScale) {
        ++i;
    }
    const double h = p[i + 1].loadScale - p[i].loadScale;
    const double t = (scale - p[i].loadScale) / h;
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * p[i].windingRmsA + (t3 - 2 * t2 + t) * h * slopes_[i] +
           (-2 * t3 + 3 * t2) * p[i + 1].windingRmsA + (t3 - t2) * h * slopes_[i + 1];
}

} // namespace ferrolux
