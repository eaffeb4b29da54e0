// The second stage of the analysis: every figure of a TransformerDesign, each operation
// checked in the order written.

#include "analysis.h"

#include "analysis_refusals.h"
#include "analysis_steps.h"
#include "checked_arithmetic.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

namespace ferrolux {

namespace analysis_detail {

namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const char *faultWords(ArithmeticFault fault)
{
    switch (fault) {
    case ArithmeticFault::Overflow:
        return "overflow";
    case ArithmeticFault::DivisionByZero:
        return "division by zero";
    case ArithmeticFault::InvalidOperation:
        return "an invalid operation";
    case ArithmeticFault::None:
        break;
    }
    return "an arithmetic failure";
}

} // namespace

Refusal arithmeticRefusal(ArithmeticFault fault, const std::string &quantity, DesignField field,
                          int row)
{
    Refusal refusal;
    refusal.kind = RefusalKind::Arithmetic;
    refusal.field = field;
    refusal.row = row;
    refusal.fault = fault;
    refusal.quantity = quantity;
    refusal.message = "Calculation stopped: " + std::string(faultWords(fault)) + " in " +
                      lowerCase(quantity) + ".";
    return refusal;
}

RefusalStop simpleRefusal(RefusalKind kind, DesignField field, int row, std::string message)
{
    Refusal refusal;
    refusal.kind = kind;
    refusal.field = field;
    refusal.row = row;
    refusal.message = std::move(message);
    return RefusalStop{refusal};
}

RefusalStop countRefusal()
{
    return simpleRefusal(RefusalKind::CountOutOfRange, DesignField::SecondaryCount, 0,
                         "Number of secondaries must be from 1 to 6.");
}

std::string secondaryLabel(std::size_t index, const char *what)
{
    return "Secondary " + std::to_string(index + 1) + " " + what;
}

} // namespace analysis_detail

namespace {

using namespace analysis_detail;

constexpr double kPlateFirstCurrent = 0.001;
constexpr double kFilamentFirstCurrent = 0.1;

// Refuses a dimension the surface needs that no transformer can have.
void requireDimension(bool possible, DesignField field, const std::string &message)
{
    if (!possible) {
        throw simpleRefusal(RefusalKind::Impossible, field, 0, message);
    }
}

// X, Y and Z are the outer sizes of every construction. The other constructions add the stack
// A, inside the depth Z, and the covers B and C: B or C zero is the dimension message's case.
void requirePossibleDimensions(const TransformerDesign &d)
{
    requireDimension(d.x > 0, DesignField::DimensionX, "Dimension X must be more than zero.");
    requireDimension(d.y > 0, DesignField::DimensionY, "Dimension Y must be more than zero.");
    requireDimension(d.z > 0, DesignField::DimensionZ, "Dimension Z must be more than zero.");
    if (d.potted) {
        return;
    }
    requireDimension(d.a >= 0, DesignField::DimensionA, "Dimension A is negative.");
    requireDimension(d.b > 0, DesignField::DimensionB, "Dimension B is negative.");
    requireDimension(d.c > 0, DesignField::DimensionC, "Dimension C is negative.");
    requireDimension(d.a <= d.z, DesignField::DimensionA,
                     "Dimension A is larger than dimension Z.");
}

// Radiating surface in square centimetres. A potted transformer is a closed X by Y by Z box;
// every other construction needs B and C, or the user is asked which kind it is.
double surfaceArea(const TransformerDesign &d)
{
    const CheckedStep step("Surface Area");
    if (!d.potted && (d.b == 0 || d.c == 0)) {
        std::string message = kDimensionMessageLines[0];
        message += "\n";
        message += kDimensionMessageLines[1];
        message += "\n";
        message += kDimensionMessageLines[2];
        throw simpleRefusal(RefusalKind::Dimensions,
                            d.b == 0 ? DesignField::DimensionB : DesignField::DimensionC, 0,
                            message);
    }
    requirePossibleDimensions(d);
    if (d.potted) {
        const double xy = step.mul(step.mul(2, d.x), d.y);
        const double xz = step.mul(step.mul(2, d.x), d.z);
        const double yz = step.mul(step.mul(2, d.y), d.z);
        return step.add(step.add(xy, xz), yz);
    }
    const double w = step.div(step.sub(d.z, d.a), 2);
    const double xy = step.mul(step.mul(2, d.x), d.y);
    const double ax = step.mul(step.mul(2, d.a), d.x);
    const double wb = step.mul(step.mul(4, w), d.b);
    const double wc = step.mul(step.mul(4, w), d.c);
    return step.add(step.add(step.add(xy, ax), wb), wc);
}

// Raises the current by 1 % per step from `firstCurrent` until the winding's percent
// dissipation at the current before the step reaches `limit`; returns the raised current.
double searchCurrent(const SecondaryResult &slot, double firstCurrent, double limit,
                     const CheckedStep &step)
{
    double current = firstCurrent;
    for (;;) {
        const double pd = step.mul(step.square(current), slot.resistance);
        const double po = step.mul(current, slot.enteredVoltage);
        const double pc = step.div(step.mul(100, pd), step.add(pd, po));
        current = step.add(current, step.mul(0.01, current));
        if (!(pc < limit)) {
            return current;
        }
    }
}

void findUnknownCurrent(SecondaryResult &slot, std::size_t index, const TransformerDesign &d)
{
    const CheckedStep step(secondaryLabel(index, "Current Search"));
    if (slot.current == 0 && slot.enteredVoltage > kPlateThresholdVolts) {
        slot.current = searchCurrent(slot, kPlateFirstCurrent, d.plateLimit, step);
    }
    if (slot.current == 0 && slot.enteredVoltage <= kPlateThresholdVolts) {
        slot.current = searchCurrent(slot, kFilamentFirstCurrent, d.filamentLimit, step);
    }
}

// Radiation law with emissivity 0.075; kelvin to Celsius with 273, then to Fahrenheit.
double operatingTemperature(double PD)
{
    const CheckedStep step("Operating Temperature");
    const double sigma = step.mul(5.67, step.pow(10, -8));
    const double kelvin = step.pow(step.div(PD, step.mul(0.075, sigma)), step.div(1.0, 4));
    const double celsius = step.sub(kelvin, 273);
    return step.add(step.div(step.mul(celsius, 9), 5), 32);
}

AnalysisResult analyse(const TransformerDesign &design)
{
    AnalysisResult r;
    r.primaryVoltage = design.primaryVoltage;
    r.primaryResistance = design.primaryResistance;
    for (const SecondaryDesign &s : design.secondaries) {
        SecondaryResult slot;
        slot.enteredVoltage = s.voltage;
        slot.current = s.current;
        slot.resistance = s.resistance;
        r.secondaries.push_back(slot);
    }
    r.surfaceCm2 = surfaceArea(design);
    // Without a secondary there is no power to divide up; stop before the 0/0 it would give.
    if (r.secondaries.empty() || r.secondaries.size() > kMaxSecondaries) {
        throw countRefusal();
    }

    for (std::size_t i = 0; i < r.secondaries.size(); ++i) {
        findUnknownCurrent(r.secondaries[i], i, design);
    }
    computeLoadedFigures(r, design.correctForLoading);

    // Square centimetres to square metres.
    const CheckedStep density("Power Density");
    r.powerDensity = density.div(density.mul(10000, r.totalDissipation), r.surfaceCm2);
    const CheckedStep totalPercent("Total % Dissipation");
    r.totalPercentDissipation =
        totalPercent.div(totalPercent.mul(100, r.totalDissipation),
                         totalPercent.add(r.primaryDissipation, r.primaryPower));
    r.temperatureF = operatingTemperature(r.powerDensity);
    return r;
}

} // namespace

AnalysisOutcome analyseDesign(const TransformerDesign &design)
{
    try {
        return analyse(design);
    } catch (const RefusalStop &stop) {
        return stop.refusal;
    } catch (const ArithmeticStop &stop) {
        return arithmeticRefusal(stop.fault, stop.quantity, DesignField::None);
    }
}

AnalysisOutcome analyseTransformer(const AnalysisInput &input)
{
    DesignOutcome design = parseDesign(input);
    if (auto *refusal = std::get_if<Refusal>(&design)) {
        return std::move(*refusal);
    }
    return analyseDesign(std::get<TransformerDesign>(design));
}

} // namespace ferrolux
