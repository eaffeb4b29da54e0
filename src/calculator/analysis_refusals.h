#pragma once

// Building blocks of the analysis's refusals, shared by the parser and the analysis.

#include "analysis.h"

#include <string>

namespace ferrolux::analysis_detail {

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
