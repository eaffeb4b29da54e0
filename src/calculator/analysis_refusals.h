#pragma once

// Building blocks of the analysis's refusals, shared by the parser and the analysis.

#include "analysis.h"

#include <string>

namespace ferrolux::analysis_detail {

// The ending of a ZeroField refusal. A text that is no number reads as 0, so the message
// names that case too.
inline constexpr const char *kZeroFieldEnding = " is zero, empty or not a number.";

// Thrown by the parser and the analysis to end with a refusal.
struct RefusalStop
{
    Refusal refusal;
};

Refusal arithmeticRefusal(ArithmeticFault fault, const std::string &quantity, DesignField field,
                          int row = 0);
RefusalStop simpleRefusal(RefusalKind kind, DesignField field, int row, std::string message);
RefusalStop countRefusal();

// "Secondary 2 Voltage" for index 1: the readable name of a secondary's quantity.
std::string secondaryLabel(std::size_t index, const char *what);

} // namespace ferrolux::analysis_detail
