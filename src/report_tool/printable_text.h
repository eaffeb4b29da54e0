#pragma once

// Text from files and arguments made safe to print in a message: control characters (C0, DEL
// and the C1 range) and bytes that are not UTF-8 are written as escapes, so a file can never
// send terminal escape sequences through an error message.

#include <string>
#include <string_view>

namespace ferrolux {

// "\n" for LF, "\t" for tab, "\x1b" for other C0 bytes and DEL, "\u009b" for C1 characters,
// "\xff" for a byte that does not belong to a valid UTF-8 sequence; the rest unchanged.
std::string printableText(std::string_view text);

} // namespace ferrolux
