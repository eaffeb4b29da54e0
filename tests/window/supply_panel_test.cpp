// The Supply page in the main window: a supply set on the page goes into the design, Calculate
// shows its figures there, "Use the simulated current" writes the winding's RMS current into
// the secondary's field, Close saves the supply with the last run, and the next start has it
// back (a start that dropped the supply records would lose them on the following Close).

#include "check_panel.h"
#include "check_panel_loads.h"
#include "supply_editor.h"
#include "supply_page.h"
#include "window_fixture.h"

namespace ferrolux {
namespace {

using testing::MainUnderTest;
using testing::ProgramFolder;

TEST(SupplyPanel, ASupplySetOnThePageIsCalculatedUsedSavedAndRestored)
{
    // A supply on secondary 2 (how a supply reads, simulates and is written is the core's).
    const int row = 1;
    ProgramFolder folder(ProgramFolder::Example);
    SecondarySupplies expected{};
    {
        MainUnderTest main(folder);
        SupplyPage *page = main.window.checkPanel()->supplyPage();
        ASSERT_EQ(page->secondaryCount(), 4); // the example's four secondaries
        page->setCurrentSecondary(row);
        main.child<QCheckBox>("supplyEnabled")->click();
        expected = page->supplies();
        ASSERT_TRUE(expected[row]);
        EXPECT_EQ(main.window.form()->supplies(), expected);

        main.window.form()->calculate();
        const std::optional<Evaluation> &evaluation = main.window.form()->evaluation();
        ASSERT_TRUE(evaluation);
        ASSERT_EQ(evaluation->supplies.size(), 1u);
        const DesignSupplyResult &result = evaluation->supplies[0];
        ASSERT_TRUE(result.ok()) << *result.failure;
        EXPECT_TRUE(page->figuresText().contains(QStringLiteral("DC output")));
        main.click("useSimulatedCurrent");
        EXPECT_EQ(main.window.form()->secondaryCurrent(row),
                  windingCurrentText(result.figures.windingRmsA));
        main.click("CmdClose");
        ASSERT_EQ(main.quitCodes, std::vector{0});
    }
    EXPECT_NE(folder.read(kLastRunFileName).find("supply2_filter=c:47\r\n"), std::string::npos);
    // The next start has the supply back, and its Close keeps it.
    {
        MainUnderTest main(folder);
        EXPECT_EQ(main.window.form()->supplies(), expected);
        EXPECT_EQ(main.window.checkPanel()->supplyPage()->supplies(), expected);
        main.click("CmdClose");
    }
    EXPECT_EQ(readDesignFile(folder.read(kLastRunFileName)).design.supplies, expected);
}

} // namespace
} // namespace ferrolux
