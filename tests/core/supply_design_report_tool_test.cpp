// ferrolux-report on a design with supplies: --check ends with a section per supply, --json
// carries them as "supplies" with the figure keys, and a supply whose records do not read is
// told on standard error (its secondary simply has no section) while the rest is reported.

#include "default_files.h"
#include "report_tool.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace ferrolux {
namespace {

using testing_support::ScratchFolder;
using testing_support::writeBytes;

TEST(SupplyDesignReportTool, CheckAndJsonCarryEachSupplyAndTellOneThatDoesNotRead)
{
    ScratchFolder s;
    writeBytes(s.path("CONSTANT.DAT"), defaultConstantsFileBytes());
    const std::string block = "[Ferrolux extras]\r\n"
                              "supply1_mains_hz=60\r\nsupply1_circuit=full-wave-ct\r\n"
                              "supply1_valve=5U4G\r\nsupply1_filter=c:10\r\nsupply1_load_a=0.1\r\n"
                              "supply2_mains_hz=50\r\nsupply2_circuit=bridge\r\n"
                              "supply2_valve=6L6\r\nsupply2_filter=c:10\r\nsupply2_load_a=0.1\r\n";
    writeBytes(s.path("AMP.DAT"), exampleLastRunFileBytes() + block);
    struct Case
    {
        const char *mode;
        const char *wanted; // on standard output
    };
    for (const Case &c : {Case{"--check", "Supply of secondary 1: full-wave-ct, 5U4G valve"},
                          Case{"--json", "\"supplies\""}}) {
        std::ostringstream out, err;
        EXPECT_EQ(runReportTool({c.mode, s.path("AMP.DAT")}, out, err), 0) << err.str();
        EXPECT_NE(out.str().find(c.wanted), std::string::npos) << c.mode;
        EXPECT_EQ(out.str().find("Supply of secondary 2"), std::string::npos) << c.mode;
        EXPECT_NE(err.str().find("The supply of secondary 2 does not read"), std::string::npos)
            << err.str();
        if (std::string(c.mode) == "--json") {
            const auto json = nlohmann::json::parse(out.str());
            ASSERT_EQ(json.at("supplies").size(), 1u);
            const auto &supply = json.at("supplies").at(0);
            EXPECT_EQ(supply.at("secondary"), 1);
            // 350 V end to end, centre-tapped: 175 V a path, open circuit (the box is ticked).
            EXPECT_EQ(supply.at("vac"), 175.0);
            EXPECT_TRUE(supply.at("failure").is_null());
            EXPECT_GT(supply.at("dc_output_v").get<double>(), 0);
            EXPECT_LT(supply.at("dc_output_v").get<double>(), 175 * 1.4143);
            EXPECT_TRUE(supply.at("limits_known").get<bool>());
        }
    }
}

} // namespace
} // namespace ferrolux
