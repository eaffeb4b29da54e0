// The first stage of the analysis: the window's texts read as numbers and tested, in the order
// Calculate has always read them, into a TransformerDesign.

#include "analysis.h"
#include "analysis_refusals.h"
#include "number_text.h"

#include <algorithm>
#include <string>

namespace ferrolux {

namespace {

using namespace analysis_detail;

// A field's text as a number; a value too large for a double stops with an overflow.
double readNumber(const std::string &text, DesignField field, int row, const std::string &label)
{
    const auto value = textToNumber(text);
    if (!value) {
        throw RefusalStop{arithmeticRefusal(ArithmeticFault::Overflow, label, field, row)};
    }
    return *value;
}

// Voltage, current and resistance of row `index`, read and tested in that order.
SecondaryDesign readSecondary(const SecondaryTexts &texts, int index)
{
    const auto i = static_cast<std::size_t>(index);
    SecondaryDesign slot;
    const std::string voltageLabel = secondaryLabel(i, "Voltage");
    slot.voltage = readNumber(texts.voltage, DesignField::SecondaryVoltage, index, voltageLabel);
    if (slot.voltage == 0) {
        throw simpleRefusal(RefusalKind::ZeroField, DesignField::SecondaryVoltage, index,
                            voltageLabel + kZeroFieldEnding);
    }
    slot.current = readNumber(texts.current, DesignField::SecondaryCurrent, index,
                              secondaryLabel(i, "Current"));
    const std::string resistanceLabel = secondaryLabel(i, "Resistance");
    slot.resistance =
        readNumber(texts.resistance, DesignField::SecondaryResistance, index, resistanceLabel);
    if (slot.resistance == 0) {
        throw simpleRefusal(RefusalKind::ZeroField, DesignField::SecondaryResistance, index,
                            resistanceLabel + kZeroFieldEnding);
    }
    // A winding cannot give back the power its copper loses.
    if (slot.resistance < 0) {
        throw simpleRefusal(RefusalKind::Impossible, DesignField::SecondaryResistance, index,
                            resistanceLabel + " is negative.");
    }
    return slot;
}

TransformerDesign parse(const AnalysisInput &input)
{
    TransformerDesign d;
    d.primaryVoltage =
        readNumber(input.primaryVoltage, DesignField::PrimaryVoltage, 0, "Primary Voltage");
    if (d.primaryVoltage == 0) {
        throw simpleRefusal(RefusalKind::ZeroField, DesignField::PrimaryVoltage, 0,
                            std::string("Primary voltage") + kZeroFieldEnding);
    }
    d.primaryResistance = readNumber(input.primaryResistance, DesignField::PrimaryResistance, 0,
                                     "Primary Resistance");
    if (d.primaryResistance == 0) {
        throw simpleRefusal(RefusalKind::ZeroField, DesignField::PrimaryResistance, 0,
                            std::string("Primary resistance") + kZeroFieldEnding);
    }
    if (d.primaryResistance < 0) {
        throw simpleRefusal(RefusalKind::Impossible, DesignField::PrimaryResistance, 0,
                            "Primary resistance is negative.");
    }
    const auto count = textToWholeNumber(input.secondaryCount);
    if (!count) {
        throw countRefusal();
    }
    const int n = *count;

    // There are only six rows: a larger count has them read and tested, then stops.
    const int rows = std::min(n, kMaxSecondaries);
    for (int i = 0; i < rows; ++i) {
        d.secondaries.push_back(readSecondary(input.secondaries[static_cast<std::size_t>(i)], i));
    }
    if (n > kMaxSecondaries) {
        throw countRefusal();
    }

    d.a = readNumber(input.a, DesignField::DimensionA, 0, "Dimension A");
    d.b = readNumber(input.b, DesignField::DimensionB, 0, "Dimension B");
    d.c = readNumber(input.c, DesignField::DimensionC, 0, "Dimension C");
    d.x = readNumber(input.x, DesignField::DimensionX, 0, "Dimension X");
    d.y = readNumber(input.y, DesignField::DimensionY, 0, "Dimension Y");
    d.z = readNumber(input.z, DesignField::DimensionZ, 0, "Dimension Z");
    d.potted = input.potted;
    d.correctForLoading = input.correctForLoading;
    d.plateLimit = input.plateLimit;
    d.filamentLimit = input.filamentLimit;
    return d;
}

} // namespace

DesignOutcome parseDesign(const AnalysisInput &input)
{
    try {
        return parse(input);
    } catch (const RefusalStop &stop) {
        return stop.refusal;
    }
}

std::string designFieldWords(DesignField field, int row)
{
    const std::string secondary = "secondary " + std::to_string(row + 1) + " ";
    switch (field) {
    case DesignField::None:
        return {};
    case DesignField::PrimaryVoltage:
        return "primary voltage";
    case DesignField::PrimaryResistance:
        return "primary resistance";
    case DesignField::SecondaryCount:
        return "number of secondaries";
    case DesignField::SecondaryVoltage:
        return secondary + "voltage";
    case DesignField::SecondaryCurrent:
        return secondary + "current";
    case DesignField::SecondaryResistance:
        return secondary + "resistance";
    case DesignField::DimensionX:
        return "dimension X";
    case DesignField::DimensionY:
        return "dimension Y";
    case DesignField::DimensionZ:
        return "dimension Z";
    case DesignField::DimensionA:
        return "dimension A";
    case DesignField::DimensionB:
        return "dimension B";
    case DesignField::DimensionC:
        return "dimension C";
    }
    return {};
}

} // namespace ferrolux
