#pragma once

// The transformer analysis behind Calculate: a pure function from the window's input texts,
// type, check box and limits to either every result or a refusal that says why.

#include "arithmetic_fault.h"
#include "secondary_texts.h"

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
    double Vs = 0; // voltage as entered
    double Is = 0; // current, as entered or as found by the search
    double Rs = 0; // winding resistance
    double VL = 0; // voltage under load
    double Pd = 0; // copper dissipation
    double Po = 0; // output power
    double Pc = 0; // percent dissipation
};

struct AnalysisResult
{
    double Vp = 0;
    double Rp = 0;
    std::vector<SecondaryResult> secondaries; // n entries, 1..6
    double S = 0;                             // radiating surface, cm²
    double Pin = 0;                           // primary power
    double Ip = 0;                            // primary current
    double Pdp = 0;                           // primary dissipation
    double Pcp = 0;                           // primary percent dissipation
    double Pdt = 0;                           // total dissipation
    double Pct = 0;                           // total percent dissipation
    double PD = 0;                            // power density, W/m²
    double T = 0;                             // operating temperature, °F
};

enum class RefusalKind {
    ZeroField,       // a required field is zero, empty or not a number
    Dimensions,      // B or C zero on a construction other than the potted one
    CountOutOfRange, // number of secondaries not from 1 to 6
    Arithmetic,      // overflow, division by zero or an invalid operation
};

struct Refusal
{
    RefusalKind kind = RefusalKind::ZeroField;
    // Object name of the field the user should look at ("TxtPriV", "TxtSec1R_1", ...), empty
    // when no single field is to blame.
    std::string field;
    // One line for the user, e.g. "Secondary 2 Resistance is zero or empty.". For Dimensions
    // it is the three lines of the dimension message joined by "\n".
    std::string message;
    ArithmeticFault fault = ArithmeticFault::None;
    // The quantity whose computation failed ("Primary % Dissipation"), for Arithmetic.
    std::string quantity;
};

using AnalysisOutcome = std::variant<AnalysisResult, Refusal>;

AnalysisOutcome analyseTransformer(const AnalysisInput &input);

// The dimension message, line by line, exactly as the user sees it.
inline constexpr const char *kDimensionMessageLines[3] = {
    "What kind of transformer do you have?",
    "A, B, C and D MUST all be zero or",
    "MUST ALL have nonzero values.",
};

} // namespace ferrolux
