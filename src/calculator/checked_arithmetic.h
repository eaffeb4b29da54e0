#pragma once

// Double arithmetic that stops at the first overflow, division by zero or invalid operation.
// The analysis forms every value through these operations, one operation at a time and in the
// order it is written, so a fault is caught where it arises and never hides inside a later
// result (an overflowing denominator would otherwise turn a percentage silently into zero).
// Underflow and inexact results are not faults.

#include "arithmetic_fault.h"

#include <cmath>
#include <string>
#include <utility>

namespace ferrolux {

// Thrown by CheckedStep; the analysis turns it into a refusal.
struct ArithmeticStop
{
    ArithmeticFault fault = ArithmeticFault::None;
    std::string quantity; // readable name of the value being computed
};

// The fault a finished operation shows: NaN is an invalid operation, an infinity is an
// overflow, or a division by zero when it came from a zero denominator.
inline ArithmeticFault classifyResult(double result, bool zeroDenominator = false)
{
    if (std::isnan(result)) {
        return ArithmeticFault::InvalidOperation;
    }
    if (std::isinf(result)) {
        return zeroDenominator ? ArithmeticFault::DivisionByZero : ArithmeticFault::Overflow;
    }
    return ArithmeticFault::None;
}

// The operations used to compute one named quantity.
class CheckedStep
{
public:
    explicit CheckedStep(std::string quantity) : m_quantity(std::move(quantity)) {}

    double add(double a, double b) const { return check(a + b); }
    double sub(double a, double b) const { return check(a - b); }
    double mul(double a, double b) const { return check(a * b); }
    double div(double a, double b) const { return check(a / b, b == 0.0); }
    double pow(double base, double exponent) const { return check(std::pow(base, exponent)); }
    // Squares use the general power operation, as the analysis has always done.
    double square(double x) const { return pow(x, 2.0); }

private:
    double check(double result, bool zeroDenominator = false) const
    {
        const ArithmeticFault fault = classifyResult(result, zeroDenominator);
        if (fault != ArithmeticFault::None) {
            throw ArithmeticStop{fault, m_quantity};
        }
        return result;
    }

    std::string m_quantity;
};

} // namespace ferrolux
