#include "file_helpers.h"

#include "file_descriptor.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ferrolux {

bool FileExists(const std::string &folder, const std::string &fileName)
{
    const std::string path = folder + fileName;
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    // Only a regular file (or a link to one) counts: a folder would open for reading too, and
    // a named pipe is never opened in a way that waits.
    const int fd = file_detail::openRegular(path, O_RDONLY);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
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

using file_detail::Descriptor;
using file_detail::errorText;
using file_detail::openRegular;

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
            result.reason = "File is larger than " + std::to_string(maxBytes) + " bytes";
            result.bytes.clear();
            return result;
        }
        result.bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    result.status = FileRead::Status::Read;
    return result;
}

} // namespace ferrolux
