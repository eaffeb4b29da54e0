#pragma once

// File-descriptor helpers shared by the file helpers' readers and savers (not for other use).

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace ferrolux::file_detail {

inline std::string errorText(int errorNumber)
{
    return errorNumber == ENODEV ? std::string("Not a regular file") : std::strerror(errorNumber);
}

inline std::string reason(const std::string &action, const std::string &path, int errorNumber)
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
inline int openRegular(const std::string &path, int access)
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
inline int writeAll(int fd, std::string_view bytes)
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

} // namespace ferrolux::file_detail
