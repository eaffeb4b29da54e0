#pragma once

// The program folder and the first-start preparation of it, kept free of the window toolkit
// so that start-up can be checked without a display.

#include <string>
#include <string_view>

namespace ferrolux {

// The program folder as every file name is formed from it: the executable's folder followed
// by one separator, by plain concatenation. A folder that already ends in a separator (the
// root folder) keeps it, so "/" becomes "//", which still names the same folder.
std::string appFolderFor(std::string_view executableFolder, char separator);

// The message a user sees when the program folder could not be set up on a first start: it
// names the folder and the reason, and says that the calculator will not open.
std::string seedingFailureText(std::string_view appFolder, std::string_view reason);

// Seeds `appFolder` on a first start (nothing when it already holds the last-run file).
// Returns an empty string when the calculator can open, otherwise the text of
// seedingFailureText. A failure that escapes as an exception is reported the same way.
std::string prepareAppFolder(const std::string &appFolder);

} // namespace ferrolux
