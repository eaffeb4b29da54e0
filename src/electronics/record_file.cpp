#include "record_file.h"

#include "decimal_prefix.h"
#include "text_encoding.h"

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

RecordReader::RecordReader(std::istream &in) : m_in(in) {}

namespace {

constexpr int kEof = std::char_traits<char>::eof();

bool isLineEnd(int ch)
{
    return ch == '\r' || ch == '\n';
}

// Consumes one line end (CR LF, lone LF or lone CR) at the current position, if there is one.
void consumeLineEnd(std::istream &in)
{
    if (in.peek() == '\r') {
        in.get();
    }
    if (in.peek() == '\n') {
        in.get();
    }
}

std::string tooLongReason()
{
    return "field is longer than " + std::to_string(RecordReader::kMaxFieldLength) + " characters";
}

// Skips the UTF-8 byte-order mark EF BB BF at the current position; anything else is left
// unread.
void skipByteOrderMark(std::istream &in)
{
    static constexpr int kMark[] = {0xEF, 0xBB, 0xBF};
    int matched = 0;
    while (matched < 3 && in.peek() == kMark[matched]) {
        in.get();
        ++matched;
    }
    if (matched < 3) {
        for (; matched > 0; --matched) {
            in.unget();
        }
    }
}

} // namespace

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
    if (m_in.fail()) {
        return fail("the file cannot be read");
    }
    if (!m_startChecked) {
        m_startChecked = true;
        skipByteOrderMark(m_in);
    }
    if (m_in.peek() == kEof) {
        return fail(m_in.bad() ? "read error" : "file ends early");
    }
    // Leading spaces, bounded like a field so that a file of blanks is not read on and on.
    std::size_t skipped = 0;
    while (m_in.peek() == ' ') {
        if (++skipped > kMaxFieldLength) {
            return fail(tooLongReason());
        }
        m_in.get();
    }

    std::string field;
    const auto take = [&](auto endsField) -> bool {
        for (int ch = m_in.peek(); ch != kEof && !endsField(ch); ch = m_in.peek()) {
            if (field.size() == kMaxFieldLength) {
                return false;
            }
            field.push_back(static_cast<char>(ch));
            m_in.get();
        }
        return true;
    };

    if (m_in.peek() == '"') {
        m_in.get();
        if (!take([](int ch) { return ch == '"' || isLineEnd(ch); })) {
            return fail(tooLongReason());
        }
        if (m_in.peek() == '"') {
            m_in.get();
            // What follows the closing quote up to a comma or the line end is dropped.
            std::size_t dropped = 0;
            for (int ch = m_in.peek(); ch != kEof && ch != ',' && !isLineEnd(ch);
                 ch = m_in.peek()) {
                if (++dropped > kMaxFieldLength) {
                    return fail(tooLongReason());
                }
                m_in.get();
            }
        }
    } else if (!take([](int ch) { return ch == ',' || isLineEnd(ch); })) {
        return fail(tooLongReason());
    }

    if (m_in.bad()) {
        return fail("read error");
    }
    if (m_in.peek() == ',') {
        m_in.get();
    } else {
        consumeLineEnd(m_in);
    }
    // Reaching the end of the stream sets eofbit; clear it so later calls see a clean state
    // and report the end of the file themselves.
    if (!m_in.bad()) {
        m_in.clear();
    }
    ++m_fieldsRead;
    return latin1ToUtf8(field);
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
