#include "design_supply.h"

#include <cmath>
#include <future>
#include <utility>

namespace ferrolux {

namespace {

// The steady state at `vac`, starting from `start` when given.
std::variant<SteadyState, SupplyFailure> steadyAt(SupplyCircuit &circuit, double vac,
                                                  const std::vector<double> &start)
{
    circuit.windingVac = vac;
    SimulationOptions options;
    options.startState = start;
    options.wantWaveform = true; // the steady cycle is kept for the plots
    return simulateSteadyState(circuit, options);
}

// vac = v + R·I_rms(vac) by secant steps from vac = v; the steady state at the root.
std::variant<SteadyState, SupplyFailure> steadyOnLoad(SupplyCircuit &circuit, double v)
{
    const double r = circuit.windingOhm;
    double x0 = v;
    auto run = steadyAt(circuit, x0, {});
    if (std::holds_alternative<SupplyFailure>(run) || r == 0) {
        return run;
    }
    double g0 = x0 - v - r * std::get<SteadyState>(run).figures.windingRmsA;
    double x1 = v + r * std::get<SteadyState>(run).figures.windingRmsA;
    for (int step = 0; step < kMaxLoadedVoltageSteps; ++step) {
        auto next = steadyAt(circuit, x1, std::get<SteadyState>(run).state);
        if (std::holds_alternative<SupplyFailure>(next)) {
            return next;
        }
        run = std::move(next);
        const double g1 = x1 - v - r * std::get<SteadyState>(run).figures.windingRmsA;
        if (std::abs(g1) <= kLoadedVoltageTolerance * x1) {
            return run;
        }
        const double x2 = g1 == g0 ? x1 - g1 : x1 - g1 * (x1 - x0) / (g1 - g0);
        x0 = x1;
        g0 = g1;
        x1 = x2 > 0 ? x2 : 0.5 * x1;
    }
    return SupplyFailure{"the open-circuit voltage for the entered voltage on load was not "
                         "found; tick \"Voltages Measured Open Circuit\" and enter it"};
}

} // namespace

double DesignSupplyResult::currentFactor(double voltageFactor, double loadScale) const
{
    if (!ok() || !currentCurve || voltageFactor <= 0) {
        return voltageFactor * loadScale;
    }
    const double nominal = currentCurve->rmsAt(1.0);
    if (!(nominal > 0)) {
        return voltageFactor * loadScale;
    }
    const double scale = circuit.load.kind == SupplyLoadKind::ConstantCurrent
                             ? loadScale / voltageFactor
                             : loadScale;
    const double factor = voltageFactor * currentCurve->rmsAt(scale) / nominal;
    return factor > 0 ? factor : 0.0;
}

DesignSupplyResult evaluateDesignSupply(const SecondarySupply &supply, std::size_t row,
                                        const SupplyWindingFigures &winding)
{
    DesignSupplyResult result;
    result.row = row;
    result.openCircuit = winding.openCircuit;
    const WindingSource source =
        windingSource(supply.circuit, winding.secondaryV, winding.secondaryOhm, winding.primaryV,
                      winding.primaryOhm);
    result.enteredPathV = source.pathVoltage;
    result.circuit = supplyCircuitOf(supply, source.pathVoltage, source.pathOhm);
    if (const std::optional<std::string> problem = supplyProblem(result.circuit)) {
        result.failure = *problem;
        return result;
    }
    auto steady = winding.openCircuit ? steadyAt(result.circuit, source.pathVoltage, {})
                                      : steadyOnLoad(result.circuit, source.pathVoltage);
    if (const auto *failure = std::get_if<SupplyFailure>(&steady)) {
        result.failure = failure->reason;
        return result;
    }
    result.figures = std::get<SteadyState>(steady).figures;
    result.waveform = std::move(std::get<SteadyState>(steady).waveform);
    result.switchOn = simulateSwitchOn(result.circuit, result.figures.dcOutputV);
    result.limits = supplyLimits(result.circuit, result.figures, result.switchOn);
    SupplyLoadCurves curves = supplyLoadCurves(result.circuit);
    if (auto *sampled = std::get_if<WindingCurrentCurve>(&curves.windingCurrent)) {
        result.currentCurve = std::move(*sampled);
    }
    result.regulation = std::move(curves.regulation);
    return result;
}

std::vector<DesignSupplyResult> evaluateDesignSupplies(const SecondarySupplies &supplies,
                                                       const TransformerDesign &design)
{
    // The supplies are independent of each other: each is worked out on a thread of its own
    // (the simulation keeps no shared state), the first on this one.
    std::vector<std::future<DesignSupplyResult>> running;
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < supplies.size() && row < design.secondaries.size(); ++row) {
        if (supplies[row]) {
            rows.push_back(row);
        }
    }
    const auto evaluateRow = [&](std::size_t row) {
        const SecondaryDesign &secondary = design.secondaries[row];
        return evaluateDesignSupply(*supplies[row], row,
                                    {secondary.voltage, secondary.resistance, design.primaryVoltage,
                                     design.primaryResistance, design.correctForLoading});
    };
    for (std::size_t i = 1; i < rows.size(); ++i) {
        running.push_back(std::async(std::launch::async, evaluateRow, rows[i]));
    }
    std::vector<DesignSupplyResult> results;
    if (!rows.empty()) {
        results.push_back(evaluateRow(rows.front()));
    }
    for (std::future<DesignSupplyResult> &result : running) {
        results.push_back(result.get());
    }
    return results;
}

WindingCurrentModels currentModelsOf(const std::vector<DesignSupplyResult> &supplies,
                                     std::size_t secondaryCount)
{
    WindingCurrentModels models(secondaryCount);
    for (const DesignSupplyResult &supply : supplies) {
        if (supply.row < secondaryCount && supply.ok()) {
            models[supply.row] = [&supply](double voltageFactor, double loadScale) {
                return supply.currentFactor(voltageFactor, loadScale);
            };
        }
    }
    return models;
}

} // namespace ferrolux
