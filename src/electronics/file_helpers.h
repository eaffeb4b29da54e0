#pragma once

// Small file helpers shared by the calculators.

#include <string>
#include <string_view>

namespace ferrolux {

// True when the file named by `folder` followed directly by `fileName` (no separator is
// inserted) can be opened for reading as a file. Never throws; every failure gives false.
bool FileExists(const std::string &folder, const std::string &fileName);

// Writes `bytes` to `path` so that the old file is either kept intact or replaced whole: the
// bytes go to `path` + ".new" first, are flushed, and that file is then renamed over `path`.
// Returns an empty string on success, otherwise a one-line reason fit to show a user.
std::string writeFileAtomically(const std::string &path, std::string_view bytes);

} // namespace ferrolux
