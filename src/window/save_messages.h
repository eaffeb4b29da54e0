#pragma once

// What the window tells the user about their files (a design, the last run): the question
// before a file is rewritten in place, the words for each way a save can end, and the notice
// for extension-block records that did not read.

#include "design.h"
#include "file_helpers.h"

#include <QString>
#include <functional>
#include <string>
#include <string_view>

namespace ferrolux {

// Writes bytes to a path and says how that went (saveFile by default).
using SaveFunction = std::function<SaveResult(const std::string &path, std::string_view bytes,
                                              const SaveOptions &options)>;
SaveResult saveWithOptions(const std::string &path, std::string_view bytes,
                           const SaveOptions &options);

// The question put before `path` is rewritten in place; `why` is the core's reason that it
// cannot be replaced whole.
QString inPlaceQuestion(const QString &path, const std::string &why);

// What to tell the user after a save of `path` (`what` names the content, "the design" or "the
// inputs"): "" when it was replaced whole; otherwise the rewrite in place, the user's Cancel
// (the file untouched), the failure (the file untouched) or the damage and where the old
// contents are kept.
QString saveOutcomeText(const QString &what, const QString &path, const SaveResult &result);

// One line for the status bar about the block records of `design` that did not read (kept as
// written, their defaults used), a secondary's supply among them (not used, its records kept):
// `source` names the file ("The last run", "AMP.DAT"). "" when every record read.
QString designNotice(const QString &source, const Design &design);

} // namespace ferrolux
