#pragma once

// Where the calculator's pictures and data files are. A copy that holds its construction
// pictures beside the program (the build folder, a portable copy) keeps its data files there
// too. An installed copy, whose pictures are in ../share/ferrolux/ relative to the program,
// keeps its data files in the user's application data folder instead, whoever runs it, so that
// it never writes into the installation. Kept free of the window toolkit so that the choice can
// be checked without a display.

#include <functional>
#include <string>
#include <string_view>

namespace ferrolux {

struct ProgramFolders
{
    std::string pictureFolder; // ends in a separator; the pictures are named from it
    std::string dataFolder;    // ends in a separator; the data files are named from it
    bool installed = false;    // true when the data folder is the user's, not the program's

    bool operator==(const ProgramFolders &) const = default;
};

// True when the named file exists.
using PathExists = std::function<bool(const std::string &path)>;

// The picture that tells a folder with pictures from one without.
inline constexpr const char *kLayoutMarkerPicture = "Transformer-1.jpg";

// Chooses the folders for a program folder `appFolder` (ending in `separator`, as appFolderFor
// forms it). `userDataFolder` is the per-user application data folder, with or without a
// separator at the end. A program folder that has neither layout's pictures keeps everything
// beside the program, as a build folder always has.
ProgramFolders chooseProgramFolders(const std::string &appFolder, char separator,
                                    std::string_view userDataFolder, const PathExists &exists);

// Creates `folder` and the folders above it where missing. Returns "" when it exists
// afterwards, otherwise the reason it could not be made.
std::string makeDataFolder(const std::string &folder);

} // namespace ferrolux
