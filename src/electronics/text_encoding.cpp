#include "text_encoding.h"

#include <cstdint>

namespace ferrolux {

std::string latin1ToUtf8(std::string_view latin1)
{
    std::string out;
    out.reserve(latin1.size());
    for (const char ch : latin1) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

namespace {

struct SequenceShape
{
    int length = 0;                  // bytes in the whole sequence, 0 for an invalid lead byte
    std::uint32_t bits = 0;          // payload bits of the lead byte
    unsigned char secondLow = 0x80;  // allowed range of the second byte: this excludes overlong
    unsigned char secondHigh = 0xBF; // forms, UTF-16 surrogates and values above U+10FFFF
};

SequenceShape shapeOf(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, lead & 0x1Fu, 0x80, 0xBF};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return {3, lead & 0x0Fu, low, high};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return {4, lead & 0x07u, low, high};
    }
    return {};
}

} // namespace

std::string utf8ToLatin1(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++pos;
            continue;
        }
        const SequenceShape shape = shapeOf(lead);
        ++pos;
        if (shape.length == 0) {
            out.push_back('?');
            continue;
        }
        // Take continuation bytes while they fit; a broken sequence becomes one '?' and
        // decoding resumes at the first byte that did not fit.
        std::uint32_t code = shape.bits;
        int taken = 1;
        while (taken < shape.length && pos < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[pos]);
            const unsigned char low = taken == 1 ? shape.secondLow : 0x80;
            const unsigned char high = taken == 1 ? shape.secondHigh : 0xBF;
            if (next < low || next > high) {
                break;
            }
            code = (code << 6) | (next & 0x3Fu);
            ++taken;
            ++pos;
        }
        if (taken == shape.length && code <= 0xFF) {
            out.push_back(static_cast<char>(code));
        } else {
            out.push_back('?');
        }
    }
    return out;
}

} // namespace ferrolux
