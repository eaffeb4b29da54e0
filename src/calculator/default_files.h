#pragma once

// Contents a first start writes: the worked example and the default constants.

#include "last_run_file.h"

#include <string>

namespace ferrolux {

// The worked example as field texts (record 1 true).
LastRun exampleLastRun();

// The example last-run file exactly as a first start writes it: every record a text record
// ("3" and "1" for the type and the check box), the first one "True".
std::string exampleLastRunFileBytes();

// The default CONSTANT.DAT: descriptions and the values 2.5, 4.5, 1.5, 2.5.
std::string defaultConstantsFileBytes();

// Writes the example last-run file into `appFolder` (which ends in a separator), and
// CONSTANT.DAT only when nothing stands at that name: other programs share it and a user may
// have tuned it. Neither file is ever written over: one that appeared meanwhile (another start
// seeding at the same moment) is kept. No other file is written or deleted. Returns an empty
// string on success, otherwise a one-line reason naming the file.
std::string WriteDefaultFiles(const std::string &appFolder);

// First-start seeding: nothing when anything stands at the last-run file's name in `appFolder`
// (readable or not: pathExists), otherwise WriteDefaultFiles. Returns what WriteDefaultFiles
// returns.
std::string seedFirstStart(const std::string &appFolder);

} // namespace ferrolux
