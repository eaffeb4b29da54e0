#pragma once

// The supply simulated to its steady state: the source EMF and path resistance, the rectifier
// elements, the filter ladder and the load as ordinary differential equations (capacitor
// voltages and choke currents), integrated by fixed-step fourth-order Runge-Kutta. The steady
// cycle is found by shooting (Newton on the state after one mains cycle) and accepted when the
// output's cycle mean and the winding's RMS current change by less than 1e-6 (relative) from
// one cycle to the next. docs/supply-simulation.md gives every equation.

#include "supply_circuit.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ferrolux {

// RK4 steps per mains cycle: a run with ten times as many agrees within 0.1 % (tested). A
// circuit with a shorter time constant gets more, up to kMaxSupplyStepsPerCycle, so that a
// step stays within half of its shortest time constant.
inline constexpr int kSupplyStepsPerCycle = 480;
inline constexpr int kMaxSupplyStepsPerCycle = 48000;
// A steady state not found within this many integrated cycles is "no steady state".
inline constexpr int kMaxSupplyCycles = 600;
// The relative cycle-to-cycle change that counts as steady.
inline constexpr double kSteadyTolerance = 1e-6;

struct SupplyFigures
{
    double dcOutputV = 0;         // mean of the last capacitor's voltage
    double ripplePpV = 0;         // its max - min over the steady cycle
    double firstCapacitorDcV = 0; // mean of the first capacitor's voltage
    double windingRmsA = 0;       // RMS current of one conduction path's winding
    double windingPeakA = 0;      // its largest magnitude
    double rectifierPeakA = 0;    // the largest current of one rectifier element
    double rectifierMeanA = 0;    // mean current of one rectifier element
    double pivV = 0;              // the largest reverse voltage on one element
    double loadMeanA = 0;         // mean load current
    double outputMeanA = 0;       // mean current out of the rectifier into the filter
    // Mean powers over the steady cycle: what the EMF gives, and where it goes.
    double sourcePowerW = 0, windingLossW = 0, rectifierLossW = 0, filterLossW = 0, loadPowerW = 0;
    int cycles = 0; // mains cycles integrated to reach the steady state
};

struct SwitchOnFigures
{
    double surgePeakA = 0; // largest element current from cold, switched on at a voltage peak
    std::optional<double> timeTo90S; // to 90 % of the steady output; nullopt if not reached
};

// One steady cycle, sampled at every step, for plots.
struct SupplyWaveform
{
    std::vector<double> timeS, windingA, outputV;
};

struct SupplyFailure
{
    std::string reason;
};

struct SimulationOptions
{
    int stepsPerCycle = kSupplyStepsPerCycle; // at least this many
    int maxCycles = kMaxSupplyCycles;
    bool wantWaveform = false;
    // A state to start from (as a previous run left it), e.g. the neighbouring load's.
    std::vector<double> startState;
};

struct SteadyState
{
    SupplyFigures figures;
    SupplyWaveform waveform;
    std::vector<double> state; // the periodic state at the start of the steady cycle
};

// A failure: the supply does not pass supplyProblem() (its reason), the output collapses (the
// load cannot be delivered), or no steady state within the bound.
std::variant<SteadyState, SupplyFailure> simulateSteadyState(const SupplyCircuit &supply,
                                                             const SimulationOptions &options = {});

// The steps per cycle a run asked for `requested` takes for this supply.
int supplyStepsPerCycle(const SupplyCircuit &supply, int requested);

// From cold; `steadyDcV` is the steady output the 90 % refers to. Empty figures for a supply
// that does not pass supplyProblem().
SwitchOnFigures simulateSwitchOn(const SupplyCircuit &supply, double steadyDcV,
                                 int stepsPerCycle = kSupplyStepsPerCycle);

} // namespace ferrolux
