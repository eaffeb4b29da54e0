#pragma once

// Running the report tool through its function for the tool's tests: the exit status and both
// streams, and a table runner for cases of arguments, status and an expected text.

#include "report_tool.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace ferrolux::testing_support {

struct ToolRun
{
    int status;
    std::string out, err;
};

inline ToolRun runTool(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    const int status = runReportTool(args, out, err);
    return {status, out.str(), err.str()};
}

// Arguments, exit status, a text in stdout (success) or in stderr (failure); the other stream
// stays empty (stdout on a failure, stderr on a success).
using ToolCase = std::tuple<std::vector<std::string>, int, std::string>;

inline void expectRuns(const std::vector<ToolCase> &cases)
{
    for (const auto &[args, status, text] : cases) {
        std::string name;
        for (const std::string &arg : args) {
            name += arg + " ";
        }
        const ToolRun r = runTool(args);
        EXPECT_EQ(r.status, status) << name << r.err;
        EXPECT_NE((status == 0 ? r.out : r.err).find(text), std::string::npos) << name << "\n"
                                                                               << r.out << r.err;
        EXPECT_EQ(r.out.empty(), status != 0) << name;
        EXPECT_EQ(r.err.empty(), status == 0) << name;
    }
}

} // namespace ferrolux::testing_support
