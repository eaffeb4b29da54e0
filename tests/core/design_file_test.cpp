// A design's file: the 30 records as Close always wrote them, then the extension block with what
// the design holds beyond them (thermal inputs, rectifier loads, supplies, the bench slots, keys
// of later versions), read back whole; and a short file says where it stopped.

#include "default_files.h"
#include "design.h"
#include "supply_parts.h"
#include "worked_example_input.h"

#include <gtest/gtest.h>
#include <string>

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

void addBench(Design &design)
{
    design.measurements.emplace();
    design.measurements->windings[4] = WindingReading{0.5, 20, 0.55};
    design.measurements->calibration = {1.2, std::nullopt, 0.9};
    design.lamination = LaminationChoice{"EI96", {}, {}};
    design.lamination->conditions.stackCm = 3.2;
    design.valveList = "EL34*2, 12AX7*3";
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
        EXPECT_EQ(read.supplyProblems.size(), c.supplyProblems);
    }
}

TEST(DesignFile, ASupplySetLaterReplacesTheRecordsThatDidNotRead)
{
    const std::string bytes = lastRunFileBytes(workedExample().run) +
                              std::string(kDesignExtrasMarker) +
                              "\r\nsupply2_circuit=triple\r\nsupply2_filter=c:10\r\n";
    DesignFileRead read = readDesignFile(bytes);
    ASSERT_FALSE(read.design.supplies[1]);
    ASSERT_EQ(read.supplyProblems.size(), 1u);
    EXPECT_NE(read.supplyProblems[0].find("The supply of secondary 2 does not read"),
              std::string::npos)
        << read.supplyProblems[0];
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

} // namespace
} // namespace ferrolux
