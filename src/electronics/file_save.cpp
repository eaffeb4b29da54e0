// Saving a file whole and durably: a new file beside the target, its size reserved, written,
// flushed and renamed over the target, the folder flushed; writing in place only where a
// replace is impossible, and then only after the new size is reserved.

#include "file_descriptor.h"
#include "file_helpers.h"
#include "save_staging.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ferrolux {

using file_detail::Descriptor;
using file_detail::errorText;
using file_detail::folderOf;
using file_detail::openRegular;
using file_detail::reason;
using file_detail::StagedFile;
using file_detail::writeAll;

namespace {

// The old bytes of a file rewritten in place are held in memory so that they can be put back;
// a larger file is rewritten without that (no data file comes near it).
constexpr std::size_t kMaxRestorableBytes = 256u << 20;

void flushFolder(const std::string &folder)
{
    // Makes the rename itself durable. File systems that cannot flush a folder say EINVAL;
    // the file's own bytes are on the disk already, so nothing more can be done there.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool replaceImpossibleReason(int error)
{
    return error == EACCES || error == EPERM || error == EBUSY || error == EXDEV;
}

// Reserves `size` bytes of the disk for the file, so that the writes after it cannot run out
// of space; 0 or the errno.
int reserve(int fd, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    return ::posix_fallocate(fd, 0, static_cast<off_t>(size));
}

// Writes `bytes` from the start of the file, cuts it to their length and flushes it; 0 or the
// errno of the first failure.
int rewrite(int fd, std::string_view bytes)
{
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return errno;
    }
    int error = writeAll(fd, bytes);
    if (error == 0 && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    return error;
}

// Reads the whole file from its start; false when it cannot (or is too large to hold).
bool readWhole(int fd, std::string &bytes)
{
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || static_cast<std::size_t>(info.st_size) > kMaxRestorableBytes) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            ::pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// A rewrite in place that failed after the file was touched: the old bytes go back, or else
// into a copy beside the file, and the result says which.
SaveResult afterTornWrite(const std::string &target, int fd, const std::string *old, int error)
{
    const std::string failed = reason("Cannot write", target, error);
    if (old != nullptr && rewrite(fd, *old) == 0) {
        return {SaveResult::Outcome::Failed, failed + " (its old contents were written back)", {}};
    }
    SaveResult result{SaveResult::Outcome::Damaged, failed + ". The file is damaged", {}};
    std::string why = "its old contents could not be read";
    if (old != nullptr) {
        result.keptCopy = keepCopyBeside(target, *old, why);
    }
    result.reason += result.keptCopy.empty()
                         ? " and no copy of its old contents could be kept: " + why
                         : "; its old contents are kept in " + result.keptCopy;
    return result;
}

// Rewrites the existing regular file at `target` in place, only after the announcement and
// once the new size is reserved on the disk.
SaveResult writeInPlace(const std::string &target, std::string_view bytes, int whyNotReplaced,
                        const SaveOptions &options)
{
    Descriptor fd(openRegular(target, O_RDWR));
    if (fd.get() < 0 && errno != ENODEV) {
        fd.reset(openRegular(target, O_WRONLY)); // a file this user may write but not read
    }
    if (fd.get() < 0) {
        // There is no file to write in place, or it refuses too: the first refusal says why.
        return {SaveResult::Outcome::Failed, reason("Cannot write", target, whyNotReplaced), {}};
    }
    const std::string why = "it could not be replaced (" + errorText(whyNotReplaced) + ")";
    if (options.announceInPlace && !options.announceInPlace(why)) {
        return {SaveResult::Outcome::Declined, why, {}};
    }
    std::string oldBytes;
    const bool restorable = readWhole(fd.get(), oldBytes);
    struct stat before
    {
    };
    const bool sized = ::fstat(fd.get(), &before) == 0;
    if (const int error = reserve(fd.get(), bytes.size()); error != 0) {
        // A reservation never changes the bytes, at most the length: put that back too.
        if (sized) {
            (void)::ftruncate(fd.get(), before.st_size);
        }
        return {SaveResult::Outcome::Failed,
                reason("Cannot write", target, error) + " (the file was not changed)",
                {}};
    }
    if (options.afterReserve) {
        options.afterReserve();
    }
    int error = rewrite(fd.get(), bytes);
    if (error != 0) {
        return afterTornWrite(target, fd.get(), restorable ? &oldBytes : nullptr, error);
    }
    if (fd.close() != 0) {
        return {SaveResult::Outcome::Damaged,
                reason("Cannot write", target, errno) + ". The file may be damaged",
                {}};
    }
    return {SaveResult::Outcome::WrittenInPlace, why, {}};
}

// Puts `temporary` at `target`: over it, or only where nothing stands when `createOnly`.
int moveIntoPlace(const std::string &temporary, const std::string &target, bool createOnly)
{
    if (!createOnly) {
        return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
    }
    // Never replaces an existing entry. File systems without that kind of rename get a hard
    // link, which never replaces one either; the temporary name then goes.
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    const int error = ::link(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
    ::unlink(temporary.c_str());
    return error;
}

// Gives the new file the old one's mode and owner (where this user may give it; root may), or
// the mode a new file gets.
int takeOverMode(int fd, const struct stat *old)
{
    if (old != nullptr) {
        if (::fchown(fd, old->st_uid, old->st_gid) != 0 && errno != EPERM) {
            return errno;
        }
        return ::fchmod(fd, old->st_mode & 07777) == 0 ? 0 : errno;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
}

// Reserves, writes, flushes and names the new file; 0 or the errno of the first failure.
int fillStaged(StagedFile &staged, std::string_view bytes, const struct stat *old)
{
    int error = takeOverMode(staged.fd(), old);
    if (error == 0) {
        error = reserve(staged.fd(), bytes.size());
    }
    if (error == 0) {
        error = writeAll(staged.fd(), bytes);
    }
    if (error == 0 && ::fsync(staged.fd()) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = staged.publish();
    }
    if (staged.close() != 0 && error == 0) {
        error = errno;
    }
    return error;
}

SaveResult saveResolved(const std::string &target, std::string_view bytes,
                        const SaveOptions &options)
{
    struct stat old
    {
    };
    const bool existed = ::lstat(target.c_str(), &old) == 0;
    if (existed && options.createOnly) {
        return {SaveResult::Outcome::AlreadyThere, {}, {}};
    }
    if (existed && !S_ISREG(old.st_mode)) {
        return {SaveResult::Outcome::Failed, reason("Cannot write", target, ENODEV), {}};
    }
    const std::string folder = folderOf(target);
    file_detail::removeStaleTemporaries(folder);

    StagedFile staged;
    if (!staged.create(folder)) {
        const int error = errno;
        if (existed && replaceImpossibleReason(error)) {
            return writeInPlace(target, bytes, error, options);
        }
        return {SaveResult::Outcome::Failed, reason("Cannot write", target, error), {}};
    }
    int error = fillStaged(staged, bytes, existed ? &old : nullptr);
    if (error == 0 && options.beforeReplace) {
        options.beforeReplace();
    }
    if (error == 0) {
        error = moveIntoPlace(staged.name(), target, options.createOnly);
        if (error == 0) {
            staged.release(); // renamed (or linked and removed): the name is gone
            flushFolder(folder);
            return {SaveResult::Outcome::Replaced, {}, {}};
        }
        if (options.createOnly && error == EEXIST) {
            return {SaveResult::Outcome::AlreadyThere, {}, {}};
        }
    }
    if (existed && (error == EBUSY || error == EXDEV)) {
        return writeInPlace(target, bytes, error, options);
    }
    return {SaveResult::Outcome::Failed, reason("Cannot write", target, error), {}};
}

} // namespace

SaveResult saveFile(const std::string &path, std::string_view bytes, const SaveOptions &options)
{
    try {
        std::string target;
        int error = 0;
        bool planted = false;
        if (!file_detail::finalTarget(path, target, error, planted)) {
            std::string why = reason("Cannot write", path, error);
            if (planted) {
                why += " (a link there belongs to another user of a shared folder)";
            }
            return {SaveResult::Outcome::Failed, why, {}};
        }
        SaveResult result = saveResolved(target, bytes, options);
        if (target != path && !result.ok()) {
            result.reason += " (the file " + path + " leads to)";
        }
        return result;
    } catch (const std::exception &failure) {
        return {SaveResult::Outcome::Failed, "Cannot write " + path + ": " + failure.what(), {}};
    }
}

std::string writeFileAtomically(const std::string &path, std::string_view bytes)
{
    SaveResult result = saveFile(path, bytes);
    return result.ok() ? std::string() : result.reason;
}

std::string keepCopyBeside(const std::string &path, std::string_view bytes, std::string &why)
{
    SaveOptions createOnly;
    createOnly.createOnly = true;
    // A name of 255 bytes (the usual limit) leaves no room for the suffix: it is shortened.
    constexpr std::size_t kMaxNameBytes = 255;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    for (int number = 0; number < 1000; ++number) {
        const std::string suffix = number > 0 ? ".damaged." + std::to_string(number) : ".damaged";
        std::string name = path;
        if (name.size() - nameStart + suffix.size() > kMaxNameBytes) {
            name.resize(nameStart + kMaxNameBytes - suffix.size());
        }
        name += suffix;
        if (pathExists(name)) {
            continue;
        }
        const SaveResult result = saveFile(name, bytes, createOnly);
        if (result.outcome == SaveResult::Outcome::Replaced) {
            return name;
        }
        if (result.outcome != SaveResult::Outcome::AlreadyThere) {
            why = result.reason;
            return {};
        }
    }
    why = "Cannot keep a copy of " + path + ": every name for it is taken";
    return {};
}

} // namespace ferrolux
