// Saves on a disk that fails: full, read-only or limited, also while a file is rewritten in
// place; links planted by other users in shared folders; temporaries an interrupted run left
// behind; names at the length limit. After every case the file's bytes are checked.

#include "file_helpers.h"
#include "injected_faults.h"
#include "other_user.h"
#include "scratch_folder.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ferrolux {
namespace {

namespace fs = std::filesystem;
using testing_support::AsOtherUser;
using testing_support::kNobody;
using testing_support::readBytes;
using testing_support::ScratchFolder;
using testing_support::temporaryFilesIn;
using testing_support::writeBytes;
using O = SaveResult::Outcome;

// A disk failing in one of the ways of kWriteFaults: the file keeps its old bytes, a new file
// is never created, and the reason is the system's own.
TEST(SaveFaults, AFailingDiskKeepsTheOldFileAndNamesTheRealError)
{
    const std::string large(16384, 'n');
    for (const testing_support::WriteFault &fault : testing_support::kWriteFaults) {
        SCOPED_TRACE(fault.name);
        testing_support::FaultyFolder program(fault);
        if (!program.usable()) {
            GTEST_SKIP() << "mounting a tmpfs is not permitted here";
        }
        writeBytes(program.folder() + "r.txt", "old report");
        ASSERT_TRUE(program.arm());
        for (const char *name : {"r.txt", "new.html"}) {
            const SaveResult result = saveFile(program.folder() + name, large);
            EXPECT_EQ(result.outcome, O::Failed) << name;
            EXPECT_NE(result.reason.find(fault.cause), std::string::npos) << result.reason;
            EXPECT_NE(result.reason.find(name), std::string::npos) << result.reason;
        }
        EXPECT_EQ(readBytes(program.folder() + "r.txt"), "old report");
        EXPECT_FALSE(fs::exists(program.folder() + "new.html"));
        EXPECT_EQ(temporaryFilesIn(program.folder()), 0);
    }
}

struct InPlaceCase
{
    const char *what;
    const char *oldBytes;
    std::size_t newSize;
    bool fillDisk;   // the disk is full before the save
    bool limitAfter; // writes fail once the new size is reserved
    int answer;      // the announcement's answer: 1 yes, 0 no, -1 no announcement asked for
    O outcome;
    const char *reasonPart;
    const char *after; // "new" or "old": the bytes the file must hold; "" torn, any bytes
};

// Another user's file in a folder that user may not add to, on a small tmpfs: a save by that
// user can only rewrite the file in place. It is announced, refused while the file is still
// untouched when the disk cannot hold the new size, and a write that fails after the file was
// touched puts the old bytes back, or says the file is damaged.
TEST(SaveFaults, ARewriteInPlaceIsAnnouncedReservedAndNeverSilentlyTorn)
{
    const InPlaceCase cases[] = {
        {"announced and accepted", "old", 5000, false, false, 1, O::WrittenInPlace,
         "Permission denied", "new"},
        {"not announced (no one asked)", "old", 5000, false, false, -1, O::WrittenInPlace, "",
         "new"},
        {"declined", "old", 5000, false, false, 0, O::Declined, "Permission denied", "old"},
        {"a full disk", "old", 16384, true, false, 1, O::Failed,
         "No space left on device (the file was not changed)", "old"},
        {"torn, the old bytes put back", "abc", 5000, false, true, 1, O::Failed,
         "File too large (its old contents were written back)", "old"},
        // The folder takes no copy either: the user is told that nothing of it could be kept.
        {"torn, the old bytes too long to put back", "old bytes!", 5000, false, true, 1, O::Damaged,
         "The file is damaged and no copy of its old contents could be kept", ""},
    };
    for (const InPlaceCase &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder s;
        fs::permissions(s.folder(), fs::perms(0755));
        const std::string folder = s.path("disk/");
        fs::create_directory(folder);
        if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
            GTEST_SKIP() << "mounting a tmpfs is not permitted here";
        }
        const std::string path = folder + "design.fxd";
        writeBytes(path, c.oldBytes);
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
        if (c.fillDisk) {
            writeBytes(folder + "filler", std::string(80 << 10, 'x')); // cut off where it is full
        }
        const std::string newBytes(c.newSize, 'n');
        std::string announced = "-";
        SaveOptions options;
        if (c.answer >= 0) {
            options.announceInPlace = [&](const std::string &why) {
                announced = why;
                return c.answer == 1;
            };
        }
        SaveResult result;
        {
            testing_support::FileSizeLimit limit;
            if (c.limitAfter) {
                options.afterReserve = [&] { limit.arm(); };
            }
            const AsOtherUser other;
            ASSERT_TRUE(other.active());
            result = saveFile(path, newBytes, options);
        }
        EXPECT_EQ(result.outcome, c.outcome) << result.reason;
        EXPECT_NE(result.reason.find(c.reasonPart), std::string::npos) << result.reason;
        if (c.after == std::string("new")) {
            EXPECT_EQ(readBytes(path), newBytes);
        } else if (c.after == std::string("old")) {
            EXPECT_EQ(readBytes(path), c.oldBytes);
        }
        if (c.answer >= 0) {
            EXPECT_NE(announced.find("Permission denied"), std::string::npos) << announced;
        }
        umount2(folder.c_str(), MNT_DETACH);
    }
}

// In a sticky folder anyone may write to, a link owned by someone other than the saver and the
// folder's owner is never followed (another user may have put it where the design was); the
// user's own links, the folder owner's, and links in other folders are followed as always.
TEST(SaveFaults, ALinkPlantedInASharedFolderIsRefused)
{
    struct Case
    {
        const char *what;
        unsigned folderMode;
        unsigned folderOwner, linkOwner;
        bool refused;
    };
    const Case cases[] = {
        {"another user's link in a sticky shared folder", 01777, 0, kNobody, true},
        {"the user's own link there", 01777, 0, 0, false},
        {"the folder owner's link", 01777, kNobody, kNobody, false},
        {"another user's link in a shared folder without the sticky bit", 0777, 0, kNobody, false},
        {"another user's link in a sticky folder only its owner writes", 01755, 0, kNobody, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder s;
        const std::string shared = s.path("shared/");
        fs::create_directory(shared);
        fs::permissions(shared, static_cast<fs::perms>(c.folderMode));
        const std::string victim = s.path("victim");
        writeBytes(victim, "victim");
        const std::string link = shared + "design.fxd";
        fs::create_symlink(victim, link);
        if (::lchown(link.c_str(), c.linkOwner, c.linkOwner) != 0 ||
            ::chown(shared.c_str(), c.folderOwner, c.folderOwner) != 0) {
            GTEST_SKIP() << "giving files to another user needs root";
        }
        const SaveResult result = saveFile(link, "new");
        EXPECT_EQ(result.outcome, c.refused ? O::Failed : O::Replaced) << result.reason;
        EXPECT_EQ(readBytes(victim), c.refused ? "victim" : "new");
        EXPECT_TRUE(fs::is_symlink(link));
        if (c.refused) {
            EXPECT_NE(result.reason.find("belongs to another user"), std::string::npos)
                << result.reason;
        }
    }
}

// Temporaries of an interrupted earlier run go at the next save in their folder; anything that
// might be someone else's, or a save of this run in progress, stays.
TEST(SaveFaults, StaleTemporariesOfThisUserAreRemovedAtTheNextSave)
{
    using namespace std::chrono_literals;
    const auto anHourAgo = fs::file_time_type::clock::now() - 1h;
    const auto inAMinute = fs::file_time_type::clock::now() + 1min;
    struct Case
    {
        const char *name;
        fs::file_time_type written;
        unsigned owner;
        bool link;
        bool removed;
    };
    const Case cases[] = {
        {".ferrolux.tmp-a1B2c3D4", anHourAgo, 0, false, true},
        {"design.fxd", anHourAgo, 0, false, false},                   // the design itself
        {"design.fxd.tmp-Zz09Yy87", anHourAgo, 0, false, true},       // an older version's name
        {"gone.fxd.tmp-Zz09Yy87", anHourAgo, 0, false, false},        // ... of no file there
        {".ferrolux.tmp-a1B2c3D5", inAMinute, 0, false, false},       // written during this run
        {".ferrolux.tmp-a1B2c3D6", anHourAgo, kNobody, false, false}, // another user's
        {".ferrolux.tmp-a1B2c3D7", anHourAgo, 0, true, false},        // a link
        {".ferrolux.tmp-a1B2c3D", anHourAgo, 0, false, false},        // seven letters
        {".ferrolux.tmp-a1B2c3D4x", anHourAgo, 0, false, false},      // nine
        {"notes.tmp-a1B2_3D4", anHourAgo, 0, false, false},           // not a letter or digit
        {"notes.txt", anHourAgo, 0, false, false},
    };
    ScratchFolder s;
    for (const Case &c : cases) {
        const std::string path = s.path(c.name);
        if (c.link) {
            fs::create_symlink("notes.txt", path);
            continue;
        }
        writeBytes(path, c.name);
        fs::last_write_time(path, c.written);
        if (::chown(path.c_str(), c.owner, c.owner) != 0) {
            GTEST_SKIP() << "giving a file to another user needs root";
        }
    }
    ASSERT_EQ(saveFile(s.path("design.fxd"), "new").outcome, O::Replaced);
    for (const Case &c : cases) {
        EXPECT_EQ(fs::exists(fs::symlink_status(s.path(c.name))), !c.removed) << c.name;
    }
    EXPECT_EQ(readBytes(s.path("design.fxd")), "new");
}

// A file name of up to 255 bytes saves (the temporary's name is short), and the copy of a
// damaged file with such a name is given a shortened name rather than none.
TEST(SaveFaults, NamesAtTheLengthLimitSaveAndGetTheirCopies)
{
    ScratchFolder s;
    for (const auto &[length, letter] : {std::pair{250u, 'd'}, std::pair{255u, 'e'}}) {
        const std::string name(length, letter);
        EXPECT_EQ(saveFile(s.path(name), "design").outcome, O::Replaced) << length;
        EXPECT_EQ(readBytes(s.path(name)), "design");
        std::string why;
        const std::string copy = keepCopyBeside(s.path(name), "old", why);
        ASSERT_FALSE(copy.empty()) << why;
        const std::string copyName = fs::path(copy).filename().string();
        EXPECT_LE(copyName.size(), 255u);
        EXPECT_TRUE(copyName.ends_with(".damaged")) << copyName;
        EXPECT_EQ(readBytes(copy), "old");
    }
    EXPECT_EQ(temporaryFilesIn(s.folder()), 0);
}

} // namespace
} // namespace ferrolux
