#pragma once

// What a file on disk was when the window last read or wrote it: which file (device and inode),
// its size and its modification time. Another copy of the calculator that saves the same
// design replaces the file (a new inode) or at least changes its time, so comparing the
// identity taken at open or save with the one found before a save tells whether someone else
// wrote the file in between.

#include <QString>
#include <cstdint>

namespace ferrolux {

struct FileIdentity
{
    bool present = false; // something stood at the path (a link is followed)
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of what stands at `path` now; never blocks and never opens the file.
FileIdentity fileIdentity(const QString &path);

// Why a save over `path` should ask first: "" when the file is as `remembered` says, otherwise
// what happened to it since (changed, replaced or removed), for the question to the user.
QString changedOnDiskNote(const QString &path, const FileIdentity &remembered);

} // namespace ferrolux
