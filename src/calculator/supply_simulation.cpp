#include "supply_simulation.h"

#include "supply_network.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ferrolux {

namespace {

// The quantities a cycle averages, at one point. Averaged over a step with the RK4 weights of
// its four stages (Simpson's rule), so that a fast commutation inside a step is not sampled
// at one instant only.
struct Rates
{
    double windingSquares = 0, elementSum = 0, loadA = 0, outputA = 0;
    double sourceW = 0, windingW = 0, rectifierW = 0, filterW = 0, loadW = 0;

    static Rates of(const SupplyPoint &p)
    {
        return {p.windingA * p.windingA + p.windingB * p.windingB,
                p.groupA + p.groupB,
                p.loadA,
                p.outputA,
                p.sourceW,
                p.windingW,
                p.rectifierW,
                p.filterW,
                p.loadW};
    }
    void add(const Rates &r, double weight)
    {
        windingSquares += weight * r.windingSquares;
        elementSum += weight * r.elementSum;
        loadA += weight * r.loadA;
        outputA += weight * r.outputA;
        sourceW += weight * r.sourceW;
        windingW += weight * r.windingW;
        rectifierW += weight * r.rectifierW;
        filterW += weight * r.filterW;
        loadW += weight * r.loadW;
    }
};

// Sums over one cycle: voltages and peaks at the start of every step, the rest step-averaged.
struct CycleSums
{
    int samples = 0;
    double outputSum = 0, outputMin = std::numeric_limits<double>::infinity(),
           outputMax = -std::numeric_limits<double>::infinity();
    double firstSum = 0, windingSquares = 0, windingPeak = 0;
    double elementPeak = 0, elementSum = 0, reversePeak = 0;
    double loadSum = 0, rectifierOutSum = 0;
    double sourceW = 0, windingW = 0, rectifierW = 0, filterW = 0, loadW = 0;

    void add(double first, double out, const SupplyPoint &p, const Rates &r)
    {
        ++samples;
        outputSum += out;
        outputMin = std::min(outputMin, out);
        outputMax = std::max(outputMax, out);
        firstSum += first;
        windingSquares += r.windingSquares;
        windingPeak = std::max({windingPeak, std::abs(p.windingA), std::abs(p.windingB)});
        elementPeak = std::max({elementPeak, p.groupA, p.groupB});
        elementSum += r.elementSum;
        reversePeak = std::max(reversePeak, p.reverseV);
        loadSum += r.loadA;
        rectifierOutSum += r.outputA;
        sourceW += r.sourceW;
        windingW += r.windingW;
        rectifierW += r.rectifierW;
        filterW += r.filterW;
        loadW += r.loadW;
    }

    double mean() const { return outputSum / samples; }
    // A centre tap's two half-windings each carry one half of the cycle's square sum.
    double windingRms(RectifierCircuit circuit) const
    {
        const double paths = circuit == RectifierCircuit::FullWaveCentreTap ? 2 : 1;
        return std::sqrt(windingSquares / (paths * samples));
    }
};

class Integrator
{
public:
    Integrator(const SupplyNetwork &net, int stepsPerCycle)
        : net_(net), steps_(stepsPerCycle), h_(net.period() / stepsPerCycle), k1_(net.stateSize()),
          k2_(net.stateSize()), k3_(net.stateSize()), k4_(net.stateSize()), tmp_(net.stateSize())
    {
    }

    double step() const { return h_; }

    // One RK4 step from (t, x); the point at the step's start goes to `point`, the step's
    // averages to `rates` when not null.
    void advance(double t, std::vector<double> &x, SupplyPoint *point, Rates *rates = nullptr)
    {
        const int n = net_.stateSize();
        SupplyPoint stage[3];
        SupplyPoint *p2 = rates ? &stage[0] : nullptr, *p3 = rates ? &stage[1] : nullptr,
                    *p4 = rates ? &stage[2] : nullptr;
        net_.derivative(t, x.data(), k1_.data(), point);
        for (int i = 0; i < n; ++i) {
            tmp_[i] = x[i] + 0.5 * h_ * k1_[i];
        }
        net_.derivative(t + 0.5 * h_, tmp_.data(), k2_.data(), p2);
        for (int i = 0; i < n; ++i) {
            tmp_[i] = x[i] + 0.5 * h_ * k2_[i];
        }
        net_.derivative(t + 0.5 * h_, tmp_.data(), k3_.data(), p3);
        for (int i = 0; i < n; ++i) {
            tmp_[i] = x[i] + h_ * k3_[i];
        }
        net_.derivative(t + h_, tmp_.data(), k4_.data(), p4);
        if (rates) {
            *rates = Rates{};
            rates->add(Rates::of(*point), 1.0 / 6);
            rates->add(Rates::of(stage[0]), 2.0 / 6);
            rates->add(Rates::of(stage[1]), 2.0 / 6);
            rates->add(Rates::of(stage[2]), 1.0 / 6);
        }
        for (int i = 0; i < n; ++i) {
            x[i] += h_ / 6 * (k1_[i] + 2 * k2_[i] + 2 * k3_[i] + k4_[i]);
        }
        // The rectifier passes no reverse current: a choke input's current stops at zero.
        if (net_.inputChoke() >= 0) {
            x[net_.inputChoke()] = std::max(x[net_.inputChoke()], 0.0);
        }
    }

    // One mains cycle from phase 0; x becomes the state a period later.
    CycleSums cycle(std::vector<double> &x, SupplyWaveform *waveform)
    {
        CycleSums sums;
        SupplyPoint point;
        for (int k = 0; k < steps_; ++k) {
            const double t = k * h_;
            advanceAndRecord(t, x, point, sums, waveform);
        }
        return sums;
    }

private:
    void advanceAndRecord(double t, std::vector<double> &x, SupplyPoint &point, CycleSums &sums,
                          SupplyWaveform *waveform)
    {
        const double out = x[net_.lastNode()];
        const double first = x[net_.firstNode()];
        Rates rates;
        advance(t, x, &point, &rates);
        sums.add(first, out, point, rates);
        if (waveform) {
            waveform->timeS.push_back(t);
            waveform->windingA.push_back(point.windingA);
            waveform->outputV.push_back(out);
        }
    }

    const SupplyNetwork &net_;
    int steps_;
    double h_;
    std::vector<double> k1_, k2_, k3_, k4_, tmp_;
};

// The Jacobian's integrator takes this many times fewer steps, but at least kMinCoarseSteps.
constexpr int kCoarseDivisor = 8;
constexpr int kMinCoarseSteps = 48;

bool settled(double previous, double current)
{
    const double scale = std::max(std::abs(previous), std::abs(current));
    return std::abs(current - previous) <= kSteadyTolerance * scale;
}

// Solves A·d = r in place (Gaussian elimination with partial pivoting); false if singular.
bool solveLinear(std::vector<double> &a, std::vector<double> &r, int n)
{
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int row = col + 1; row < n; ++row) {
            if (std::abs(a[row * n + col]) > std::abs(a[pivot * n + col])) {
                pivot = row;
            }
        }
        if (!(std::abs(a[pivot * n + col]) > 1e-300)) {
            return false;
        }
        if (pivot != col) {
            for (int j = 0; j < n; ++j) {
                std::swap(a[col * n + j], a[pivot * n + j]);
            }
            std::swap(r[col], r[pivot]);
        }
        for (int row = col + 1; row < n; ++row) {
            const double f = a[row * n + col] / a[col * n + col];
            for (int j = col; j < n; ++j) {
                a[row * n + j] -= f * a[col * n + j];
            }
            r[row] -= f * r[col];
        }
    }
    for (int row = n - 1; row >= 0; --row) {
        double s = r[row];
        for (int j = row + 1; j < n; ++j) {
            s -= a[row * n + j] * r[j];
        }
        r[row] = s / a[row * n + row];
    }
    return true;
}

// One Newton step on F(x) = Φ(x) − x, Φ the state a cycle later; `mapped` is Φ(x0) from the
// full integrator. The Jacobian only steers the step, so it comes from a coarser integrator
// (`coarse`, forward differences); the fixed point it leads to is the full integrator's.
// Returns the cycles it integrated.
int shootingStep(const SupplyNetwork &net, Integrator &coarse, std::vector<double> &x0,
                 const std::vector<double> &mapped)
{
    const int n = net.stateSize();
    std::vector<double> jacobian(static_cast<std::size_t>(n) * n), residual(n);
    for (int i = 0; i < n; ++i) {
        residual[i] = -(mapped[i] - x0[i]);
    }
    std::vector<double> base = x0;
    coarse.cycle(base, nullptr);
    for (int col = 0; col < n; ++col) {
        std::vector<double> x = x0;
        const double delta = 1e-6 * std::max(std::abs(x0[col]), 1e-2 * net.stateScale(col));
        x[col] += delta;
        coarse.cycle(x, nullptr);
        for (int row = 0; row < n; ++row) {
            jacobian[row * n + col] = (x[row] - base[row]) / delta - (row == col ? 1 : 0);
        }
    }
    if (solveLinear(jacobian, residual, n)) {
        for (int i = 0; i < n; ++i) {
            x0[i] += residual[i];
        }
        // Keep the jump physical: capacitor voltages within 0 .. 2·peak, no reverse current.
        for (int i = 0; i <= net.lastNode(); ++i) {
            x0[i] = std::clamp(x0[i], 0.0, 2 * net.amplitude());
        }
        if (net.inputChoke() >= 0) {
            x0[net.inputChoke()] = std::max(x0[net.inputChoke()], 0.0);
        }
    } else {
        x0 = mapped;
    }
    return n + 1;
}

SupplyFigures figuresOf(const CycleSums &s, const SupplyNetwork &net, RectifierCircuit circuit)
{
    SupplyFigures f;
    const double n = s.samples;
    f.dcOutputV = s.mean();
    f.ripplePpV = s.outputMax - s.outputMin;
    f.firstCapacitorDcV = s.firstSum / n;
    f.windingRmsA = s.windingRms(circuit);
    f.windingPeakA = s.windingPeak;
    f.rectifierPeakA = s.elementPeak;
    f.rectifierMeanA = s.elementSum / n / (net.fullWave() ? 2 : 1);
    f.pivV = s.reversePeak;
    f.loadMeanA = s.loadSum / n;
    f.outputMeanA = s.rectifierOutSum / n;
    f.sourcePowerW = s.sourceW / n;
    f.windingLossW = s.windingW / n;
    f.rectifierLossW = s.rectifierW / n;
    f.filterLossW = s.filterW / n;
    f.loadPowerW = s.loadW / n;
    return f;
}

bool finite(const std::vector<double> &x)
{
    return std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); });
}

int stepsFor(const SupplyNetwork &net, int requested)
{
    const double needed = std::ceil(net.period() / (0.5 * net.shortestTimeConstant()));
    return static_cast<int>(
        std::clamp(needed, static_cast<double>(requested),
                   static_cast<double>(std::max(requested, kMaxSupplyStepsPerCycle))));
}

} // namespace

int supplyStepsPerCycle(const SupplyCircuit &supply, int requested)
{
    if (supplyProblem(supply)) {
        return requested;
    }
    return stepsFor(SupplyNetwork(supply), requested);
}

std::variant<SteadyState, SupplyFailure> simulateSteadyState(const SupplyCircuit &supply,
                                                             const SimulationOptions &options)
{
    if (const std::optional<std::string> problem = supplyProblem(supply)) {
        return SupplyFailure{*problem};
    }
    const SupplyNetwork net(supply);
    const int steps = stepsFor(net, options.stepsPerCycle);
    Integrator integrator(net, steps);
    Integrator coarse(net, std::max(steps / kCoarseDivisor, kMinCoarseSteps));
    std::vector<double> x = static_cast<int>(options.startState.size()) == net.stateSize()
                                ? options.startState
                                : net.estimatedState();
    const bool currentLoad = supply.load.kind == SupplyLoadKind::ConstantCurrent;
    // A constant-current load that drives the output to zero (so that it is cut off for a
    // while, and its mean falls short), or a resistance left with next to nothing across it,
    // has collapsed the supply.
    const auto collapsed = [&](const CycleSums &sums) {
        return (currentLoad && sums.loadSum < (1 - 1e-9) * supply.load.value * sums.samples) ||
               sums.outputMax <= 1e-3 * net.amplitude();
    };
    const SupplyFailure collapse{"the supply cannot deliver the load: the output collapses"};
    int cycles = 0, collapsedCycles = 0;
    const auto measured = [&](const CycleSums &sums) {
        ++cycles;
        collapsedCycles += collapsed(sums) ? 1 : 0;
        return sums;
    };
    CycleSums previous = measured(integrator.cycle(x, nullptr));
    while (cycles < options.maxCycles && finite(x)) {
        std::vector<double> start = x;
        SupplyWaveform waveform;
        const CycleSums current =
            measured(integrator.cycle(x, options.wantWaveform ? &waveform : nullptr));
        if (collapsedCycles >= 6) {
            return collapse;
        }
        if (settled(previous.mean(), current.mean()) &&
            settled(previous.windingRms(supply.circuit), current.windingRms(supply.circuit))) {
            if (collapsed(current)) {
                return collapse;
            }
            SteadyState steady{figuresOf(current, net, supply.circuit), std::move(waveform),
                               std::move(start)};
            steady.figures.cycles = cycles;
            return steady;
        }
        cycles += shootingStep(net, coarse, start, x);
        x = std::move(start);
        previous = measured(integrator.cycle(x, nullptr));
    }
    return SupplyFailure{"no steady state within " + std::to_string(options.maxCycles) +
                         " mains cycles"};
}

SwitchOnFigures simulateSwitchOn(const SupplyCircuit &supply, double steadyDcV, int stepsPerCycle)
{
    if (supplyProblem(supply)) {
        return {};
    }
    const SupplyNetwork net(supply);
    stepsPerCycle = stepsFor(net, stepsPerCycle);
    Integrator integrator(net, stepsPerCycle);
    std::vector<double> x(net.stateSize(), 0.0);
    const double h = integrator.step();
    // Switched on at the EMF's positive peak, a quarter cycle into it.
    const double t0 = 0.25 * net.period();
    constexpr int kSurgeCycles = 5;
    constexpr int kMaxColdCycles = 1000;
    SwitchOnFigures figures;
    const double target = 0.9 * steadyDcV;
    SupplyPoint point;
    for (int k = 0; k < kMaxColdCycles * stepsPerCycle; ++k) {
        const double before = x[net.lastNode()];
        integrator.advance(t0 + k * h, x, &point);
        figures.surgePeakA = std::max({figures.surgePeakA, point.groupA, point.groupB});
        const double after = x[net.lastNode()];
        if (!figures.timeTo90S && before < target && after >= target) {
            figures.timeTo90S = (k + (target - before) / (after - before)) * h;
        }
        if (figures.timeTo90S && k >= kSurgeCycles * stepsPerCycle) {
            break;
        }
    }
    return figures;
}

} // namespace ferrolux
