#pragma once

// How many secondary rows the count field shows. Qt-free so it can be checked on its own.

#include <string_view>

namespace ferrolux {

// Rows 1..n are shown for the count text, n being the text's number rounded half-to-even and
// held to 0..6: an empty or non-numeric text shows none, any count of six or more shows all.
// A count beyond the 16-bit range of the count (or beyond a double) shows all six rows when it
// is positive and none when it is negative, so a long row of digits never hides the rows.
int visibleSecondaryRows(std::string_view countText);

} // namespace ferrolux
