// Saving a file whole and durably: a unique temporary file beside the target, flushed and
// renamed over it, the folder flushed; writing in place only where a replace is impossible.

#include "file_descriptor.h"
#include "file_helpers.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace ferrolux {

using file_detail::Descriptor;
using file_detail::errorText;
using file_detail::openRegular;
using file_detail::reason;
using file_detail::writeAll;

namespace {

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Follows `path` through links to the entry a write should replace. A link whose target is
// missing gives that target; a loop of links gives ELOOP.
bool finalTarget(const std::string &path, std::string &target, int &error)
{
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info
        {
        };
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true; // missing or not a link: this is the entry
        }
        std::array<char, 4096> buffer{};
        const ssize_t length = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<std::size_t>(length) >= buffer.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string link(buffer.data(), static_cast<std::size_t>(length));
        target = link.starts_with('/') ? link : folderOf(target) + "/" + link;
    }
    error = ELOOP;
    return false;
}

// A fresh file next to `target`, created exclusively and never through a link.
int createTemporary(const std::string &target, std::string &name)
{
    thread_local std::mt19937_64 generator{std::random_device{}() ^
                                           static_cast<std::uint64_t>(::getpid())};
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp-";
        for (int k = 0; k < 8; ++k) {
            name += kLetters[generator() % (sizeof kLetters - 1)];
        }
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              S_IRUSR | S_IWUSR);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

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

// Rewrites the existing regular file at `target` in place: truncate, write, flush.
// Unless `error` already says the file is unusable: writes `bytes`, forces them to the disk
// and closes the file. Returns the first error met (0 when all went well); the file is closed
// either way.
int writeSyncAndClose(Descriptor &fd, std::string_view bytes, int error)
{
    if (error == 0) {
        error = writeAll(fd.get(), bytes);
    }
    if (error == 0 && ::fsync(fd.get()) != 0) {
        error = errno;
    }
    if (fd.close() != 0 && error == 0) {
        error = errno;
    }
    return error;
}

SaveResult writeInPlace(const std::string &target, std::string_view bytes, int whyNotReplaced)
{
    Descriptor fd(openRegular(target, O_WRONLY));
    if (fd.get() < 0) {
        // There is no file to write in place, or it refuses too: the first refusal says why.
        return {SaveResult::Outcome::Failed, reason("Cannot write", target, whyNotReplaced)};
    }
    const int error = writeSyncAndClose(fd, bytes, ::ftruncate(fd.get(), 0) == 0 ? 0 : errno);
    if (error != 0) {
        return {SaveResult::Outcome::Failed, reason("Cannot write", target, error)};
    }
    return {SaveResult::Outcome::WrittenInPlace,
            "it could not be replaced (" + errorText(whyNotReplaced) + ")"};
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

SaveResult saveResolved(const std::string &target, std::string_view bytes,
                        const SaveOptions &options)
{
    struct stat old
    {
    };
    const bool existed = ::lstat(target.c_str(), &old) == 0;
    if (existed && options.createOnly) {
        return {SaveResult::Outcome::AlreadyThere, {}};
    }
    if (existed && !S_ISREG(old.st_mode)) {
        return {SaveResult::Outcome::Failed, reason("Cannot write", target, ENODEV)};
    }

    std::string temporary;
    Descriptor fd(createTemporary(target, temporary));
    if (fd.get() < 0) {
        const int error = errno;
        if (existed && replaceImpossibleReason(error)) {
            return writeInPlace(target, bytes, error);
        }
        return {SaveResult::Outcome::Failed, reason("Cannot write", target, error)};
    }

    int error = 0;
    if (existed) {
        // The old file's mode, and its owner where this user may give it (root may).
        if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0 && errno != EPERM) {
            error = errno;
        }
        if (error == 0 && ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
            error = errno;
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd.get(), 0666 & ~mask) != 0) {
            error = errno;
        }
    }
    error = writeSyncAndClose(fd, bytes, error);
    if (error == 0 && options.beforeReplace) {
        options.beforeReplace();
    }
    if (error == 0) {
        error = moveIntoPlace(temporary, target, options.createOnly);
        if (error == 0) {
            flushFolder(folderOf(target));
            return {SaveResult::Outcome::Replaced, {}};
        }
        if (options.createOnly && error == EEXIST) {
            ::unlink(temporary.c_str());
            return {SaveResult::Outcome::AlreadyThere, {}};
        }
    }
    ::unlink(temporary.c_str());
    if (existed && (error == EBUSY || error == EXDEV)) {
        return writeInPlace(target, bytes, error);
    }
    return {SaveResult::Outcome::Failed, reason("Cannot write", target, error)};
}

} // namespace

SaveResult saveFile(const std::string &path, std::string_view bytes, const SaveOptions &options)
{
    try {
        std::string target;
        int error = 0;
        if (!finalTarget(path, target, error)) {
            return {SaveResult::Outcome::Failed, reason("Cannot write", path, error)};
        }
        SaveResult result = saveResolved(target, bytes, options);
        if (target != path && result.outcome == SaveResult::Outcome::Failed) {
            result.reason += " (the file " + path + " leads to)";
        }
        return result;
    } catch (const std::exception &failure) {
        return {SaveResult::Outcome::Failed, "Cannot write " + path + ": " + failure.what()};
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
    for (int number = 0; number < 1000; ++number) {
        const std::string suffix = number > 0 ? ".damaged." + std::to_string(number) : ".damaged";
        const std::string name = path + suffix;
        if (pathExists(name)) {
            continue;
        }
        const SaveResult result = saveFile(name, bytes, createOnly);
        if (result.outcome == SaveResult::Outcome::Replaced) {
            return name;
        }
        if (result.outcome == SaveResult::Outcome::Failed) {
            why = result.reason;
            return {};
        }
    }
    why = "Cannot keep a copy of " + path + ": every name for it is taken";
    return {};
}

} // namespace ferrolux
