#include "file_helpers.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace ferrolux {

bool FileExists(const std::string &folder, const std::string &fileName)
{
    try {
        const std::string path = folder + fileName;
        if (path.empty()) {
            return false;
        }
        // On this platform a folder opens for reading as well, so insist on a regular file
        // (a link to one counts) before trying the open itself.
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error) || error) {
            return false;
        }
        std::ifstream file(path, std::ios::binary);
        return file.is_open();
    } catch (...) {
        return false;
    }
}

bool pathExists(const std::string &path)
{
    struct stat info
    {
    };
    if (::lstat(path.c_str(), &info) == 0) {
        return true;
    }
    return errno != ENOENT && errno != ENOTDIR;
}

bool isRegularFile(const std::string &path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

namespace {

std::string errorText(int errorNumber)
{
    return errorNumber == ENODEV ? std::string("Not a regular file") : std::strerror(errorNumber);
}

std::string reason(const std::string &action, const std::string &path, int errorNumber)
{
    return action + " " + path + ": " + errorText(errorNumber);
}

// A file descriptor closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }
    // Closes now and reports a failure of the close itself (a late write error).
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

// Opens `path` without blocking (a named pipe would wait for a writer) and without creating
// anything; returns -1 with errno set, ENODEV standing for "not a regular file".
int openRegular(const std::string &path, int access)
{
    const int fd = ::open(path.c_str(), access | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return -1;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = ENODEV;
        return -1;
    }
    // Regular files never block; clear the flag so that reads and writes behave as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return fd;
}

// Writes every byte, retrying short writes and interruptions; returns 0 or the errno.
int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

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
SaveResult writeInPlace(const std::string &target, std::string_view bytes, int whyNotReplaced)
{
    Descriptor fd(openRegular(target, O_WRONLY));
    if (fd.get() < 0) {
        // There is no file to write in place, or it refuses too: the first refusal says why.
        return {SaveResult::Outcome::Failed, reason("Cannot write", target, whyNotReplaced)};
    }
    int error = ::ftruncate(fd.get(), 0) == 0 ? 0 : errno;
    if (error == 0) {
        error = writeAll(fd.get(), bytes);
    }
    if (error == 0 && ::fsync(fd.get()) != 0) {
        error = errno;
    }
    if (fd.close() != 0 && error == 0) {
        error = errno;
    }
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
    if (error == 0) {
        error = writeAll(fd.get(), bytes);
    }
    if (error == 0 && ::fsync(fd.get()) != 0) {
        error = errno;
    }
    if (fd.close() != 0 && error == 0) {
        error = errno;
    }
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

FileRead readRegularFile(const std::string &path, std::size_t maxBytes)
{
    FileRead result;
    Descriptor fd(openRegular(path, O_RDONLY));
    if (fd.get() < 0) {
        const int error = errno;
        result.status = error == ENOENT ? FileRead::Status::Missing : FileRead::Status::Unreadable;
        result.reason = errorText(error);
        return result;
    }
    std::array<char, 65536> chunk{};
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            result.status = FileRead::Status::Unreadable;
            result.reason = errorText(errno);
            result.bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        if (result.bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            result.status = FileRead::Status::TooLarge;
            result.reason = "larger than " + std::to_string(maxBytes) + " bytes";
            result.bytes.clear();
            return result;
        }
        result.bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    result.status = FileRead::Status::Read;
    return result;
}

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
