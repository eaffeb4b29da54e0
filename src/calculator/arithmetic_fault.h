#pragma once

// The ways one double operation of the analysis can fail.

namespace ferrolux {

enum class ArithmeticFault { None, Overflow, DivisionByZero, InvalidOperation };

} // namespace ferrolux
