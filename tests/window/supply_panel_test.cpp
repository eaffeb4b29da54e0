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
    struct Case
    {
        int row;                    // the secondary, 0-based
        bool useCurrent;            // press "Use the simulated current"
        const char *expectedRecord; // in the saved block
    };
    const Case cases[] = {
        {0, true, "supply1_circuit=full-wave-ct"},
        {1, false, "supply2_filter=c:47"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.row);
        ProgramFolder folder(ProgramFolder::Example);
        SecondarySupplies expected{};
        {
            MainUnderTest main(folder);
            SupplyPage *page = main.window.checkPanel()->supplyPage();
            ASSERT_EQ(page->secondaryCount(), 4); // the example's four secondaries
            page->setCurrentSecondary(c.row);
            main.child<QCheckBox>("supplyEnabled")->click();
            expected = page->supplies();
            ASSERT_TRUE(expected[static_cast<std::size_t>(c.row)]);
            EXPECT_EQ(main.window.form()->supplies(), expected);

            main.window.form()->calculate();
            const std::optional<Evaluation> &evaluation = main.window.form()->evaluation();
            ASSERT_TRUE(evaluation);
            ASSERT_EQ(evaluation->supplies.size(), 1u);
            const DesignSupplyResult &result = evaluation->supplies[0];
            ASSERT_TRUE(result.ok()) << *result.failure;
            EXPECT_TRUE(page->figuresText().contains(QStringLiteral("DC output")));
            if (c.useCurrent) {
                main.click("useSimulatedCurrent");
                EXPECT_EQ(main.window.form()->secondaryCurrent(c.row),
                          windingCurrentText(result.figures.windingRmsA));
            }
            main.click("CmdClose");
            ASSERT_EQ(main.quitCodes, std::vector{0});
        }
        const std::string saved = folder.read(kLastRunFileName);
        EXPECT_NE(saved.find(std::string(c.expectedRecord) + "\r\n"), std::string::npos);
        // The next start has the supply back, and its Close keeps it.
        {
            MainUnderTest main(folder);
            EXPECT_EQ(main.window.form()->supplies(), expected);
            EXPECT_EQ(main.window.checkPanel()->supplyPage()->supplies(), expected);
            main.click("CmdClose");
        }
        EXPECT_EQ(readDesignFile(folder.read(kLastRunFileName)).design.supplies, expected);
    }
}

} // namespace
} // namespace ferrolux
