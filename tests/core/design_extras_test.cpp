// The extension block after record 30 of the last-run file: defaults without it, a round trip
// that keeps unknown keys, values that do not read, and the 30 records left as they were.

#include "default_files.h"
#include "design_extras.h"
#include "last_run_file.h"

#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

namespace ferrolux {
namespace {

const std::string kMarker = "[Ferrolux extras]\r\n";

DesignExtras someExtras()
{
    DesignExtras e;
    e.thermal = {-12.5, InsulationClass::F, 0, 2.75, 0.01};
    e.loads[0] = {LoadKind::FullWaveCtCapacitor, "0.120"};
    e.loads[5] = {LoadKind::BridgeChoke, "1e-3"};
    e.unknown = {{"panel_visible", "1"}, {"note", "two, with a comma"}, {"empty", ""}};
    return e;
}

TEST(DesignExtras, RoundTripAfterThirtyUnchangedRecords)
{
    const std::string thirty = exampleLastRunFileBytes();
    const DesignExtras extras = someExtras();
    const std::string file = thirty + designExtrasBytes(extras);
    EXPECT_EQ(file.substr(thirty.size(), kMarker.size()), kMarker);
    EXPECT_EQ(readDesignExtras(file), extras);
    // A reader of 30 records reads the same run from the longer file.
    const LastRunLoad load = readLastRun(file);
    EXPECT_TRUE(load.complete()) << load.failure;
    EXPECT_EQ(load.values, exampleLastRun());
}

TEST(DesignExtras, MissingOrForeignBlockReadsAsDefaults)
{
    const std::string thirty = exampleLastRunFileBytes();
    const std::string cases[] = {
        thirty,
        thirty.substr(0, thirty.size() / 2), // a short file
        thirty + "ambient_c=20\r\n",         // no marker
        thirty + "\r\n" + kMarker + "ambient_c=20\r\n",
        "",
    };
    for (const std::string &file : cases) {
        EXPECT_EQ(readDesignExtras(file), DesignExtras{}) << file.size();
    }
}

TEST(DesignExtras, ValuesThatDoNotReadAreDefaults)
{
    // Record of the block, and what it leaves (the rest at the defaults).
    const ThermalInputs d;
    const std::tuple<const char *, ThermalInputs, LoadKind> cases[] = {
        {"ambient_c=100", {100, d.insulationClass, 10, 0, 0.9}, LoadKind::AC},
        {"ambient_c=100.5", d, LoadKind::AC},
        {"ambient_c=-51", d, LoadKind::AC},
        {"ambient_c=1e1", d, LoadKind::AC},
        {"ambient_c= 20", d, LoadKind::AC},
        {"hot_spot_k=50", {40, d.insulationClass, 50, 0, 0.9}, LoadKind::AC},
        {"hot_spot_k=nan", d, LoadKind::AC},
        {"core_loss_w=10001", d, LoadKind::AC},
        {"core_loss_w=-0.5", d, LoadKind::AC},
        {"emissivity=0.009", d, LoadKind::AC},
        {"emissivity=1", {40, d.insulationClass, 10, 0, 1}, LoadKind::AC},
        {"insulation_class=b", {40, InsulationClass::B, 10, 0, 0.9}, LoadKind::AC},
        {"insulation_class=Z", d, LoadKind::AC},
        {"load_kind_1=bridge-capacitor", d, LoadKind::BridgeCapacitor},
        {"load_kind_1=Bridge-Capacitor", d, LoadKind::AC},
        {"load_kind_1=", d, LoadKind::AC}};
    for (const auto &[record, thermal, kind] : cases) {
        const std::string file =
            exampleLastRunFileBytes() + kMarker + "insulation_class=H\r\n" + record + "\r\n";
        DesignExtras expected;
        expected.thermal = thermal;
        if (std::string(record).starts_with("insulation_class") == false) {
            expected.thermal.insulationClass = InsulationClass::H;
        }
        expected.loads[0].kind = kind;
        EXPECT_EQ(readDesignExtras(file), expected) << record;
    }
}

TEST(DesignExtras, UnknownKeysAreKeptInOrderAndLastKnownValueWins)
{
    const std::string file = exampleLastRunFileBytes() + kMarker +
                             "zeta=1\r\nambient_c=20\r\nno equals sign\r\n\"alpha=x, y\"\r\n"
                             "zeta=2\r\nambient_c=30\r\ndc_current_6=2.5 A\r\n";
    const DesignExtras e = readDesignExtras(file);
    const std::vector<std::pair<std::string, std::string>> unknown = {
        {"zeta", "1"}, {"alpha", "x, y"}, {"zeta", "2"}};
    EXPECT_EQ(e.unknown, unknown);
    EXPECT_EQ(e.thermal.ambientC, 30);
    EXPECT_EQ(e.loads[5].dcCurrent, "2.5 A");
    const std::string written = designExtrasBytes(e);
    EXPECT_NE(written.find("\"alpha=x, y\"\r\nzeta=2\r\n"), std::string::npos) << written;
}

} // namespace
} // namespace ferrolux
