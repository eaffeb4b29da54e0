// Damaged and hostile input for the readers of the data files: files cut off at every byte,
// read errors at every byte, a folder in place of a file, an empty file, 100 MB of garbage,
// binary bytes and non-Latin-1 text in fields, and a constants file that is missing, short or
// not numeric. Each must end promptly with the partial load the readers promise: every record
// before the damage read as written, nothing after it.

#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "record_file.h"
#include "report_tool.h"
#include "scratch_folder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <ios>
#include <optional>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace ferrolux {
namespace {

using testing_support::ScratchFolder;
using testing_support::writeBytes;

// Gives `bytes`, then fails every read with an exception, as a disk or network error does;
// the stream turns the exception into its bad state.
class FailingBuffer : public std::streambuf
{
public:
    explicit FailingBuffer(std::string bytes) : m_bytes(std::move(bytes))
    {
        setg(m_bytes.data(), m_bytes.data(), m_bytes.data() + m_bytes.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("injected read error"); }

private:
    std::string m_bytes;
};

// `size` bytes made by `byteAt(position)` without holding them, counting what was consumed.
class GeneratedBuffer : public std::streambuf
{
public:
    GeneratedBuffer(std::uint64_t size, std::function<char(std::uint64_t)> byteAt)
        : m_size(size), m_byteAt(std::move(byteAt))
    {
    }
    std::uint64_t produced() const { return m_next; }

protected:
    int_type underflow() override
    {
        if (m_next >= m_size) {
            return traits_type::eof();
        }
        std::size_t count = 0;
        for (; count < m_chunk.size() && m_next < m_size; ++count, ++m_next) {
            m_chunk[count] = m_byteAt(m_next);
        }
        setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + count);
        return traits_type::to_int_type(m_chunk[0]);
    }

private:
    std::uint64_t m_size;
    std::uint64_t m_next = 0;
    std::function<char(std::uint64_t)> m_byteAt;
    std::array<char, 4096> m_chunk{};
};

constexpr std::uint64_t kHundredMegabytes = 100ull * 1024 * 1024;

// The 30 records of a run as texts, in file order, so that loads can be compared record by
// record.
std::vector<std::string> recordTexts(const LastRun &run)
{
    std::vector<std::string> texts{run.example ? "True" : "False", run.primaryVoltage,
                                   run.primaryResistance, run.secondaryCount};
    for (const SecondaryTexts &row : run.secondaries) {
        texts.insert(texts.end(), {row.voltage, row.resistance, row.current});
    }
    texts.push_back(std::to_string(run.typeCode));
    texts.insert(texts.end(), {run.x, run.y, run.z, run.a, run.b, run.c});
    texts.push_back(std::to_string(run.loading));
    return texts;
}

// A saved run with every field non-empty and one quoted field, as Close writes it.
LastRun savedRun()
{
    LastRun run = exampleLastRun();
    run.example = false;
    run.secondaries[4] = {"12.6", "0.5", "1,5"};
    run.secondaries[5] = {"300", "45", "0.25"};
    run.typeCode = 4;
    return run;
}

// Offset of the CR that ends each record of a CR LF file.
std::vector<std::size_t> recordEnds(const std::string &bytes)
{
    std::vector<std::size_t> ends;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2)) {
        ends.push_back(at);
    }
    return ends;
}

int countBelow(const std::vector<std::size_t> &ends, std::size_t limit)
{
    return static_cast<int>(
        std::count_if(ends.begin(), ends.end(), [limit](std::size_t end) { return end < limit; }));
}

TEST(ReadingFaults, FileCutOffAtEveryByteKeepsTheRecordsBeforeTheCut)
{
    const LastRun full = savedRun();
    const std::string bytes = lastRunFileBytes(full);
    const std::vector<std::string> expected = recordTexts(full);
    const std::vector<std::string> untouched = recordTexts(LastRun{});
    const std::vector<std::size_t> ends = recordEnds(bytes);
    ASSERT_EQ(ends.size(), 30u);

    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        SCOPED_TRACE("cut after " + std::to_string(cut) + " bytes");
        std::istringstream in(bytes.substr(0, cut));
        const LastRunLoad load = readLastRun(in);
        const std::vector<std::string> got = recordTexts(load.values);
        // Every record whose text lies wholly before the cut is read; the cut one may be read
        // as far as it goes (end of file ends a field), or fail to convert.
        const int whole = countBelow(ends, cut + 1);
        EXPECT_GE(load.recordsRead, whole);
        EXPECT_LE(load.recordsRead, whole + 1);
        EXPECT_EQ(load.complete(), load.failure.empty());
        for (int r = 0; r < 30; ++r) {
            const auto i = static_cast<std::size_t>(r);
            if (r < whole) {
                EXPECT_EQ(got[i], expected[i]) << "record " << r + 1;
            } else if (r >= load.recordsRead) {
                EXPECT_EQ(got[i], untouched[i]) << "record " << r + 1;
            }
        }
    }
}

TEST(ReadingFaults, ReadErrorAtEveryByteStopsBeforeTheDamagedRecord)
{
    const LastRun full = savedRun();
    const std::string bytes = lastRunFileBytes(full);
    const std::vector<std::string> expected = recordTexts(full);
    const std::vector<std::string> untouched = recordTexts(LastRun{});
    const std::vector<std::size_t> ends = recordEnds(bytes);

    for (std::size_t failAt = 0; failAt <= bytes.size(); ++failAt) {
        SCOPED_TRACE("read error after " + std::to_string(failAt) + " bytes");
        FailingBuffer buffer(bytes.substr(0, failAt));
        std::istream in(&buffer);
        const LastRunLoad load = readLastRun(in);
        // A record counts once the character after its text (its CR) could be read.
        const int expectedRecords = countBelow(ends, failAt);
        EXPECT_EQ(load.recordsRead, expectedRecords);
        EXPECT_EQ(load.failure.empty(), expectedRecords == 30) << load.failure;
        const std::vector<std::string> got = recordTexts(load.values);
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i], static_cast<int>(i) < expectedRecords ? expected[i] : untouched[i])
                << "record " << i + 1;
        }
        FailingBuffer flagBuffer(bytes.substr(0, failAt));
        std::istream flagIn(&flagBuffer);
        EXPECT_EQ(readExampleFlag(flagIn).has_value(), expectedRecords >= 1);
    }
}

TEST(ReadingFaults, FolderOrEmptyFileReadsNothing)
{
    ScratchFolder scratch;
    std::filesystem::create_directory(scratch.path("folder"));
    writeBytes(scratch.path("empty"), "");
    for (const char *name : {"folder", "empty"}) {
        SCOPED_TRACE(name);
        std::ifstream lastRun(scratch.path(name), std::ios::binary);
        const LastRunLoad load = readLastRun(lastRun);
        EXPECT_EQ(load.recordsRead, 0);
        EXPECT_FALSE(load.failure.empty());
        EXPECT_EQ(load.values, LastRun{});

        std::ifstream flag(scratch.path(name), std::ios::binary);
        EXPECT_FALSE(readExampleFlag(flag).has_value());
        std::ifstream constants(scratch.path(name), std::ios::binary);
        EXPECT_EQ(readConstants(constants).valuesRead, 0);
    }
}

TEST(ReadingFaults, HundredMegabytesOfGarbageAreNeverReadWhole)
{
    std::mt19937 random(7);
    std::vector<char> noise(1 << 16);
    for (char &byte : noise) {
        byte = static_cast<char>(random());
    }
    const struct
    {
        const char *what;
        std::function<char(std::uint64_t)> byteAt;
    } garbage[] = {
        {"random bytes", [&](std::uint64_t i) { return noise[i % noise.size()]; }},
        {"one endless line", [](std::uint64_t) { return 'A'; }},
        {"blanks", [](std::uint64_t) { return ' '; }},
        {"NUL bytes", [](std::uint64_t) { return '\0'; }},
        {"an unclosed quote", [](std::uint64_t i) { return i == 0 ? '"' : 'q'; }},
        {"a closed quote then text", [](std::uint64_t i) { return i == 0 || i == 2 ? '"' : 'q'; }},
        {"commas", [](std::uint64_t) { return ','; }},
        {"line ends", [](std::uint64_t i) { return i % 2 ? '\n' : '\r'; }},
    };
    for (const auto &g : garbage) {
        SCOPED_TRACE(g.what);
        GeneratedBuffer lastRunBytes(kHundredMegabytes, g.byteAt);
        std::istream lastRun(&lastRunBytes);
        const LastRunLoad load = readLastRun(lastRun);
        EXPECT_LE(load.recordsRead, 30);
        // No field is longer than the reader's limit, so 30 of them are a few megabytes.
        EXPECT_LT(lastRunBytes.produced(), 30 * 2 * (RecordReader::kMaxFieldLength + 4096));

        GeneratedBuffer constantsBytes(kHundredMegabytes, g.byteAt);
        std::istream constants(&constantsBytes);
        EXPECT_LE(readConstants(constants).valuesRead, 4);
        EXPECT_LT(constantsBytes.produced(), 8 * 2 * (RecordReader::kMaxFieldLength + 4096));
    }
}

TEST(ReadingFaults, HundredMegabyteFileIsRefusedByTheReportTool)
{
    ScratchFolder scratch;
    {
        std::ofstream out(scratch.path("Ferrolux.DAT"), std::ios::binary);
        std::mt19937_64 random(11);
        std::vector<std::uint64_t> block(1 << 14);
        for (std::uint64_t written = 0; written < kHundredMegabytes;
             written += block.size() * sizeof(std::uint64_t)) {
            for (std::uint64_t &word : block) {
                word = random();
            }
            out.write(reinterpret_cast<const char *>(block.data()),
                      static_cast<std::streamsize>(block.size() * sizeof(std::uint64_t)));
        }
    }
    writeBytes(scratch.path("CONSTANT.DAT"), defaultConstantsFileBytes());
    std::ostringstream out, err;
    const int status = runReportTool({scratch.path("Ferrolux.DAT")}, out, err);
    // Either the garbage happens to hold 30 records (then the analysis refuses it), or it is
    // reported as incomplete; nothing is printed as a report either way.
    EXPECT_NE(status, 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str(), "");
}

TEST(ReadingFaults, BinaryBytesInFieldsSurviveASaveAndReload)
{
    // Every byte but the four that delimit records, inside one field, and control characters
    // and high bytes in the others.
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n' && b != ',' && b != '"') {
            everyByte.push_back(static_cast<char>(b));
        }
    }
    std::vector<std::string> lines = {"False", everyByte};
    for (int r = 3; r <= 30; ++r) {
        lines.push_back(r == 23 || r == 30 ? " 1 " : std::string("\x01\x7f\xff\xa0") + "x");
    }
    std::string bytes;
    for (const std::string &line : lines) {
        bytes += line + "\r\n";
    }
    std::istringstream in(bytes);
    const LastRunLoad load = readLastRun(in);
    ASSERT_TRUE(load.complete()) << load.failure;
    // The leading NUL..space bytes are no blanks to the reader, so the field is kept whole.
    EXPECT_EQ(lastRunFileBytes(load.values), bytes);
}

TEST(ReadingFaults, NonLatin1TextKeepsEveryRecordInPlace)
{
    const std::string texts[] = {
        "\xCE\xA9",                 // Greek capital omega
        "\xE4\xB8\xAD\xE6\x96\x87", // two CJK characters
        "\xF0\x9F\x94\x8C",         // an emoji outside the basic plane
        "\xFF\xFE",                 // not UTF-8 at all
        "\x80",                     // a lone continuation byte
        "\xE2\x82",                 // a sequence cut short
    };
    for (const std::string &text : texts) {
        LastRun run = savedRun();
        run.primaryResistance = "2" + text + "05";
        run.secondaries[2].current = text;
        run.c = text + "6.4";
        std::istringstream in(lastRunFileBytes(run));
        const LastRunLoad load = readLastRun(in);
        ASSERT_TRUE(load.complete()) << load.failure;
        // What cannot be stored becomes question marks; every other record is unchanged.
        LastRun expected = run;
        expected.primaryResistance = load.values.primaryResistance;
        expected.secondaries[2].current = load.values.secondaries[2].current;
        expected.c = load.values.c;
        EXPECT_EQ(load.values, expected);
        for (const std::string *got : {&load.values.primaryResistance,
                                       &load.values.secondaries[2].current, &load.values.c}) {
            EXPECT_NE(got->find('?'), std::string::npos) << *got;
            EXPECT_EQ(got->find_first_of("\r\n"), std::string::npos);
        }
    }
}

TEST(ReadingFaults, ConstantsFileMissingShortOrNotNumeric)
{
    using namespace std::string_literals;
    const struct
    {
        const char *what;
        std::optional<std::string> bytes; // nullopt: no file at all
        int valuesRead;
        std::array<double, 4> values;
    } cases[] = {
        {"missing", std::nullopt, 0, {0, 0, 0, 0}},
        {"empty", "", 0, {0, 0, 0, 0}},
        {"two records, the value a word", "a\r\nb\r\n", 1, {0, 0, 0, 0}},
        {"three records", "a\r\n2.5\r\nb\r\n", 1, {2.5, 0, 0, 0}},
        {"seven records", "a\r\n1\r\nb\r\n2\r\nc\r\n3\r\nd\r\n", 3, {1, 2, 3, 0}},
        {"words for numbers", "a\r\nlots\r\nb\r\n4.5\r\nc\r\n\r\nd\r\n%\r\n", 4, {0, 4.5, 0, 0}},
        {"number too large", "a\r\n1.5\r\nb\r\n1e999\r\nc\r\n1\r\nd\r\n1\r\n", 1, {1.5, 0, 0, 0}},
        {"binary",
         "\0\xff\r\n\x01"
         "7\r\n"s,
         1,
         {0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder scratch;
        if (c.bytes) {
            writeBytes(scratch.path("CONSTANT.DAT"), *c.bytes);
        }
        std::ifstream in(scratch.path("CONSTANT.DAT"), std::ios::binary);
        const ConstantsLoad load = readConstants(in);
        EXPECT_EQ(load.valuesRead, c.valuesRead);
        EXPECT_EQ(load.failure.empty(), c.valuesRead == 4);
        for (int i = 0; i < load.valuesRead; ++i) {
            EXPECT_EQ(load.values[static_cast<std::size_t>(i)],
                      c.values[static_cast<std::size_t>(i)]);
        }

        // The report tool needs all four limits and says which file let it down.
        writeBytes(scratch.path("Ferrolux.DAT"), exampleLastRunFileBytes());
        std::ostringstream out, err;
        const int status = runReportTool({scratch.path("Ferrolux.DAT")}, out, err);
        EXPECT_EQ(status, c.valuesRead == 4 ? 0 : 2);
        if (c.valuesRead < 4) {
            EXPECT_NE(err.str().find("CONSTANT.DAT"), std::string::npos) << err.str();
        }
    }
}

} // namespace
} // namespace ferrolux
