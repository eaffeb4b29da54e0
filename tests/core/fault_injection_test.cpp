// Damaged input for the readers of the data files, and a disk that refuses the first start.
// A file cut off at any byte keeps every record before the damage; a first start that cannot
// write says why and leaves the folder to be seeded again.

#include "constants_file.h"
#include "default_files.h"
#include "injected_faults.h"
#include "last_run_file.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace ferrolux {
namespace {

using testing_support::FaultyFolder;
using testing_support::WriteFault;

using testing_support::splitRecords;

TEST(ReadingFaults, CutOffAtEveryByteKeepsTheRecordsBeforeTheDamage)
{
    // A saved run with a quoted field and a leading blank, so that the damage meets every kind.
    LastRun saved = exampleLastRun();
    saved.example = false, saved.typeCode = 4, saved.secondaries[4] = {"12.6", " 0.5", "1,5"};
    const std::string bytes = lastRunFileBytes(saved);
    const std::vector<std::string> full = splitRecords(bytes),
                                   untouched = splitRecords(lastRunFileBytes({}));
    for (std::size_t at = 0; at <= bytes.size(); ++at) {
        SCOPED_TRACE("cut after " + std::to_string(at));
        const LastRunLoad load = readLastRun(std::string_view(bytes).substr(0, at));
        // Every record whose text is all there counts; the cut one may be read as far as it
        // goes; the records after it keep their defaults.
        const int whole = static_cast<int>(std::count(
            bytes.begin(),
            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(at + 1, bytes.size())), '\r'));
        EXPECT_TRUE(load.recordsRead == whole || load.recordsRead == whole + 1);
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
