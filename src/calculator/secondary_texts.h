#pragma once

#include <array>
#include <string>

namespace ferrolux {

constexpr int kMaxSecondaries = 6;

// The three input texts of one secondary row.
struct SecondaryTexts
{
    std::string voltage;
    std::string resistance;
    std::string current;

    bool operator==(const SecondaryTexts &) const = default;
};

using SecondaryRows = std::array<SecondaryTexts, kMaxSecondaries>;

// Record 23 of the last-run file: which construction option is selected.
enum class TransformerType : int {
    None = 0,
    Unshielded = 1,       // OpType1
    ShieldedTopMount = 2, // OpType2
    ShieldedSubMount = 3, // OpType3
    MilitaryPotted = 4,   // OpMil
};

} // namespace ferrolux
