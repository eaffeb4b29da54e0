#pragma once

// Small file helpers shared by the calculators: existence, reading only regular files, and
// saving a file so that it is either kept whole or replaced whole, durably.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace ferrolux {

// True when the file named by `folder` followed directly by `fileName` (no separator is
// inserted) can be opened for reading as a file. Never throws; every failure gives false.
bool FileExists(const std::string &folder, const std::string &fileName);

// True when anything at all stands at `path`: a file readable or not, a folder, a link (even
// one that leads nowhere). Only "no such entry" gives false; a path that cannot even be
// examined counts as existing, so that nothing is ever written over it by mistake.
bool pathExists(const std::string &path);

// True when `path` is a regular file or a link to one. Looking never blocks, whatever stands
// there (a named pipe, a device).
bool isRegularFile(const std::string &path);

// What reading a whole file gave.
struct FileRead
{
    enum class Status { Read, Missing, Unreadable, TooLarge };
    Status status = Status::Missing;
    std::string bytes;  // the file's bytes when Read
    std::string reason; // the system's reason when not Read

    bool ok() const { return status == Status::Read; }
};

// A data file (last run, constants, design) holds at most a few megabytes even with every record
// at its longest; anything larger is damaged and is never pulled into memory whole.
inline constexpr std::size_t kMaxDataFileBytes = 8u << 20;

// Reads the file at `path` whole, at most `maxBytes` of it. Only a regular file (or a link to
// one) is read: it is opened without blocking and checked before reading, so a named pipe or a
// device in its place is reported as unreadable and never waited on.
FileRead readRegularFile(const std::string &path, std::size_t maxBytes);

// How a save ended.
struct SaveResult
{
    enum class Outcome {
        Replaced,       // the new bytes replaced the file (or created it) in one step
        WrittenInPlace, // a replace was impossible, so the file itself was rewritten
        AlreadyThere,   // create-only: another file stood there first; nothing was written
        Failed,         // nothing was changed; `reason` says why
        Declined,       // a rewrite in place was announced and declined; nothing was changed
        Damaged         // a rewrite in place failed after the file was touched; `reason` says
                        // so and names the copy of the old bytes (`keptCopy`) when one was made
    };
    Outcome outcome = Outcome::Failed;
    // Failed, Damaged: a one-line reason fit to show a user. WrittenInPlace, Declined: why a
    // replace was impossible.
    std::string reason;
    // Damaged: where the file's old bytes were kept ("" when no copy could be made).
    std::string keptCopy;

    bool ok() const
    {
        return outcome == Outcome::Replaced || outcome == Outcome::WrittenInPlace ||
               outcome == Outcome::AlreadyThere;
    }
};

struct SaveOptions
{
    // Create the file only when nothing stands at the path; an existing file is left alone
    // and the result is AlreadyThere.
    bool createOnly = false;
    // Called before an existing file is rewritten in place, with why a replace is impossible,
    // so that the user can be told (or asked) first. Returning false leaves the file untouched
    // and the result is Declined. Unset: the rewrite goes ahead.
    std::function<bool(const std::string &why)> announceInPlace;
    // Called after the new bytes are written and flushed and before they replace the file;
    // tests slow a save down with it.
    std::function<void()> beforeReplace;
    // Called in a rewrite in place after the new size is reserved and before the file is
    // touched; tests make the disk fail there.
    std::function<void()> afterReserve;
};

// Saves `bytes` to `path` so that the old file is either kept intact or replaced whole:
// - a link is followed to its final target, which is replaced in its own folder; the link stays.
//   In a sticky folder that anyone may write to (a shared temporary folder), a link owned by
//   neither this user nor the folder's owner is refused, as the kernel refuses to follow it;
// - the bytes go to a new file in that folder: an unnamed one (O_TMPFILE) given a short name
//   only just before the rename, or, where the file system cannot do that, a short unique name
//   (".ferrolux.tmp-" and eight letters, so that a name of 255 bytes still saves) created
//   exclusively and never through a link. The new file gets the old file's mode (and owner
//   where allowed), its size is reserved on the disk first (a full disk fails there, before
//   anything is written), every write and the flush are checked, it is renamed over the target
//   and the folder is flushed too. Any failure leaves the old file and names the system's
//   reason;
// - temporaries that an earlier run of the program left behind in that folder (its naming
//   pattern, this user's, older than this run's start) are removed first;
// - anything at the target but a regular file is never written;
// - only when a replace is impossible because the folder refuses new files (EACCES, EPERM) or
//   the file cannot be renamed over (EBUSY, EXDEV: a mount point), the existing file is
//   rewritten in place: announced first (SaveOptions::announceInPlace), refused untouched when
//   the new size cannot be reserved on the disk, and, should a write fail after the file was
//   touched, the old bytes are written back, or else kept in a ".damaged" copy beside it where
//   the folder allows and the result is Damaged.
SaveResult saveFile(const std::string &path, std::string_view bytes,
                    const SaveOptions &options = {});

// saveFile with the default options: "" when the bytes were saved (either way), otherwise the
// reason.
std::string writeFileAtomically(const std::string &path, std::string_view bytes);

// Keeps a copy of `bytes` at `path` + ".damaged", or at the first free name of
// `path` + ".damaged.1", ".damaged.2", ... (a file name too long for that is shortened to fit
// 255 bytes). Never replaces anything. Returns the name used, or ""
// with `reason` set when no copy could be made.
std::string keepCopyBeside(const std::string &path, std::string_view bytes, std::string &reason);

} // namespace ferrolux
