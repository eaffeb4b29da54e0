#include "printable_text.h"

#include <cstdio>

namespace ferrolux {

namespace {

std::string hexEscape(const char *prefix, unsigned value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%s%0*x", prefix, digits, value);
    return buffer;
}

// Length of the valid UTF-8 sequence at `pos`, or 0 when there is none.
std::size_t sequenceLength(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (pos + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte(pos + i) & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

std::string printableText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto ch = static_cast<unsigned char>(text[pos]);
        if (ch == '\n' || ch == '\t') {
            out += ch == '\n' ? "\\n" : "\\t";
            ++pos;
        } else if (ch < 0x20 || ch == 0x7F) {
            out += hexEscape("\\x", ch, 2);
            ++pos;
        } else if (ch < 0x80) {
            out.push_back(static_cast<char>(ch));
            ++pos;
        } else if (const std::size_t length = sequenceLength(text, pos); length == 0) {
            out += hexEscape("\\x", ch, 2);
            ++pos;
        } else if (length == 2 && ch == 0xC2 && static_cast<unsigned char>(text[pos + 1]) < 0xA0) {
            out += hexEscape("\\u", static_cast<unsigned char>(text[pos + 1]), 4);
            pos += 2;
        } else {
            out.append(text.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

} // namespace ferrolux
