#pragma once

// Data files hold 8-bit Latin-1 text; the program works in UTF-8.

#include <string>
#include <string_view>

namespace ferrolux {

// Every byte is one Latin-1 character; the result is valid UTF-8.
std::string latin1ToUtf8(std::string_view latin1);

// Characters outside Latin-1, and malformed UTF-8 sequences, become '?'.
std::string utf8ToLatin1(std::string_view utf8);

} // namespace ferrolux
