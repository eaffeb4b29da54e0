// EngFormat's complex mode on arbitrary text: it either refuses with one of its two documented
// errors and changes nothing, or gives two well-formed engineering texts, leaves the text and
// the value as they were, and formats each part exactly as the real mode formats its number.

#include "eng_format.h"
#include "fuzz_checks.h"
#include "number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

using ferrolux::fuzz::check;

bool isAscii(const std::string &text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// For ASCII text characters are bytes, so the two parts can be cut out independently: the
// imaginary text follows the last j, the real text ends three characters before it.
void checkPartsOfAsciiText(const std::string &text, const ferrolux::ComplexEngText &parts)
{
    const std::size_t j = text.find_last_of("jJ");
    check(j != std::string::npos && j >= 2, "accepted a text without j at the third place", text);
    const auto real = ferrolux::textToNumber(std::string_view(text).substr(0, j - 2));
    const auto imag = ferrolux::textToNumber(std::string_view(text).substr(j + 1));
    check(real && imag, "accepted a part too large for a double", text);
    check(parts.real == ferrolux::engFormat(*real), "real part formatted wrongly", text);
    check(parts.imag == ferrolux::engFormat(*imag), "imaginary part formatted wrongly", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0; // an empty text selects the real mode
    }
    const std::string input(reinterpret_cast<const char *>(data), size);

    // A value the call must leave alone, and outputs with content that must survive a refusal.
    double value = -123.5;
    std::string text = input;
    std::string real = "real before";
    std::string imag = "imag before";
    try {
        ferrolux::EngFormat(value, text, real, imag);
    } catch (const std::invalid_argument &) {
        check(real == "real before" && imag == "imag before", "refusal changed an output");
        check(text == input && value == -123.5, "refusal changed an input");
        return 0;
    } catch (const std::overflow_error &) {
        check(real == "real before" && imag == "imag before", "refusal changed an output");
        check(text == input && value == -123.5, "refusal changed an input");
        return 0;
    }
    check(text == input, "complex mode changed its text");
    check(value == -123.5, "complex mode changed the value");
    check(ferrolux::fuzz::isEngText(real), "malformed real part", real);
    check(ferrolux::fuzz::isEngText(imag), "malformed imaginary part", imag);
    if (isAscii(input)) {
        checkPartsOfAsciiText(input, {real, imag});
    }

    // The real mode on the first eight bytes taken as a double: any finite value has a text.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw)) {
            check(ferrolux::fuzz::isEngText(ferrolux::engFormat(raw)), "malformed real mode");
        }
    }
    return 0;
}
