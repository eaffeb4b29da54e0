// The bench slots of a design in its file and in its evaluation: kept as records of the
// extension block beside what the block already holds, absent from the bytes of a design that
// does not use them, and worked out with every evaluation.

#include "default_files.h"
#include "design.h"
#include "design_bench.h"
#include "evaluation.h"

#include <gtest/gtest.h>

namespace ferrolux {
namespace {

Design exampleDesign()
{
    Design design;
    design.run = exampleLastRun();
    return design;
}

Design withBench(Design design)
{
    design.measurements.emplace();
    design.measurements->windings[4] = WindingReading{0.5, 20, 0.55};
    design.measurements->calibration = {1.2, std::nullopt, 0.9};
    design.lamination = LaminationChoice{"EI96", {}, {}};
    design.lamination->conditions.stackCm = 3.2;
    design.valveList = "EL34*2, 12AX7*3";
    return design;
}

TEST(DesignBench, FileRoundTripBesideTheBlock)
{
    Design thermal = exampleDesign();
    thermal.extras.thermal.ambientC = 30;
    Design unknownKeys = exampleDesign();
    unknownKeys.extras.keptRecords = "later_key=1\r\n";
    const Design cases[] = {exampleDesign(), withBench(exampleDesign()), withBench(thermal),
                            withBench(unknownKeys), unknownKeys};
    for (const Design &design : cases) {
        const std::string bytes = designFileBytes(design);
        const DesignFileRead read = readDesignFile(bytes);
        ASSERT_TRUE(read.complete());
        EXPECT_EQ(read.design, design);
        EXPECT_EQ(designFileBytes(read.design), bytes);
    }
    // A design without them is saved as the 30 records alone, byte for byte.
    EXPECT_EQ(designFileBytes(exampleDesign()), lastRunFileBytes(exampleLastRun()));
    // The records follow the marker after record 30.
    const std::string bytes = designFileBytes(withBench(exampleDesign()));
    const std::string records = lastRunFileBytes(exampleLastRun());
    ASSERT_EQ(bytes.compare(0, records.size(), records), 0);
    EXPECT_NE(bytes.find("[Ferrolux extras]\r\n", records.size()), std::string::npos);
    EXPECT_NE(bytes.find("\r\nrise_secondary_4_hot_ohms=0.55\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nvalves=EL34*2, 12AX7*3\r\n"), std::string::npos);
}

TEST(DesignBench, EvaluatedWithTheChecks)
{
    const Evaluation plain = evaluate(exampleDesign(), DissipationLimits{2.5, 4.5, 1.5, 2.5});
    ASSERT_TRUE(plain.ok());
    EXPECT_FALSE(plain.bench.rise);
    EXPECT_FALSE(plain.bench.lamination);
    ASSERT_TRUE(plain.bench.vaBudget);
    // Without supplies the budget's primary current is the analysis's own.
    const auto &budget = std::get<DesignVaBudget>(*plain.bench.vaBudget);
    EXPECT_NEAR(budget.budget.primaryAmps, plain.result->primaryCurrent,
                1e-9 * plain.result->primaryCurrent);

    const Evaluation bench =
        evaluate(withBench(exampleDesign()), DissipationLimits{2.5, 4.5, 1.5, 2.5});
    ASSERT_TRUE(bench.bench.rise && bench.bench.lamination);
    ASSERT_EQ(bench.bench.rise->calibrated.size(), 2U);
    // The calibrated McLyman row is 1.2 times the check's McLyman rise.
    const ModelEstimate &mcLyman = bench.checks.checks.thermal.models[0];
    EXPECT_NEAR(bench.bench.rise->calibrated[0].riseK, 1.2 * mcLyman.riseK, 1e-9);
    const auto hasLine = [](const Evaluation &e, std::string_view part) {
        for (const std::string &line : e.checkLines) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(hasLine(bench, "Calibrated McLyman (x 1.200)"));
    EXPECT_TRUE(hasLine(bench, "Lamination EI96"));
    EXPECT_TRUE(hasLine(plain, "Primary fuse"));
    // Other thermal inputs: the calibrated rows follow the new ambient.
    ThermalInputs warmer = bench.design.extras.thermal;
    warmer.ambientC += 10;
    const Evaluation again = withThermalInputs(bench, warmer);
    EXPECT_NEAR(again.bench.rise->calibrated[0].windingC,
                bench.bench.rise->calibrated[0].windingC + 10, 1e-6);
}

} // namespace
} // namespace ferrolux
