#pragma once

// The transformer analysis behind Calculate, in two stages: parseDesign turns the window's
// input texts, type, check box and limits into a numeric TransformerDesign (or a refusal), and
// analyseDesign computes every result of that design (or a refusal). analyseTransformer runs
// both, as Calculate does.

#include "arithmetic_fault.h"
#include "secondary_texts.h"
#include "transformer_design.h"

#include <string>
#include <variant>
#include <vector>

namespace ferrolux {

struct AnalysisInput
{
    std::string primaryVoltage;     // TxtPriV
    std::string primaryResistance;  // TxtPriR
    std::string secondaryCount;     // TxtNoSec
    SecondaryRows secondaries;      // TxtSec1V / TxtSec1R / TxtSec1I, element i = secondary i+1
    std::string x, y, z, a, b, c;   // TxtX .. TxtC, centimetres
    bool potted = false;            // OpMil selected; any other type, or none, is not potted
    bool correctForLoading = false; // ChkLoading in its checked state (grayed is unchecked)
    double plateLimit = 0;          // OCPPDis, percent
    double filamentLimit = 0;       // OCFPDis, percent
};

// One secondary after the analysis.
struct SecondaryResult
{
    double enteredVoltage = 0;     // volts, as entered
    double current = 0;            // amperes, as entered or as found by the search
    double resistance = 0;         // ohms, the winding's
    double loadedVoltage = 0;      // volts under load (the entered voltage when not corrected)
    double dissipation = 0;        // watts of copper loss
    double outputPower = 0;        // watts delivered
    double percentDissipation = 0; // copper loss as a percentage of output plus loss
};

struct AnalysisResult
{
    double primaryVoltage = 0;                // volts
    double primaryResistance = 0;             // ohms
    std::vector<SecondaryResult> secondaries; // n entries, 1..6
    double surfaceCm2 = 0;                    // radiating surface
    double primaryPower = 0;                  // watts drawn: every output plus every copper loss
    double primaryCurrent = 0;                // amperes
    double primaryDissipation = 0;            // watts of primary copper loss
    double primaryPercentDissipation = 0;     // percent
    double totalDissipation = 0;              // watts, primary and secondaries
    double totalPercentDissipation = 0;       // percent
    double powerDensity = 0;                  // W/m²
    double temperatureF = 0;                  // operating temperature, °F
};

enum class RefusalKind {
    ZeroField,       // a required field is zero, empty or not a number
    Dimensions,      // B or C zero on a construction other than the potted one
    CountOutOfRange, // number of secondaries not from 1 to 6
    Arithmetic,      // overflow, division by zero or an invalid operation
    Impossible,      // a value no transformer has: a negative resistance, a dimension of zero
                     // or less where the surface needs it, A larger than Z
};

// The input a refusal blames. The secondary fields come with a row, 0..5 for secondary 1..6.
enum class DesignField {
    None, // no single field is to blame
    PrimaryVoltage,
    PrimaryResistance,
    SecondaryCount,
    SecondaryVoltage,
    SecondaryCurrent,
    SecondaryResistance,
    DimensionX,
    DimensionY,
    DimensionZ,
    DimensionA,
    DimensionB,
    DimensionC,
};

// The field in words for people: "primary voltage", "number of secondaries",
// "secondary 2 resistance" (row 1), "dimension B"; empty for DesignField::None.
std::string designFieldWords(DesignField field, int row);

struct Refusal
{
    RefusalKind kind = RefusalKind::ZeroField;
    // The field the user should look at; `row` (0..5) picks the secondary for the secondary
    // fields and is 0 otherwise.
    DesignField field = DesignField::None;
    int row = 0;
    // One line for the user, e.g. "Secondary 2 Resistance is zero, empty or not a number.".
    // For Dimensions it is the three lines of the dimension message joined by "\n".
    std::string message;
    ArithmeticFault fault = ArithmeticFault::None;
    // The quantity whose computation failed ("Primary % Dissipation"), for Arithmetic.
    std::string quantity;
};

using AnalysisOutcome = std::variant<AnalysisResult, Refusal>;
using DesignOutcome = std::variant<TransformerDesign, Refusal>;

// Reads and tests the texts in the analysis's order: primary voltage and resistance, the count,
// each of the first rows (at most six), then the dimensions. A count below 1 is left to
// analyseDesign (it refuses it after the surface, as Calculate always has); a count above 6 is
// refused here once the six rows have been read and tested.
DesignOutcome parseDesign(const AnalysisInput &input);

// The analysis of a design: surface, current search, loading correction, every winding's and
// the primary's figures, totals, power density and the report's temperature.
AnalysisOutcome analyseDesign(const TransformerDesign &design);

// parseDesign, then analyseDesign.
AnalysisOutcome analyseTransformer(const AnalysisInput &input);

// The dimension message, line by line, exactly as the user sees it.
inline constexpr const char *kDimensionMessageLines[3] = {
    "What kind of transformer do you have?",
    "A, B and C MUST all be zero or",
    "MUST ALL have nonzero values.",
};

} // namespace ferrolux
