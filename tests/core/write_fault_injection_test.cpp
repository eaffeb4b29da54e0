// Writing the data files when the disk says no: disk full, a file-size limit reached half-way
// through a write, a read-only file system and a full file system. Every failed save must say
// why, and leave the previous file exactly as it was; a failed first start must leave the
// folder so that the next start seeds it again. The mount cases need the right to mount a
// tmpfs (root in a container that allows it) and are skipped elsewhere; the others work for
// any user, root included.

#include "default_files.h"
#include "file_helpers.h"
#include "injected_faults.h"
#include "last_run_file.h"
#include "scratch_folder.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>

namespace ferrolux {
namespace {

namespace fs = std::filesystem;
using testing_support::FileSizeLimit;
using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::TmpfsMount;
using testing_support::writeBytes;

// One way of making writes into `folder` fail. `prepare` runs before the old files are put in
// place and may mount over the folder; `arm` turns the fault on just before the write and
// returns what keeps it on; `cause` is the system's words for the failure. An empty `skip`
// from prepare means the fault could be arranged.
struct Fault
{
    const char *name;
    std::function<std::shared_ptr<TmpfsMount>(const std::string &folder, std::string &skip)>
        prepare;
    std::function<std::shared_ptr<void>(const std::string &folder, const TmpfsMount *mount)> arm;
    const char *cause;
};

std::shared_ptr<TmpfsMount> nothing(const std::string &, std::string &)
{
    return nullptr;
}

std::shared_ptr<TmpfsMount> mountTmpfs(const std::string &folder, std::string &skip)
{
    auto mounted = std::make_shared<TmpfsMount>(folder, "size=64k,mode=0755");
    if (!mounted->mounted()) {
        skip = "mounting a tmpfs is not permitted here";
    }
    return mounted;
}

std::vector<Fault> faults()
{
    return {
        {"disk full (the new file is /dev/full)", nothing,
         [](const std::string &folder, const TmpfsMount *) -> std::shared_ptr<void> {
             // The writer opens the temporary name, which leads to a device that is always full.
             for (const char *name : {"Ferrolux.DAT.new", "CONSTANT.DAT.new"}) {
                 testing_support::pointAtFullDevice(folder + name);
             }
             return nullptr;
         },
         "No space left on device"},
        {"file size limit reached during the write", nothing,
         [](const std::string &, const TmpfsMount *) {
             return std::make_shared<FileSizeLimit>(64);
         },
         "File too large"},
        {"read-only file system", mountTmpfs,
         [](const std::string &, const TmpfsMount *mount) -> std::shared_ptr<void> {
             EXPECT_TRUE(mount->makeReadOnly());
             return nullptr;
         },
         "Read-only file system"},
        {"full file system", mountTmpfs,
         [](const std::string &, const TmpfsMount *mount) -> std::shared_ptr<void> {
             mount->fillUp();
             return nullptr;
         },
         "No space left on device"},
    };
}

// The folder under test: a subfolder of a scratch folder, so that a tmpfs can be mounted on it.
struct FaultyFolder
{
    explicit FaultyFolder(const Fault &fault) : folder(scratch.path("program") + "/")
    {
        fs::create_directory(scratch.path("program"));
        guard = fault.prepare(folder, skip);
    }
    ScratchFolder scratch;
    std::string folder;
    std::string skip;
    std::shared_ptr<TmpfsMount> guard;
};

TEST(WriteFaults, FailedSaveSaysWhyAndKeepsThePreviousFile)
{
    for (const Fault &fault : faults()) {
        SCOPED_TRACE(fault.name);
        FaultyFolder program(fault);
        if (!program.skip.empty()) {
            std::cout << "[ SKIPPED  ] " << fault.name << ": " << program.skip << "\n";
            continue;
        }
        const std::string path = program.folder + kLastRunFileName;
        LastRun previous = exampleLastRun();
        previous.example = false;
        const std::string previousBytes = lastRunFileBytes(previous);
        writeBytes(path, previousBytes);
        LastRun next = previous;
        next.primaryVoltage = std::string(200, '9'); // larger than every limit above
        const std::string nextBytes = lastRunFileBytes(next);

        std::string failure;
        {
            const std::shared_ptr<void> armed = fault.arm(program.folder, program.guard.get());
            failure = writeFileAtomically(path, nextBytes);
        }
        EXPECT_NE(failure.find(path), std::string::npos) << failure;
        EXPECT_NE(failure.find(fault.cause), std::string::npos) << failure;
        EXPECT_EQ(readBytes(path), previousBytes);
        EXPECT_FALSE(fs::is_regular_file(path + ".new"));
    }
}

TEST(WriteFaults, FailedFirstStartLeavesTheFolderToBeSeededAgain)
{
    for (const Fault &fault : faults()) {
        SCOPED_TRACE(fault.name);
        FaultyFolder program(fault);
        if (!program.skip.empty()) {
            std::cout << "[ SKIPPED  ] " << fault.name << ": " << program.skip << "\n";
            continue;
        }
        std::string failure;
        {
            const std::shared_ptr<void> armed = fault.arm(program.folder, program.guard.get());
            failure = seedFirstStart(program.folder);
        }
        EXPECT_NE(failure.find(fault.cause), std::string::npos) << failure;
        EXPECT_NE(failure.find(program.folder), std::string::npos) << failure;
        // No last-run file, whole or in part: the next start is a first start again.
        EXPECT_FALSE(FileExists(program.folder, kLastRunFileName));
        EXPECT_FALSE(fs::exists(program.folder + kLastRunFileName));
    }
}

} // namespace
} // namespace ferrolux
