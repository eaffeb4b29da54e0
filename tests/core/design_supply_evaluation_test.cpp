// A design's supplies: saved in its file's extension block and read back unchanged beside the
// block's other records, evaluated with the design (the source worked out from its figures by
// hand below), their section at the end of the checks and their JSON, and the mains sweep
// following a supplied winding's simulation rather than the mains.

#include "default_files.h"
#include "design.h"
#include "evaluation.h"
#include "json_report.h"
#include "supply_check_lines.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace ferrolux {
namespace {

const DissipationLimits kFirstStartLimits{2.5, 4.5, 1.5, 2.5};

FilterPart cap(double uf)
{
    return {FilterPartKind::ShuntCapacitor, uf, 0, 0};
}
FilterPart choke(double h, double ohm)
{
    return {FilterPartKind::SeriesChoke, 0, h, ohm};
}

SecondarySupply bridgeChokeInput(double amps)
{
    SecondarySupply s;
    s.circuit = RectifierCircuit::Bridge;
    s.rectifier.kind = RectifierKind::SiliconPreset;
    s.rectifier.part = "1N4007";
    s.filter = {choke(100, 100), cap(100)};
    s.load = {SupplyLoadKind::ConstantCurrent, amps};
    return s;
}

SecondarySupply valveCapacitorInput()
{
    SecondarySupply s;
    s.mainsHz = 60;
    s.circuit = RectifierCircuit::FullWaveCentreTap;
    s.rectifier.kind = RectifierKind::Valve;
    s.rectifier.part = "5U4G";
    s.filter = {cap(10)};
    s.load = {SupplyLoadKind::Resistance, 5000};
    return s;
}

Design workedExample()
{
    Design design;
    design.run = exampleLastRun();
    return design;
}

TEST(DesignSupplyFile, SuppliesReadBackBesideTheBlocksOtherRecords)
{
    struct Case
    {
        const char *name;
        void (*change)(Design &);
    };
    const Case cases[] = {
        {"a supply alone", [](Design &d) { d.supplies[0] = bridgeChokeInput(0.1); }},
        {"two supplies and a hotter chassis",
         [](Design &d) {
             d.supplies[0] = valveCapacitorInput();
             d.supplies[3] = bridgeChokeInput(0.5);
             d.extras.thermal.ambientC = 55;
         }},
        {"a supply and a later version's key",
         [](Design &d) {
             d.supplies[1] = bridgeChokeInput(0.05);
             d.extras.keptRecords = "future_key=7\r\n";
         }},
        {"a supply that did not read, kept for another secondary",
         [](Design &d) {
             d.supplies[1] = bridgeChokeInput(0.05);
             d.extras.keptRecords = "supply3_circuit=triple\r\n";
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Design design = workedExample();
        c.change(design);
        const std::string bytes = designFileBytes(design);
        const std::string thirty = lastRunFileBytes(design.run);
        ASSERT_EQ(bytes.substr(0, thirty.size()), thirty);
        const DesignFileRead read = readDesignFile(bytes);
        EXPECT_TRUE(read.complete());
        EXPECT_EQ(read.design, design);
        EXPECT_EQ(designFileBytes(read.design), bytes);
        const bool keptBad = design.extras.keptRecords.starts_with("supply3");
        EXPECT_EQ(read.supplyProblems.size(), keptBad ? 1u : 0u);
    }
    // Without supplies the file is the 30 records alone, as before.
    EXPECT_EQ(designFileBytes(workedExample()), lastRunFileBytes(workedExample().run));
}

TEST(DesignSupplyFile, ASupplySetLaterReplacesTheRecordsThatDidNotRead)
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
    // Saved unchanged while the secondary has no supply...
    EXPECT_NE(designFileBytes(read.design).find("supply2_circuit=triple\r\n"), std::string::npos);
    // ...and replaced, not doubled, once it has one.
    read.design.supplies[1] = bridgeChokeInput(0.1);
    const std::string saved = designFileBytes(read.design);
    EXPECT_EQ(saved.find("triple"), std::string::npos);
    EXPECT_EQ(readDesignFile(saved).design.supplies, read.design.supplies);
}

TEST(DesignSupplyEvaluation, SourceSectionJsonAndMainsSweepFollowTheSupply)
{
    const Design plain = workedExample();
    Design supplied = plain;
    supplied.supplies[0] = bridgeChokeInput(0.1);
    const Evaluation without = evaluate(plain, kFirstStartLimits);
    const Evaluation with = evaluate(supplied, kFirstStartLimits);
    ASSERT_TRUE(without.ok() && with.ok());
    ASSERT_EQ(with.supplies.size(), 1u);
    const DesignSupplyResult &s = with.supplies[0];
    ASSERT_TRUE(s.ok()) << *s.failure;
    // Secondary 1 of the example: 350 V, 67.4 ohm, loading ticked; primary 117 V, 2.05 ohm.
    // The bridge's path is the whole winding: 67.4 + 2.05 * (350 / 117)^2 = 85.745 ohm.
    EXPECT_DOUBLE_EQ(s.circuit.windingVac, 350);
    EXPECT_NEAR(s.circuit.windingOhm, 85.745, 1e-3);
    // The report is the same; the checks hold the supply's section whole, after a blank line
    // (the bench's lines follow it).
    EXPECT_EQ(with.reportLines, without.reportLines);
    const std::vector<std::string> section = supplyCheckLines(with.supplies);
    const auto at =
        std::search(with.checkLines.begin(), with.checkLines.end(), section.begin(), section.end());
    ASSERT_NE(at, with.checkLines.end());
    EXPECT_EQ(section.front(), "");
    EXPECT_EQ(section.at(1), "Supply of secondary 1: bridge, 1N4007 diode");
    // The VA budget counts the supplied winding at its simulated RMS current, the others as
    // entered or found.
    ASSERT_TRUE(with.bench.vaBudget);
    const auto *budget = std::get_if<DesignVaBudget>(&*with.bench.vaBudget);
    ASSERT_NE(budget, nullptr);
    EXPECT_TRUE(budget->fromSupply.at(0));
    EXPECT_DOUBLE_EQ(budget->secondaryAmps.at(0), s.figures.windingRmsA);
    EXPECT_FALSE(budget->fromSupply.at(1));
    EXPECT_EQ(std::find_if(without.checkLines.begin(), without.checkLines.end(),
                           [](const std::string &l) { return l.starts_with("Supply"); }),
              without.checkLines.end());
    // The JSON carries "supplies" only when there are some.
    EXPECT_EQ(jsonReport(without).find("\"supplies\""), std::string::npos);
    const std::string json = jsonReport(with);
    EXPECT_NE(json.find("\"supplies\""), std::string::npos);
    EXPECT_NE(json.find("\"dc_output_v\""), std::string::npos);
    // A choke-input winding carries the constant load current whatever the mains, where the
    // resistance rule raises it with the mains: less heat above nominal, more below, the same
    // at nominal.
    const auto heat = [](const Evaluation &e, double percent) {
        for (const MainsPoint &p : e.checks.checks.mains) {
            if (p.percent == percent) {
                return p.heatW;
            }
        }
        return -1.0;
    };
    EXPECT_DOUBLE_EQ(heat(with, 0), heat(without, 0));
    EXPECT_LT(heat(with, 10), heat(without, 10));
    EXPECT_GT(heat(with, -10), heat(without, -10));
}

} // namespace
} // namespace ferrolux
