#pragma once

// The program folder and the first-start preparation of it, kept free of the window toolkit
// so that start-up can be checked without a display.

#include <optional>
#include <string>
#include <string_view>

namespace ferrolux {

// The program folder as every file name is formed from it: the executable's folder followed
// by one separator, by plain concatenation. A folder that already ends in a separator (the
// root folder) keeps it, so "/" becomes "//", which still names the same folder.
std::string appFolderFor(std::string_view executableFolder, char separator);

// The folder of the running executable exactly as the system names it (its bytes, whatever
// their encoding), read from the link `selfLink` to the executable. nullopt with `reason` set
// when that link cannot be read; there is no other folder to fall back to.
std::optional<std::string> executableFolder(std::string &reason,
                                            const char *selfLink = "/proc/self/exe");

// The message a user sees when the program folder cannot be used at all (its name cannot be
// read or represented): names the folder as far as it is known, and the reason.
std::string unusableFolderText(std::string_view folder, std::string_view reason);

// The message a user sees when the program folder could not be set up on a first start: it
// names the folder and the reason, and says that the calculator will not open.
std::string seedingFailureText(std::string_view appFolder, std::string_view reason);

// Seeds `appFolder` on a first start (nothing when it already holds the last-run file).
// Returns an empty string when the calculator can open, otherwise the text of
// seedingFailureText. A failure that escapes as an exception is reported the same way.
std::string prepareAppFolder(const std::string &appFolder);

} // namespace ferrolux
