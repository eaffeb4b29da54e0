#include "app_folder.h"

#include "default_files.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <exception>
#include <unistd.h>

namespace ferrolux {

std::string appFolderFor(std::string_view executableFolder, char separator)
{
    std::string folder(executableFolder);
    folder += separator;
    return folder;
}

std::optional<std::string> executableFolder(std::string &reason, const char *selfLink)
{
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink(selfLink, buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        reason = std::string("The program's own file cannot be found: ") +
                 (length < 0 ? std::strerror(errno) : "its name is too long");
        return std::nullopt;
    }
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        reason = "The program's own file has no folder: " + path;
        return std::nullopt;
    }
    path.resize(slash == 0 ? 1 : slash);
    return path;
}

std::string unusableFolderText(std::string_view folder, std::string_view reason)
{
    std::string text = "Ferrolux cannot use its program folder\n\n";
    text += folder;
    text += "\n\n";
    text += reason;
    text += "\n\nThe calculator cannot start. No file was written.";
    return text;
}

std::string seedingFailureText(std::string_view appFolder, std::string_view reason)
{
    std::string text = "Ferrolux could not set up its program folder\n\n";
    text += appFolder;
    text += "\n\n";
    text += reason.empty() ? std::string_view("Unknown error.") : reason;
    text += "\n\nThe calculator cannot start. Check that the folder can be written to.";
    return text;
}

std::string prepareAppFolder(const std::string &appFolder)
{
    std::string reason;
    try {
        reason = seedFirstStart(appFolder);
    } catch (const std::exception &error) {
        reason = error.what();
        if (reason.empty()) {
            reason = "Unexpected error.";
        }
    }
    return reason.empty() ? std::string() : seedingFailureText(appFolder, reason);
}

} // namespace ferrolux
