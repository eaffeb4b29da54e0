#include "secondary_rows.h"

#include "number_text.h"
#include "secondary_texts.h"

#include <algorithm>
#include <cmath>

namespace ferrolux {
namespace {

// textToNumber reports a value too large for a double without its sign; the sign is the first
// character after the leading blanks it skips.
bool startsNegative(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    return first != std::string_view::npos && text[first] == '-';
}

} // namespace

int visibleSecondaryRows(std::string_view countText)
{
    const auto value = textToNumber(countText);
    if (!value) {
        return startsNegative(countText) ? 0 : kMaxSecondaries;
    }
    if (const auto count = roundToInt16(*value)) {
        return std::clamp<int>(*count, 0, kMaxSecondaries);
    }
    if (std::isnan(*value)) {
        return 0;
    }
    return *value > 0 ? kMaxSecondaries : 0;
}

} // namespace ferrolux
