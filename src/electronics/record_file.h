#pragma once

// Record files: one-line records of 8-bit Latin-1 text ended by CR LF. Position alone tells
// what a record is. The writer produces text, truth and integer records; the reader takes one
// field per record.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ferrolux {

// Builds the bytes of a record file (Latin-1, CR LF line ends) from UTF-8 texts.
class RecordWriter
{
public:
    // A text record: the text unchanged, unquoted. So that records never shift, CR, LF and
    // double-quote characters are dropped, and a text holding a comma or beginning with a
    // blank (space or tab) is written between double quotes (the reader returns it unchanged).
    // Characters outside Latin-1 are written as '?'.
    void text(std::string_view utf8);
    // "True" or "False".
    void truth(bool value);
    // " 3 " for 3, "-2 " for -2: a space when not negative, then the digits, then a space.
    void integer(int value);

    const std::string &bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Reads fields from a record file's bytes, as far as they are asked for and no further.
// Spaces before a field are skipped; a field beginning with a double quote runs to the next
// double quote (the quotes are dropped, the rest of that line up to a comma is skipped); any
// other field runs to the next comma or line end. A quoted field never crosses a line end:
// without a closing quote it ends with its line, so one damaged record cannot swallow the
// records after it. CR LF, lone LF and lone CR end a line; an empty line is an empty field.
// A field longer than kMaxFieldLength characters is a failure (so are more than that many
// leading spaces, or that many characters dropped after a closing quote), so a damaged or
// foreign file is never pulled into memory whole. A UTF-8 byte-order mark at the very start
// of the bytes, as some editors add, is skipped. The end of the bytes before a field is a
// failure; once a read has failed, every later one fails with the same reason. The reader
// keeps a view of the bytes: they must outlive it.
class RecordReader
{
public:
    static constexpr std::size_t kMaxFieldLength = 65536;

    explicit RecordReader(std::string_view bytes);

    // The next field as UTF-8, or nullopt when the file ends before a field or the field is
    // too long; lastError() then says which.
    std::optional<std::string> nextField();
    const std::string &lastError() const { return m_lastError; }
    // Where the next field begins: the bytes from here on are not read yet.
    std::size_t position() const { return m_pos; }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    std::string m_lastError;
};

// Truth value of a record as the files hold it: "True"/"False" in any letter case; a number is
// false when zero and true otherwise; anything else is nullopt.
std::optional<bool> textToTruth(std::string_view text);

} // namespace ferrolux
