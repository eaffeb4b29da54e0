#pragma once

// The command-line report tool as a function, so tests can run it without a process.

#include <ostream>
#include <string>
#include <vector>

namespace ferrolux {

// `args` are the command-line arguments without the program name. Writes the report (or
// the --eng texts) to `out` and messages to `err`; returns the process exit status:
// 0 success, 1 calculation refused, 2 usage error or unreadable file.
int runReportTool(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace ferrolux
