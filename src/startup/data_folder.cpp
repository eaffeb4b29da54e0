#include "data_folder.h"

#include <filesystem>
#include <system_error>

namespace ferrolux {

ProgramFolders chooseProgramFolders(const std::string &appFolder, char separator,
                                    std::string_view userDataFolder, const PathExists &exists)
{
    const ProgramFolders portable{appFolder, appFolder, false};
    if (exists(appFolder + kLayoutMarkerPicture)) {
        return portable;
    }
    std::string sharedPictures = appFolder;
    for (const char *part : {"..", "share", "ferrolux"}) {
        sharedPictures += part;
        sharedPictures += separator;
    }
    // Without a user data folder there is nowhere to keep the data but beside the program.
    if (userDataFolder.empty() || !exists(sharedPictures + kLayoutMarkerPicture)) {
        return portable;
    }
    std::string dataFolder(userDataFolder);
    if (dataFolder.back() != separator) {
        dataFolder += separator;
    }
    return ProgramFolders{sharedPictures, dataFolder, true};
}

std::string makeDataFolder(const std::string &folder)
{
    std::error_code error;
    const std::filesystem::path path(folder);
    std::filesystem::create_directories(path, error);
    if (std::filesystem::is_directory(path)) {
        return {};
    }
    return error ? error.message() : std::string("Not a folder.");
}

} // namespace ferrolux
