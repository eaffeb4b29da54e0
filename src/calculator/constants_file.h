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

// Reads the four pairs, each value by the text-to-number rule (a text that is no number reads
// 0). A missing record or a number too large for a double stops the reading there.
ConstantsLoad readConstants(std::string_view fileBytes);

} // namespace ferrolux
