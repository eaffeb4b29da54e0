#include "file_helpers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

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

namespace {

std::string reason(const std::string &action, const std::string &path, int errorNumber)
{
    return action + " " + path + ": " + std::strerror(errorNumber);
}

// Writes the bytes to a fresh file at `path`; returns an empty string or the failure reason.
// The file is left behind on failure; the caller removes it.
std::string writeWhole(const std::string &path, std::string_view bytes, bool &created)
{
    created = false;
    errno = 0;
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return reason("Cannot write", path, errno);
    }
    created = true;
    errno = 0;
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = written && std::fflush(file) == 0;
    const int writeError = errno;
    // fclose releases the file whatever it returns, so it runs on every path.
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    const int closeError = errno;
    if (!written || !flushed) {
        return reason("Cannot write", path, writeError != 0 ? writeError : EIO);
    }
    if (!closed) {
        return reason("Cannot write", path, closeError != 0 ? closeError : EIO);
    }
    return {};
}

} // namespace

std::string writeFileAtomically(const std::string &path, std::string_view bytes)
{
    try {
        const std::string temporary = path + ".new";
        bool created = false;
        std::string failure = writeWhole(temporary, bytes, created);
        if (failure.empty()) {
            std::error_code error;
            std::filesystem::rename(temporary, path, error);
            if (error) {
                failure = "Cannot replace " + path + ": " + error.message();
            }
        }
        if (!failure.empty() && created) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
        }
        return failure;
    } catch (const std::exception &error) {
        return "Cannot write " + path + ": " + error.what();
    }
}

} // namespace ferrolux
