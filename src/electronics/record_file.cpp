#include "record_file.h"

#include "decimal_prefix.h"
#include "text_encoding.h"

#include <algorithm>
#include <optional>
#include <string>

namespace ferrolux {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool isBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

} // namespace

void RecordWriter::text(std::string_view utf8)
{
    // Characters that would end or split the record are dropped, so every text stays one
    // record and the records after it keep their positions.
    std::string body;
    for (const char ch : utf8ToLatin1(utf8)) {
        if (ch != '\r' && ch != '\n' && ch != '"') {
            body.push_back(ch);
        }
    }
    // The reader splits at commas and skips leading spaces; quoting keeps such a text whole.
    const bool quote = body.find(',') != std::string::npos || (!body.empty() && isBlank(body[0]));
    if (quote) {
        m_bytes.push_back('"');
        m_bytes += body;
        m_bytes.push_back('"');
    } else {
        m_bytes += body;
    }
    m_bytes += kLineEnd;
}

void RecordWriter::truth(bool value)
{
    m_bytes += value ? "True" : "False";
    m_bytes += kLineEnd;
}

void RecordWriter::integer(int value)
{
    if (value >= 0) {
        m_bytes.push_back(' ');
    }
    m_bytes += std::to_string(value);
    m_bytes.push_back(' ');
    m_bytes += kLineEnd;
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isLineEnd(char ch)
{
    return ch == '\r' || ch == '\n';
}

std::string tooLongReason()
{
    return "field is longer than " + std::to_string(RecordReader::kMaxFieldLength) + " characters";
}

} // namespace

RecordReader::RecordReader(std::string_view bytes) : m_bytes(bytes)
{
    // Some editors put a UTF-8 byte-order mark before the first record.
    if (m_bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        m_pos = kByteOrderMark.size();
    }
}

// A quoted field stops at its closing quote or, when that is missing, at the end of the line:
// a lost quote then damages one record only and never swallows the records after it.
std::optional<std::string> RecordReader::nextField()
{
    if (!m_lastError.empty()) {
        return std::nullopt;
    }
    const auto fail = [this](std::string reason) -> std::optional<std::string> {
        m_lastError = std::move(reason);
        return std::nullopt;
    };
    const std::size_t size = m_bytes.size();
    if (m_pos == size) {
        return fail("file ends early");
    }
    // Leading spaces, bounded like a field so that a file of blanks is not read on and on.
    const std::size_t firstNonSpace = std::min(m_bytes.find_first_not_of(' ', m_pos), size);
    if (firstNonSpace - m_pos > kMaxFieldLength) {
        return fail(tooLongReason());
    }
    m_pos = firstNonSpace;

    // Takes characters up to (not including) the first that ends the field.
    const auto take = [&](auto endsField) -> std::optional<std::string_view> {
        const std::size_t begin = m_pos;
        while (m_pos < size && !endsField(m_bytes[m_pos])) {
            if (m_pos - begin == kMaxFieldLength) {
                return std::nullopt;
            }
            ++m_pos;
        }
        return m_bytes.substr(begin, m_pos - begin);
    };

    std::optional<std::string_view> field;
    if (m_pos < size && m_bytes[m_pos] == '"') {
        ++m_pos;
        field = take([](char ch) { return ch == '"' || isLineEnd(ch); });
        if (field && m_pos < size && m_bytes[m_pos] == '"') {
            ++m_pos;
            // What follows the closing quote up to a comma or the line end is dropped.
            if (!take([](char ch) { return ch == ',' || isLineEnd(ch); })) {
                return fail(tooLongReason());
            }
        }
    } else {
        field = take([](char ch) { return ch == ',' || isLineEnd(ch); });
    }
    if (!field) {
        return fail(tooLongReason());
    }

    // One separator: a comma, or a line end (CR LF, lone LF or lone CR).
    if (m_pos < size && m_bytes[m_pos] == ',') {
        ++m_pos;
    } else {
        if (m_pos < size && m_bytes[m_pos] == '\r') {
            ++m_pos;
        }
        if (m_pos < size && m_bytes[m_pos] == '\n') {
            ++m_pos;
        }
    }
    return latin1ToUtf8(*field);
}

namespace {

bool equalsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char a = text[i];
        const char lowered = (a >= 'A' && a <= 'Z') ? static_cast<char>(a - 'A' + 'a') : a;
        if (lowered != word[i]) {
            return false;
        }
    }
    return true;
}

// Whether the whole text is one decimal number (sign, digits, ".", exponent) with no blank before
// it; when it is, `nonZero` tells whether any mantissa digit differs from 0. Deciding zero from
// the digits keeps "1e-400" true and "1e400" readable, where a conversion to double would not.
bool readWholeNumber(std::string_view text, bool &nonZero)
{
    if (text.empty() || isBlank(text.front())) {
        return false;
    }
    const std::optional<DecimalPrefix> prefix = findDecimalPrefix(text);
    if (!prefix || prefix->numberEnd != text.size()) {
        return false;
    }
    const auto hasNonZero = [&](std::size_t begin, std::size_t end) {
        return text.substr(begin, end - begin).find_first_not_of('0') != std::string_view::npos;
    };
    nonZero = hasNonZero(prefix->integerBegin, prefix->integerEnd) ||
              hasNonZero(prefix->fractionBegin, prefix->fractionEnd);
    return true;
}

} // namespace

std::optional<bool> textToTruth(std::string_view text)
{
    // Blanks around the value carry no meaning (an integer record ends in one).
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (equalsIgnoringCase(text, "true")) {
        return true;
    }
    if (equalsIgnoringCase(text, "false")) {
        return false;
    }
    bool nonZero = false;
    if (readWholeNumber(text, nonZero)) {
        return nonZero;
    }
    return std::nullopt;
}

} // namespace ferrolux
