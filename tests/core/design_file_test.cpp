// A design's file: the 30 records as Close always wrote them, then the extension block with what
// the design holds beyond them (thermal inputs, rectifier loads, supplies, the bench slots, keys
// of later versions), read back whole; a short file says where it stopped. The block itself:
// known keys read into the checks' inputs, values that do not read kept as written and
// reported, everything else written back byte for byte, and the writer's output read back
// whole (a round trip over random blocks).

#include "default_files.h"
#include "design.h"
#include "design_extras.h"
#include "hand_worked_bench.h"
#include "supply_parts.h"
#include "worked_example_input.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace ferrolux {
namespace {

using namespace testing_support;

Design workedExample()
{
    Design design;
    design.run = exampleLastRun();
    return design;
}

SecondarySupply bridgeChoke(double a)
{
    return {50, RectifierCircuit::Bridge, preset("1N4007"), {choke(100, 100), cap(100)}, amps(a)};
}

TEST(DesignFile, WhatGoesBeyondTheThirtyRecordsReadsBackFromTheBlock)
{
    struct Case
    {
        const char *name;
        void (*change)(Design &);
        std::string_view record; // a record the block must hold ("" for no block)
        std::size_t supplyProblems;
    };
    const Case cases[] = {
        {"nothing beyond the records", [](Design &) {}, "", 0},
        {"a hotter chassis", [](Design &d) { d.extras.thermal.ambientC = 55; }, "ambient_c=55", 0},
        {"a rectifier load",
         [](Design &d) {
             d.extras.loads[2] = {LoadKind::BridgeChoke, "0.25"};
         },
         "load_kind_3=bridge-choke", 0},
        {"a key of a later version", [](Design &d) { d.extras.keptRecords = "future_key=7\r\n"; },
         "future_key=7", 0},
        {"a supply alone", [](Design &d) { d.supplies[0] = bridgeChoke(0.1); },
         "supply1_circuit=bridge", 0},
        {"two supplies and a hotter chassis",
         [](Design &d) {
             d.supplies[0] = {
                 60, RectifierCircuit::FullWaveCentreTap, valve("5U4G"), {cap(10)}, ohms(5000)};
             d.supplies[3] = bridgeChoke(0.5);
             d.extras.thermal.ambientC = 55;
         },
         "supply4_load_a=0.5", 0},
        {"a supply that did not read, kept for another secondary",
         [](Design &d) {
             d.supplies[1] = bridgeChoke(0.05);
             d.extras.keptRecords = "supply3_circuit=triple\r\n";
         },
         "supply3_circuit=triple", 1},
        {"the bench slots and a later version's key",
         [](Design &d) {
             addBench(d);
             d.extras.keptRecords = "later_key=1\r\n";
         },
         "rise_secondary_4_hot_ohms=0.55", 0},
        {"the bench slots", addBench, "valves=EL34*2, 12AX7*3", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Design design = workedExample();
        c.change(design);
        const std::string bytes = designFileBytes(design);
        // The 30 records as Close always wrote them open every saved design; a design with
        // nothing more is those records alone.
        const std::string thirty = lastRunFileBytes(design.run);
        ASSERT_EQ(bytes.substr(0, thirty.size()), thirty);
        EXPECT_EQ(bytes.size() > thirty.size(), !c.record.empty());
        EXPECT_EQ(bytes.find(std::string(kDesignExtrasMarker) + "\r\n") == thirty.size(),
                  !c.record.empty());
        if (!c.record.empty()) {
            EXPECT_NE(bytes.find("\r\n" + std::string(c.record) + "\r\n"), std::string::npos);
        }
        const DesignFileRead read = readDesignFile(bytes);
        EXPECT_TRUE(read.complete());
        EXPECT_EQ(read.design, design);
        EXPECT_EQ(designFileBytes(read.design), bytes);
        EXPECT_EQ(designProblems(read.design).size(), c.supplyProblems);
    }
}

TEST(DesignFile, ASupplySetLaterReplacesTheRecordsThatDidNotRead)
{
    const std::string bytes = lastRunFileBytes(workedExample().run) +
                              std::string(kDesignExtrasMarker) +
                              "\r\nsupply2_circuit=triple\r\nsupply2_filter=c:10\r\n";
    DesignFileRead read = readDesignFile(bytes);
    ASSERT_FALSE(read.design.supplies[1]);
    const std::vector<std::string> problems = designProblems(read.design);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("The supply of secondary 2 does not read"), std::string::npos)
        << problems[0];
    // Saved unchanged while the secondary has no supply, and replaced, not doubled, once it has.
    EXPECT_NE(designFileBytes(read.design).find("supply2_circuit=triple\r\n"), std::string::npos);
    read.design.supplies[1] = bridgeChoke(0.1);
    const std::string saved = designFileBytes(read.design);
    EXPECT_EQ(saved.find("triple"), std::string::npos);
    EXPECT_EQ(readDesignFile(saved).design.supplies, read.design.supplies);
}

TEST(DesignFile, AShortFileSaysWhereItStoppedAndKeepsWhatWasRead)
{
    for (const auto &[records, primaryVoltage] : {std::pair{0, ""}, {2, "117"}, {29, "117"}}) {
        SCOPED_TRACE(records);
        std::vector<std::string> kept = workedExampleRecords();
        kept.resize(static_cast<std::size_t>(records));
        const DesignFileRead read = readDesignFile(joinRecords(kept));
        EXPECT_FALSE(read.complete());
        EXPECT_EQ(read.recordsRead, records);
        EXPECT_FALSE(read.failure.empty());
        EXPECT_EQ(read.design.run.primaryVoltage, primaryVoltage);
        EXPECT_EQ(read.design.extras, DesignExtras{});
    }
}

const std::string kMarker = "[Ferrolux extras]\r\n";

std::string withBlock(const std::string &records)
{
    return exampleLastRunFileBytes() + kMarker + records;
}

// Saving twice: what a file holds after two Close-and-reopen rounds.
std::string savedTwice(const std::string &records)
{
    const std::string once = designExtrasBytes(readDesignExtras(withBlock(records)));
    return designExtrasBytes(readDesignExtras(exampleLastRunFileBytes() + once));
}

TEST(DesignExtras, RoundTripAfterThirtyUnchangedRecordsAndDefaultsWithoutTheBlock)
{
    DesignExtras e;
    e.thermal = {-12.5, InsulationClass::F, 0, 2.75, 0.01};
    e.loads[0] = {LoadKind::FullWaveCtCapacitor, "0.120"};
    e.loads[5] = {LoadKind::BridgeChoke, "1,5 mA"};
    e.keptRecords = "panel_visible=1\r\nnote=two, with a comma\r\nempty=\r\n";
    const std::string thirty = exampleLastRunFileBytes();
    const std::string file = thirty + designExtrasBytes(e);
    EXPECT_EQ(file.substr(thirty.size(), kMarker.size()), kMarker);
    EXPECT_EQ(readDesignExtras(file), e);
    for (const std::string &bytes :
         {thirty, thirty.substr(0, thirty.size() / 2),
          thirty + "ambient_c=20\r\n", // no marker
          thirty + "\r\n" + kMarker + "ambient_c=20\r\n", std::string()}) {
        EXPECT_EQ(readDesignExtras(bytes), DesignExtras{}) << bytes.size();
    }
}

// Each record follows "insulation_class=H". A value that reads sets its item; one that does not
// leaves the default, keeps its record as written, and is reported.
TEST(DesignExtras, AValueThatDoesNotReadIsKeptAsWrittenAndReported)
{
    const InsulationClass H = InsulationClass::H;
    const std::pair<const char *, ThermalInputs> reads[] = {
        {"ambient_c=100", {.ambientC = 100, .insulationClass = H}},
        {"hot_spot_k=50", {.insulationClass = H, .hotSpotAllowanceK = 50}},
        {"emissivity=1", {.insulationClass = H, .emissivity = 1}},
        {"insulation_class=b", {.insulationClass = InsulationClass::B}},
        {"\"ambient_c=20\"", {.ambientC = 20, .insulationClass = H}}, // quoted by old versions
    };
    for (const auto &[record, thermal] : reads) {
        const DesignExtras e =
            readDesignExtras(withBlock("insulation_class=H\r\n" + std::string(record) + "\r\n"));
        EXPECT_EQ(e.thermal, thermal) << record;
        EXPECT_TRUE(e.unreadRecords.empty()) << record;
    }
    for (const char *record :
         {"ambient_c=25,5", "ambient_c=100.5", "hot_spot_k=nan", "core_loss_w=10001",
          "emissivity=0.009", "load_kind_1=Bridge-Capacitor", "load_kind_1=", "insulation_class=Z",
          "\"ambient_c=25,5\""}) {
        SCOPED_TRACE(record);
        const DesignExtras e = readDesignExtras(withBlock(std::string(record) + "\r\n"));
        EXPECT_EQ(e.thermal, ThermalInputs{});
        EXPECT_EQ(e.loads[0].kind, LoadKind::AC);
        const std::vector<std::string> problems = designExtrasProblems(e);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_TRUE(problems[0].starts_with(record)) << problems[0];
        const std::string written = savedTwice(std::string(record) + "\r\n");
        EXPECT_NE(written.find("\r\n" + std::string(record) + "\r\n"), std::string::npos)
            << written;
        EXPECT_TRUE(e.keptRecords.empty());
    }
    EXPECT_EQ(readDesignExtras(withBlock("load_kind_1=bridge-capacitor\r\n")).loads[0].kind,
              LoadKind::BridgeCapacitor);
}

// The last record of a key wins, a good value after a bad one clears the problem, and a value
// given afterwards (the panel) replaces the record that did not read.
TEST(DesignExtras, TheLastRecordWinsAndANewValueReplacesOneThatDidNotRead)
{
    EXPECT_EQ(readDesignExtras(withBlock("ambient_c=x\r\nambient_c=30\r\n")).thermal.ambientC, 30);
    EXPECT_TRUE(
        readDesignExtras(withBlock("ambient_c=x\r\nambient_c=30\r\n")).unreadRecords.empty());
    DesignExtras e = readDesignExtras(withBlock("ambient_c=30\r\nambient_c=25,5\r\n"));
    EXPECT_EQ(e.thermal.ambientC, ThermalInputs{}.ambientC);
    EXPECT_EQ(designExtrasProblems(e).size(), 1u);
    e.thermal.ambientC = 30;
    const std::string written = designExtrasBytes(e);
    EXPECT_NE(written.find("\r\nambient_c=30\r\n"), std::string::npos) << written;
    EXPECT_EQ(written.find("25,5"), std::string::npos) << written;
}

// Records this version does not understand come back byte for byte after two saves, whatever
// they hold, and however many there are.
TEST(DesignExtras, RecordsNotUnderstoodAreWrittenBackByteForByte)
{
    const std::string records[] = {
        "future_key=hello, world",
        "x=\"a,b\"",
        "\"alpha=x, y\"",
        "no equals sign",
        "",
        "  leading=blanks",
        "latin1=caf\xE9",
        "long=" + std::string(70000, 'L'),
    };
    for (const std::string &record : records) {
        SCOPED_TRACE(record.substr(0, 40));
        const std::string block = "zeta=1\r\n" + record + "\r\nambient_c=25\r\n";
        const DesignExtras e = readDesignExtras(withBlock(block));
        EXPECT_EQ(e.thermal.ambientC, 25);
        EXPECT_EQ(e.keptRecords, "zeta=1\r\n" + record + "\r\n");
        const std::string written = savedTwice(block);
        EXPECT_TRUE(written.ends_with("\r\nzeta=1\r\n" + record + "\r\n")) << written.size();
    }
    // 100,001 unknown keys, and a known one after them.
    std::string many;
    for (int i = 0; i <= 100000; ++i) {
        many += 'k';
        many += std::to_string(i);
        many += "=v\r\n";
    }
    const DesignExtras e = readDesignExtras(withBlock(many + "ambient_c=25\r\n"));
    EXPECT_EQ(e.keptRecords, many);
    EXPECT_EQ(e.thermal.ambientC, 25);
    // Other line ends are read too; the records are written back with CR LF.
    EXPECT_EQ(readDesignExtras(withBlock("a=1\nb=2\rc=3")).keptRecords, "a=1\r\nb=2\r\nc=3\r\n");
}

// Random blocks of known, unknown, damaged and odd records: reading the writer's output gives
// what was read, and writing that again gives the same bytes.
TEST(DesignExtras, TheWriterOutputReadsBackWholeForRandomBlocks)
{
    // The pieces, separated by '|'.
    std::vector<std::string> pieces;
    std::istringstream list("ambient_c=|emissivity=|insulation_class=|load_kind_3=|dc_current_2=|"
                            "hot_spot_k=|core_loss_w=|future=|25|,|5|.|-|1e-1|\"|F|"
                            "full-wave-ct-capacitor| |=|\xE9|x|\r\n|\n|\r|[Ferrolux extras]");
    for (std::string piece; std::getline(list, piece, '|');) {
        pieces.push_back(piece);
    }
    ASSERT_EQ(pieces.size(), 25u);
    std::mt19937 random(16);
    for (int round = 0; round < 3000; ++round) {
        std::string block;
        const int length = static_cast<int>(random() % 30);
        for (int k = 0; k < length; ++k) {
            block += pieces[random() % pieces.size()];
        }
        SCOPED_TRACE(block);
        const DesignExtras first = readDesignExtras(withBlock(block));
        const std::string written = designExtrasBytes(first);
        const DesignExtras second = readDesignExtras(exampleLastRunFileBytes() + written);
        EXPECT_EQ(second, first);
        EXPECT_EQ(designExtrasBytes(second), written);
        EXPECT_EQ(designExtrasProblems(second), designExtrasProblems(first));
    }
}

} // namespace
} // namespace ferrolux
