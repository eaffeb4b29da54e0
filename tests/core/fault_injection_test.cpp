// Damaged input for the readers of the data files, and a disk that refuses the first start.
// A file cut off or failing at any byte keeps every record before the damage; 100 MB of
// garbage is never read whole; a first start that cannot write says why and leaves the folder
// to be seeded again.

#include "constants_file.h"
#include "default_files.h"
#include "injected_faults.h"
#include "last_run_file.h"
#include "record_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <streambuf>
#include <vector>

namespace ferrolux {
namespace {

using testing_support::FaultyFolder;
using testing_support::WriteFault;

// `size` bytes made by `byteAt(position)` without holding them, then the end of the stream
// or, when `failAtEnd`, a read error as a disk gives it (the stream turns it into its bad
// state). Counts the bytes consumed.
class MadeUpBuffer : public std::streambuf
{
public:
    MadeUpBuffer(std::uint64_t size, std::function<char(std::uint64_t)> byteAt, bool failAtEnd)
        : m_size(size), m_byteAt(std::move(byteAt)), m_failAtEnd(failAtEnd)
    {
    }
    std::uint64_t produced() const { return m_next; }

protected:
    int_type underflow() override
    {
        std::size_t count = 0;
        for (; count < m_chunk.size() && m_next < m_size; ++count, ++m_next) {
            m_chunk[count] = m_byteAt(m_next);
        }
        if (count == 0 && m_failAtEnd) {
            throw std::ios_base::failure("injected read error");
        }
        setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + count);
        return count == 0 ? traits_type::eof() : traits_type::to_int_type(m_chunk[0]);
    }

private:
    std::uint64_t m_size;
    std::uint64_t m_next = 0;
    std::function<char(std::uint64_t)> m_byteAt;
    bool m_failAtEnd;
    std::array<char, 4096> m_chunk{};
};

using testing_support::splitRecords;

TEST(ReadingFaults, CutOffOrFailingAtEveryByteKeepsTheRecordsBeforeTheDamage)
{
    // A saved run with a quoted field and a leading blank, so that the damage meets every kind.
    LastRun saved = exampleLastRun();
    saved.example = false, saved.typeCode = 4, saved.secondaries[4] = {"12.6", " 0.5", "1,5"};
    const std::string bytes = lastRunFileBytes(saved);
    const std::vector<std::string> full = splitRecords(bytes),
                                   untouched = splitRecords(lastRunFileBytes({}));
    const auto recordsEndingBefore = [&](std::size_t offset) {
        int records = 0;
        for (std::size_t cr = bytes.find('\r'); cr < offset; cr = bytes.find('\r', cr + 1)) {
            ++records;
        }
        return records;
    };
    const auto byteAt = [&](std::uint64_t i) { return bytes[i]; };
    for (std::size_t at = 0; at <= bytes.size(); ++at) {
        for (const bool readError : {false, true}) {
            SCOPED_TRACE((readError ? "read error after " : "cut after ") + std::to_string(at));
            MadeUpBuffer buffer(at, byteAt, readError);
            std::istream in(&buffer);
            const LastRunLoad load = readLastRun(in);
            // A record counts once the CR after its text could be read; when the file just
            // ends, also a record whose text is all there, and the cut one may be read as far
            // as it goes.
            const int whole = recordsEndingBefore(readError ? at : at + 1);
            EXPECT_TRUE(load.recordsRead == whole || (!readError && load.recordsRead == whole + 1));
            const std::vector<std::string> got = splitRecords(lastRunFileBytes(load.values));
            for (int r = 0; r < 30; ++r) {
                const auto i = static_cast<std::size_t>(r);
                EXPECT_TRUE(r < whole ? got[i] == full[i]
                                      : r < load.recordsRead || got[i] == untouched[i])
                    << "record " << r + 1 << ": " << got[i];
            }
            EXPECT_EQ(load.failure.empty(), load.complete()) << load.failure;
        }
    }
}

TEST(ReadingFaults, HundredMegabytesOfGarbageAreNeverReadWhole)
{
    // Each kind meets another limit of the reader: the field length, the blanks before a
    // field, an unclosed quote and the text dropped after a closing quote.
    std::mt19937 random(7);
    std::vector<char> noise(1 << 16);
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<char>(random()); });
    const std::pair<const char *, std::function<char(std::uint64_t)>> garbage[] = {
        {"random bytes", [&](std::uint64_t i) { return noise[i % noise.size()]; }},
        {"one endless line", [](std::uint64_t) { return '7'; }},
        {"blanks", [](std::uint64_t) { return ' '; }},
        {"an unclosed quote", [](std::uint64_t i) { return i == 0 ? '"' : 'q'; }},
        {"a closed quote then text", [](std::uint64_t i) { return i == 0 || i == 2 ? '"' : 'q'; }},
    };
    constexpr std::uint64_t kHundredMegabytes = 100ull << 20;
    constexpr std::uint64_t kPerField = 2 * (RecordReader::kMaxFieldLength + 4096);
    for (const auto &[what, byteAt] : garbage) {
        SCOPED_TRACE(what);
        MadeUpBuffer lastRunBytes(kHundredMegabytes, byteAt, false);
        std::istream lastRun(&lastRunBytes);
        EXPECT_LE(readLastRun(lastRun).recordsRead, 30);
        EXPECT_LT(lastRunBytes.produced(), 30 * kPerField);
        MadeUpBuffer constantsBytes(kHundredMegabytes, byteAt, false);
        std::istream constants(&constantsBytes);
        EXPECT_LE(readConstants(constants).valuesRead, 4);
        EXPECT_LT(constantsBytes.produced(), 8 * kPerField);
    }
}

class FirstStartFaults : public ::testing::TestWithParam<WriteFault>
{
};

TEST_P(FirstStartFaults, SayWhyAndLeaveTheFolderToBeSeededAgain)
{
    FaultyFolder program(GetParam());
    if (!program.usable()) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    ASSERT_TRUE(program.arm());
    const std::string failure = seedFirstStart(program.folder());
    EXPECT_NE(failure.find(program.folder()), std::string::npos) << failure;
    EXPECT_NE(failure.find(GetParam().cause), std::string::npos) << failure;
    // No last-run file, whole or in part: the next start is a first start again.
    EXPECT_FALSE(std::filesystem::exists(program.folder() + kLastRunFileName));
}

INSTANTIATE_TEST_SUITE_P(EveryFault, FirstStartFaults,
                         ::testing::ValuesIn(testing_support::kWriteFaults));

} // namespace
} // namespace ferrolux
