#pragma once

// The suite's constants file "CONSTANT.DAT": four pairs of a description and a percent value.

#include <array>
#include <string>
#include <string_view>

namespace ferrolux {

inline constexpr const char *kConstantsFileName = "CONSTANT.DAT";

// The four percent-dissipation limits, in file order.
struct DissipationLimits
{
    double OCPPDis = 0;  // plate winding, open-core transformer
    double OCFPDis = 0;  // filament winding, open-core transformer
    double POTPPDis = 0; // plate winding, potted transformer
    double POTFPDis = 0; // filament winding, potted transformer
};

// Values 0..valuesRead-1 were read; `failure` says why reading stopped early.
struct ConstantsLoad
{
    std::array<double, 4> values{};
    int valuesRead = 0;
    std::string failure;

    // Stores the values that were read into `limits`, leaving the others as they are.
    void applyTo(DissipationLimits &limits) const;
};

// The one rule for a dissipation limit, for the window's warning and the report tool's test: a
// percentage above 0 and below 100. A winding's percent dissipation 100·I·Rs / (I·Rs + Vs)
// only approaches 100 as its current grows without end, so no current reaches a limit of 100;
// and a limit of 0 would end every current search at its first step, which looks like a result
// but is none.
// Empty when `value` is such a limit; otherwise the bound it breaks, as the end of a sentence
// about it: "a limit must be above 0 %" or "a limit must be below 100 %".
std::string limitRangeProblem(double value);

// Reads the four pairs, each value by the text-to-number rule (a text that is no number reads
// 0). A missing record or a number too large for a double stops the reading there.
ConstantsLoad readConstants(std::string_view fileBytes);

} // namespace ferrolux
