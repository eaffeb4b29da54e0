// The Supply page driven through its typed API: every kind of supply shown by the editor reads
// back unchanged (a diode law's power-law term included), showing one is not an edit while a
// user's change is, and after a Calculate the page marks each broken limit, plots the steady
// cycle and at least 15 regulation points, and hands on the simulated current.

#include "supply_editor.h"
#include "supply_page.h"
#include "supply_plots.h"
#include "supply_records.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace ferrolux {
namespace {

using RC = RectifierCircuit;

constexpr auto &cap = shuntCapacitor;
constexpr auto &choke = seriesChoke;
constexpr auto &resistor = seriesResistor;

SecondarySupply supply(RC circuit, Rectifier rectifier, std::vector<FilterPart> filter,
                       SupplyLoad load, double hz = 50)
{
    return {hz, circuit, std::move(rectifier), std::move(filter), load};
}

TEST(SupplyEditor, ShowsEverySupplyReadsItBackAndTakesTheUsersChanges)
{
    const std::optional<SecondarySupply> cases[] = {
        std::nullopt,
        supply(RC::FullWaveCentreTap, {RectifierKind::Valve, "5U4G", {}}, {cap(10)},
               {SupplyLoadKind::ConstantCurrent, 0.125}, 60),
        supply(RC::Bridge, {RectifierKind::SiliconPreset, "1N5408", {}},
               {cap(100), resistor(220), cap(47)}, {SupplyLoadKind::Resistance, 2500}),
        supply(RC::HalfWave, {RectifierKind::Diode, {}, DiodeLaw{0.6, 0.25, 0.01, 1.5}},
               {choke(5, 90), cap(33.3), choke(1.5, 12.5), cap(0.47)},
               {SupplyLoadKind::ConstantCurrent, 0.0125}),
        supply(RC::FullWaveCentreTap, {RectifierKind::Valve, "EZ81", {}}, {cap(50), cap(50)},
               {SupplyLoadKind::ConstantCurrent, 0.15}),
    };
    SupplyEditor editor;
    QSignalSpy edited(&editor, &SupplyEditor::edited);
    for (const auto &s : cases) {
        editor.setSupply(s);
        EXPECT_EQ(editor.supply(), s) << (s ? supplyText(supplyCircuitOf(*s, 1, 1)) : "none");
    }
    EXPECT_EQ(edited.count(), 0);
    // A user's changes are edits. A new supply starts with one capacitor: a filter the
    // simulation takes.
    editor.setSupply(std::nullopt);
    editor.findChild<QCheckBox *>(QStringLiteral("supplyEnabled"))->click();
    ASSERT_EQ(edited.count(), 1);
    ASSERT_TRUE(editor.supply());
    EXPECT_EQ(editor.supply()->filter.size(), 1u);
    EXPECT_FALSE(supplyProblem(supplyCircuitOf(*editor.supply(), 300, 10)));
    editor.addFilterPart(FilterPartKind::SeriesChoke);
    editor.addFilterPart(FilterPartKind::ShuntCapacitor);
    editor.removeFilterPart(0);
    ASSERT_EQ(editor.supply()->filter.size(), 2u);
    EXPECT_EQ(editor.supply()->filter[0].kind, FilterPartKind::SeriesChoke);
    EXPECT_EQ(editor.supply()->filter[1].kind, FilterPartKind::ShuntCapacitor);
}

TEST(SupplyPage, ShowsFiguresLimitsPlotsAndHandsOnTheCurrent)
{
    struct Case
    {
        const char *name;
        SecondarySupply supply;
        SupplyWindingFigures winding;
        int brokenAtLeast;
        bool limitsKnown;
    };
    const Case cases[] = {
        // 5R4GY: at most 4 uF first.
        {"5R4GY on 47 uF",
         supply(RC::FullWaveCentreTap, {RectifierKind::Valve, "5R4GY", {}}, {cap(47)},
                {SupplyLoadKind::ConstantCurrent, 0.1}),
         {1400, 300, 230, 0, true},
         1,
         true},
        {"5V4G, no published limits",
         supply(RC::FullWaveCentreTap, {RectifierKind::Valve, "5V4G", {}}, {cap(10)},
                {SupplyLoadKind::ConstantCurrent, 0.1}),
         {700, 100, 230, 0, true},
         0,
         false},
    };
    for (const Case &c : cases) {
        SupplyPage page;
        SecondarySupplies supplies{};
        supplies[1] = c.supply;
        page.setSupplies(supplies, 3);
        page.setCurrentSecondary(1);
        EXPECT_EQ(page.supplies(), supplies) << c.name;
        const DesignSupplyResult result = evaluateDesignSupply(c.supply, 1, c.winding);
        ASSERT_TRUE(result.ok()) << c.name;
        page.showResults({result});
        int broken = 0;
        for (int row = 0; row < page.limitRowCount(); ++row) {
            broken += page.limitRowBroken(row) ? 1 : 0;
        }
        EXPECT_GE(broken, c.brokenAtLeast) << c.name;
        EXPECT_EQ(page.limitRowCount() > 0, c.limitsKnown) << c.name;
        EXPECT_TRUE(page.figuresText().contains(QStringLiteral("DC output"))) << c.name;
        EXPECT_GE(page.plots()->regulationPointCount(), 15) << c.name;
        EXPECT_GT(page.plots()->cyclePointCount(), 100) << c.name;

        QSignalSpy use(&page, &SupplyPage::useSimulatedCurrent);
        auto *button = page.findChild<QPushButton *>(QStringLiteral("useSimulatedCurrent"));
        button->click();
        ASSERT_EQ(use.count(), 1) << c.name;
        EXPECT_EQ(use.at(0).at(0).toInt(), 1);
        EXPECT_DOUBLE_EQ(use.at(0).at(1).toDouble(), result.figures.windingRmsA);

        // An edit makes the figures stale: nothing to hand on until the next Calculate.
        QSignalSpy edited(&page, &SupplyPage::suppliesEdited);
        page.editor()->addFilterPart(FilterPartKind::ShuntCapacitor);
        page.editor()->findChild<QCheckBox *>(QStringLiteral("supplyEnabled"))->click();
        EXPECT_EQ(edited.count(), 1) << c.name;
        EXPECT_FALSE(page.supplies()[1]) << c.name;
        EXPECT_FALSE(button->isEnabled()) << c.name;
        EXPECT_EQ(page.plots()->regulationPointCount(), 0) << c.name;
    }
}

} // namespace
} // namespace ferrolux
