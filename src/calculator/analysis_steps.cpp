#include "analysis_steps.h"

#include "analysis_refusals.h"
#include "checked_arithmetic.h"

#include <cmath>

namespace ferrolux {

namespace {

using analysis_detail::secondaryLabel;

// Names each quantity and checks every operation.
struct CheckedSteps
{
    CheckedStep named(const char *quantity) const { return CheckedStep(quantity); }
    CheckedStep secondary(std::size_t index, const char *what) const
    {
        return CheckedStep(secondaryLabel(index, what));
    }
};

// The same operations as CheckedStep, unchecked and unnamed.
struct PlainStep
{
    double add(double a, double b) const { return a + b; }
    double sub(double a, double b) const { return a - b; }
    double mul(double a, double b) const { return a * b; }
    double div(double a, double b) const { return a / b; }
    double pow(double base, double exponent) const { return std::pow(base, exponent); }
    double square(double x) const { return pow(x, 2.0); }
};

struct PlainSteps
{
    PlainStep named(const char *) const { return {}; }
    PlainStep secondary(std::size_t, const char *) const { return {}; }
};

// Voltage under load: the drop in the winding itself plus the primary resistance reflected
// through the square of the turns ratio.
template <typename Steps>
double loadedVoltage(const SecondaryResult &slot, std::size_t index, double Vp, double Rp,
                     const Steps &steps)
{
    const auto step = steps.secondary(index, "Voltage Under Load");
    const double reflected = step.mul(Rp, step.square(step.div(slot.enteredVoltage, Vp)));
    return step.sub(slot.enteredVoltage,
                    step.mul(slot.current, step.add(slot.resistance, reflected)));
}

template <typename Steps>
void windingPowers(SecondaryResult &slot, std::size_t index, const Steps &steps)
{
    const auto dissipation = steps.secondary(index, "Dissipation");
    slot.dissipation = dissipation.mul(dissipation.square(slot.current), slot.resistance);
    slot.outputPower = steps.secondary(index, "Power").mul(slot.current, slot.loadedVoltage);
    const auto percent = steps.secondary(index, "Percent Dissipation");
    slot.percentDissipation = percent.div(percent.mul(100, slot.dissipation),
                                          percent.add(slot.dissipation, slot.outputPower));
}

template <typename Steps>
void loadedFigures(AnalysisResult &r, bool correctForLoading, const Steps &steps)
{
    for (std::size_t i = 0; i < r.secondaries.size(); ++i) {
        SecondaryResult &slot = r.secondaries[i];
        slot.loadedVoltage =
            correctForLoading ? loadedVoltage(slot, i, r.primaryVoltage, r.primaryResistance, steps)
                              : slot.enteredVoltage;
    }
    for (std::size_t i = 0; i < r.secondaries.size(); ++i) {
        windingPowers(r.secondaries[i], i, steps);
    }

    const auto power = steps.named("Primary Power");
    double pin = 0;
    for (const SecondaryResult &slot : r.secondaries) {
        pin = power.add(power.add(pin, slot.outputPower), slot.dissipation);
    }
    r.primaryPower = pin;
    r.primaryCurrent = steps.named("Primary Current").div(r.primaryPower, r.primaryVoltage);
    const auto dissipation = steps.named("Primary Dissipation");
    r.primaryDissipation =
        dissipation.mul(dissipation.square(r.primaryCurrent), r.primaryResistance);
    const auto percent = steps.named("Primary % Dissipation");
    r.primaryPercentDissipation = percent.div(percent.mul(100, r.primaryDissipation),
                                              percent.add(r.primaryDissipation, r.primaryPower));

    const auto total = steps.named("Total Dissipation");
    double pdt = r.primaryDissipation;
    for (const SecondaryResult &slot : r.secondaries) {
        pdt = total.add(pdt, slot.dissipation);
    }
    r.totalDissipation = pdt;
}

} // namespace

void computeLoadedFigures(AnalysisResult &result, bool correctForLoading)
{
    loadedFigures(result, correctForLoading, CheckedSteps{});
}

void computeLoadedFiguresUnchecked(AnalysisResult &result, bool correctForLoading)
{
    loadedFigures(result, correctForLoading, PlainSteps{});
}

} // namespace ferrolux
