#include "analysis.h"

#include "checked_arithmetic.h"
#include "number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace ferrolux {

namespace {

// A winding above this voltage is a plate winding; at or below it a filament winding.
constexpr double kPlateThresholdVolts = 30;
constexpr double kPlateFirstCurrent = 0.001;
constexpr double kFilamentFirstCurrent = 0.1;

// Thrown by the steps below to end the analysis with a refusal.
struct RefusalStop
{
    Refusal refusal;
};

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

Refusal arithmeticRefusal(ArithmeticFault fault, const std::string &quantity,
                          const std::string &field)
{
    Refusal refusal;
    refusal.kind = RefusalKind::Arithmetic;
    refusal.field = field;
    refusal.fault = fault;
    refusal.quantity = quantity;
    refusal.message = "Calculation stopped: " + std::string(faultWords(fault)) + " in " +
                      lowerCase(quantity) + ".";
    return refusal;
}

RefusalStop simpleRefusal(RefusalKind kind, std::string field, std::string message)
{
    Refusal refusal;
    refusal.kind = kind;
    refusal.field = std::move(field);
    refusal.message = std::move(message);
    return RefusalStop{refusal};
}

RefusalStop countRefusal()
{
    return simpleRefusal(RefusalKind::CountOutOfRange, "TxtNoSec",
                         "Number of secondaries must be from 1 to 6.");
}

// A field's text as a number; a value too large for a double stops the analysis.
double readNumber(const std::string &text, const std::string &field, const std::string &label)
{
    const auto value = textToNumber(text);
    if (!value) {
        throw RefusalStop{arithmeticRefusal(ArithmeticFault::Overflow, label, field)};
    }
    return *value;
}

std::string secondaryLabel(int index, const char *what)
{
    return "Secondary " + std::to_string(index + 1) + " " + what;
}

std::string secondaryField(const char *family, int index)
{
    return std::string(family) + "_" + std::to_string(index);
}

// Voltage, current and resistance of row `index`, read and tested in that order.
SecondaryResult readSecondary(const SecondaryTexts &texts, int index)
{
    SecondaryResult slot;
    const std::string voltageLabel = secondaryLabel(index, "Voltage");
    slot.Vs = readNumber(texts.voltage, secondaryField("TxtSec1V", index), voltageLabel);
    if (slot.Vs == 0) {
        throw simpleRefusal(RefusalKind::ZeroField, secondaryField("TxtSec1V", index),
                            voltageLabel + " is zero or empty.");
    }
    slot.Is = readNumber(texts.current, secondaryField("TxtSec1I", index),
                         secondaryLabel(index, "Current"));
    const std::string resistanceLabel = secondaryLabel(index, "Resistance");
    slot.Rs = readNumber(texts.resistance, secondaryField("TxtSec1R", index), resistanceLabel);
    if (slot.Rs == 0) {
        throw simpleRefusal(RefusalKind::ZeroField, secondaryField("TxtSec1R", index),
                            resistanceLabel + " is zero or empty.");
    }
    return slot;
}

struct Dimensions
{
    double a = 0, b = 0, c = 0, x = 0, y = 0, z = 0;
};

Dimensions readDimensions(const AnalysisInput &input)
{
    Dimensions d;
    d.a = readNumber(input.a, "TxtA", "Dimension A");
    d.b = readNumber(input.b, "TxtB", "Dimension B");
    d.c = readNumber(input.c, "TxtC", "Dimension C");
    d.x = readNumber(input.x, "TxtX", "Dimension X");
    d.y = readNumber(input.y, "TxtY", "Dimension Y");
    d.z = readNumber(input.z, "TxtZ", "Dimension Z");
    return d;
}

// Radiating surface in square centimetres. A potted transformer is a closed X by Y by Z box;
// every other construction needs B and C, or the user is asked which kind it is.
double surfaceArea(const Dimensions &d, bool potted)
{
    const CheckedStep step("Surface Area");
    if (potted) {
        const double xy = step.mul(step.mul(2, d.x), d.y);
        const double xz = step.mul(step.mul(2, d.x), d.z);
        const double yz = step.mul(step.mul(2, d.y), d.z);
        return step.add(step.add(xy, xz), yz);
    }
    if (d.b == 0 || d.c == 0) {
        std::string message = kDimensionMessageLines[0];
        message += "\n";
        message += kDimensionMessageLines[1];
        message += "\n";
        message += kDimensionMessageLines[2];
        throw simpleRefusal(RefusalKind::Dimensions, d.b == 0 ? "TxtB" : "TxtC", message);
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
        const double pd = step.mul(step.square(current), slot.Rs);
        const double po = step.mul(current, slot.Vs);
        const double pc = step.div(step.mul(100, pd), step.add(pd, po));
        current = step.add(current, step.mul(0.01, current));
        if (!(pc < limit)) {
            return current;
        }
    }
}

void findUnknownCurrent(SecondaryResult &slot, int index, const AnalysisInput &input)
{
    const CheckedStep step(secondaryLabel(index, "Current Search"));
    if (slot.Is == 0 && slot.Vs > kPlateThresholdVolts) {
        slot.Is = searchCurrent(slot, kPlateFirstCurrent, input.plateLimit, step);
    }
    if (slot.Is == 0 && slot.Vs <= kPlateThresholdVolts) {
        slot.Is = searchCurrent(slot, kFilamentFirstCurrent, input.filamentLimit, step);
    }
}

// Voltage under load: the drop in the winding itself plus the primary resistance reflected
// through the square of the turns ratio.
double loadedVoltage(const SecondaryResult &slot, int index, double Vp, double Rp)
{
    const CheckedStep step(secondaryLabel(index, "Voltage Under Load"));
    const double reflected = step.mul(Rp, step.square(step.div(slot.Vs, Vp)));
    return step.sub(slot.Vs, step.mul(slot.Is, step.add(slot.Rs, reflected)));
}

void windingPowers(SecondaryResult &slot, int index)
{
    const CheckedStep dissipation(secondaryLabel(index, "Dissipation"));
    slot.Pd = dissipation.mul(dissipation.square(slot.Is), slot.Rs);
    slot.Po = CheckedStep(secondaryLabel(index, "Power")).mul(slot.Is, slot.VL);
    const CheckedStep percent(secondaryLabel(index, "Percent Dissipation"));
    slot.Pc = percent.div(percent.mul(100, slot.Pd), percent.add(slot.Pd, slot.Po));
}

void primaryAndTotals(AnalysisResult &r)
{
    const CheckedStep power("Primary Power");
    r.Pin = 0;
    for (const SecondaryResult &slot : r.secondaries) {
        r.Pin = power.add(power.add(r.Pin, slot.Po), slot.Pd);
    }

    r.Ip = CheckedStep("Primary Current").div(r.Pin, r.Vp);
    const CheckedStep dissipation("Primary Dissipation");
    r.Pdp = dissipation.mul(dissipation.square(r.Ip), r.Rp);
    const CheckedStep percent("Primary % Dissipation");
    r.Pcp = percent.div(percent.mul(100, r.Pdp), percent.add(r.Pdp, r.Pin));

    const CheckedStep total("Total Dissipation");
    r.Pdt = r.Pdp;
    for (const SecondaryResult &slot : r.secondaries) {
        r.Pdt = total.add(r.Pdt, slot.Pd);
    }

    // Square centimetres to square metres.
    const CheckedStep density("Power Density");
    r.PD = density.div(density.mul(10000, r.Pdt), r.S);
    const CheckedStep totalPercent("Total % Dissipation");
    r.Pct = totalPercent.div(totalPercent.mul(100, r.Pdt), totalPercent.add(r.Pdp, r.Pin));
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

AnalysisResult analyse(const AnalysisInput &input)
{
    AnalysisResult r;
    r.Vp = readNumber(input.primaryVoltage, "TxtPriV", "Primary Voltage");
    if (r.Vp == 0) {
        throw simpleRefusal(RefusalKind::ZeroField, "TxtPriV", "Primary voltage is zero or empty.");
    }
    r.Rp = readNumber(input.primaryResistance, "TxtPriR", "Primary Resistance");
    if (r.Rp == 0) {
        throw simpleRefusal(RefusalKind::ZeroField, "TxtPriR",
                            "Primary resistance is zero or empty.");
    }
    const auto count = textToWholeNumber(input.secondaryCount);
    if (!count) {
        throw countRefusal();
    }
    const int n = *count;

    // There are only six rows: a larger count has them read and tested, then stops.
    const int rows = std::min(n, kMaxSecondaries);
    for (int i = 0; i < rows; ++i) {
        r.secondaries.push_back(readSecondary(input.secondaries[static_cast<std::size_t>(i)], i));
    }
    if (n > kMaxSecondaries) {
        throw countRefusal();
    }

    const Dimensions dimensions = readDimensions(input);
    r.S = surfaceArea(dimensions, input.potted);
    // Without a secondary there is no power to divide up; stop before the 0/0 it would give.
    if (n < 1) {
        throw countRefusal();
    }

    for (std::size_t i = 0; i < r.secondaries.size(); ++i) {
        findUnknownCurrent(r.secondaries[i], static_cast<int>(i), input);
    }
    for (std::size_t i = 0; i < r.secondaries.size(); ++i) {
        SecondaryResult &slot = r.secondaries[i];
        slot.VL = input.correctForLoading ? loadedVoltage(slot, static_cast<int>(i), r.Vp, r.Rp)
                                          : slot.Vs;
    }
    for (std::size_t i = 0; i < r.secondaries.size(); ++i) {
        windingPowers(r.secondaries[i], static_cast<int>(i));
    }
    primaryAndTotals(r);
    r.T = operatingTemperature(r.PD);
    return r;
}

} // namespace

AnalysisOutcome analyseTransformer(const AnalysisInput &input)
{
    try {
        return analyse(input);
    } catch (const RefusalStop &stop) {
        return stop.refusal;
    } catch (const ArithmeticStop &stop) {
        return arithmeticRefusal(stop.fault, stop.quantity, "");
    }
}

} // namespace ferrolux
