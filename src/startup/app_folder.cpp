#include "app_folder.h"

#include "default_files.h"

#include <exception>

namespace ferrolux {

std::string appFolderFor(std::string_view executableFolder, char separator)
{
    std::string folder(executableFolder);
    folder += separator;
    return folder;
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
