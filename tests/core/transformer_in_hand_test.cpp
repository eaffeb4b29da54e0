// The bench calculations against published checks and hand-worked figures: the rise of a
// winding by resistance, EI lamination figures, the valve heater table and list totals, the
// VA budget and the primary fuse.

#include "fuse_rating.h"
#include "laminations.h"
#include "resistance_rise.h"
#include "valve_heaters.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace ferrolux {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

template <typename T> std::string problemOf(const Checked<T> &checked)
{
    const auto *problem = std::get_if<InputProblem>(&checked);
    return problem == nullptr ? std::string("(accepted)") : problem->message;
}

TEST(ResistanceRise, PublishedCheckAndHandWorkedCases)
{
    struct Case
    {
        ResistanceReadings readings;
        double k, riseK, windingC;
    };
    const Case cases[] = {
        // The published check: 200 mΩ at 20 °C, 210 mΩ hot, 25 °C ambient.
        {{0.200, 20, 0.210, 25}, 234.5, 7.725, 32.725},
        // Aluminium: 1.05 · 245 − 250.
        {{0.200, 20, 0.210, 25}, 225, 7.25, 32.25},
        // Units cancel: ohms or milliohms give the same rise.
        {{200, 20, 210, 25}, 234.5, 7.725, 32.725},
        // Cold at the ambient, 20 % more resistance: 0.2 · 254.5.
        {{10, 20, 12, 20}, 234.5, 50.9, 70.9},
        // A hot winding exactly at the ambient (cold at 0 °C, ambient 20 °C): no rise.
        {{234.5, 0, 254.5, 20}, 234.5, 0, 20},
        // Below zero: cold at −10 °C, ambient −10 °C, 10 % more: 0.1 · 224.5.
        {{5, -10, 5.5, -10}, 234.5, 22.45, 12.45},
    };
    for (const Case &c : cases) {
        const auto checked = riseFromResistance(c.readings, c.k);
        ASSERT_TRUE(std::holds_alternative<MeasuredRise>(checked)) << problemOf(checked);
        const MeasuredRise &rise = std::get<MeasuredRise>(checked);
        EXPECT_NEAR(rise.riseK, c.riseK, 1e-9) << c.readings.coldOhms << " k " << c.k;
        EXPECT_NEAR(rise.windingC, c.windingC, 1e-9) << c.readings.coldOhms << " k " << c.k;
    }
    const auto copper = riseFromResistance({0.2, 20, 0.21, 25}, Conductor::Copper);
    const auto aluminium = riseFromResistance({0.2, 20, 0.21, 25}, Conductor::Aluminium);
    EXPECT_NEAR(std::get<MeasuredRise>(copper).riseK, 7.725, 1e-9);
    EXPECT_NEAR(std::get<MeasuredRise>(aluminium).riseK, 7.25, 1e-9);
}

TEST(ResistanceRise, RefusesReadingsTheFormulaCannotUse)
{
    const std::pair<ResistanceReadings, std::string> cases[] = {
        {{0, 20, 0.21, 25}, "above 0 ohms"},
        {{0.2, 20, -0.21, 25}, "above 0 ohms"},
        {{kNaN, 20, 0.21, 25}, "above 0 ohms"},
        {{0.2, 20, kInf, 25}, "above 0 ohms"},
        {{0.2, 101, 0.21, 25}, "from -50 to 100"},
        {{0.2, 20, 0.21, -50.5}, "from -50 to 100"},
        {{0.2, kNaN, 0.21, 25}, "from -50 to 100"},
        // Swapped readings: hot below cold at the same temperatures.
        {{0.21, 25, 0.2, 25}, "would be negative"},
        // Hot just below what a winding at the ambient has: 0.2 · 259.5 / 254.5 = 0.20393.
        {{0.2, 20, 0.2039, 25}, "below 0.203929"},
    };
    for (const auto &[readings, words] : cases) {
        const std::string problem = problemOf(riseFromResistance(readings, Conductor::Copper));
        EXPECT_NE(problem.find(words), std::string::npos) << problem;
    }
    EXPECT_NE(problemOf(riseFromResistance({0.2, 20, 0.21, 25}, 0.0)).find("constant k"),
              std::string::npos);
    EXPECT_NE(problemOf(riseFromResistance({0.2, 20, 0.21, 25}, kNaN)).find("constant k"),
              std::string::npos);
}

TEST(ResistanceRise, ConductorNamesAndCalibrationFactor)
{
    EXPECT_EQ(conductorFromName("Copper"), Conductor::Copper);
    EXPECT_EQ(conductorFromName("ALUMINIUM"), Conductor::Aluminium);
    EXPECT_EQ(conductorFromName("aluminum"), Conductor::Aluminium);
    EXPECT_EQ(conductorFromName("brass"), std::nullopt);
    EXPECT_EQ(conductorFromName(""), std::nullopt);

    const std::tuple<double, double, std::optional<double>> factors[] = {
        {10, 8, 1.25},           {7.725, 7.725, 1.0},     {0, 5, 0.0},
        {5, 0, std::nullopt},    {5, -2, std::nullopt},   {-1, 5, std::nullopt},
        {kNaN, 5, std::nullopt}, {5, kInf, std::nullopt}, {1e308, 1e-308, std::nullopt},
    };
    for (const auto &[measured, predicted, factor] : factors) {
        EXPECT_EQ(riseCalibrationFactor(measured, predicted), factor)
            << measured << " / " << predicted;
    }
}

// The size in a name such as "EI96", read independently of the table.
double sizeFromName(std::string_view name)
{
    double size = 0;
    std::from_chars(name.data() + 2, name.data() + name.size(), size);
    return size;
}

TEST(Laminations, TableFollowsTheScraplessRuleAndFindsNames)
{
    const auto table = laminationTable();
    ASSERT_GE(table.size(), 10u);
    EXPECT_EQ(table.front().name, "EI30");
    EXPECT_EQ(table.back().name, "EI240");
    double previous = 0;
    for (const Lamination &l : table) {
        const double a = sizeFromName(l.name) / 6;
        EXPECT_GT(a * 6, previous) << l.name << ": sizes in order";
        previous = a * 6;
        EXPECT_DOUBLE_EQ(l.tongueMm, 2 * a) << l.name;
        EXPECT_DOUBLE_EQ(l.windowWidthMm, a) << l.name;
        EXPECT_DOUBLE_EQ(l.windowHeightMm, 3 * a) << l.name;
        EXPECT_FALSE(l.source.empty()) << l.name;
    }
    // EI 96: a 32 mm tongue and a 16 × 48 mm window.
    const auto ei96 = findLamination("EI96");
    ASSERT_TRUE(ei96);
    EXPECT_EQ(ei96->tongueMm, 32);
    EXPECT_EQ(ei96->windowWidthMm, 16);
    EXPECT_EQ(ei96->windowHeightMm, 48);
    for (const char *name : {"ei96", "EI 96", "ei-96", "EI_96"}) {
        EXPECT_TRUE(findLamination(name)) << name;
    }
    for (const char *name : {"EI97", "", "EI", "96", "E96", "EI960"}) {
        EXPECT_FALSE(findLamination(name)) << name;
    }
    EXPECT_NE(laminationNames().find("EI30, EI42"), std::string::npos);
}

TEST(Laminations, FiguresMatchThePublishedCheckAndHandWorkedCores)
{
    struct Case
    {
        CoreShape shape;
        CoreConditions conditions;
        double ap, turnsPerVolt;
        long turns;
        double va;
    };
    CoreConditions ei96;
    ei96.stackCm = 3.2;
    CoreConditions ei96Hot = ei96;
    ei96Hot.hz = 60;
    ei96Hot.riseK = 50;
    CoreConditions custom{2, 1.0, 120, 50, 1.0, 25, 0.8};
    const Case cases[] = {
        // The published check: EI 96, 3.2 cm stack, 1.2 T, 230 V 50 Hz: Ap 78.6 cm⁴ and 887
        // turns (887.50 turns, whole turns counted). VA: 78.6432^0.88 · 1.776 · 60 · 366 / 10⁴
        // = 181.66, over 1/0.9 + 1.
        {{3.2, 1.6, 4.8}, ei96, 78.6432, 3.85871, 887, 86.049},
        // The same core at 60 Hz and 50 K: Kj 534; 230 · 3.85871 · 50 / 60 = 739.6 turns.
        {{3.2, 1.6, 4.8}, ei96Hot, 78.6432, 3.21559, 739, 150.656},
        // A 2 cm tongue, 1 × 3 cm window, 2 cm stack, 1 T, stacking factor 1:
        // 1 / (4.44 · 50 · 1 · 4e-4) = 11.2613 turns per volt; 120 V gives 1351.35.
        {{2, 1, 3}, custom, 12, 11.26126, 1351, 12.8644},
    };
    for (const Case &c : cases) {
        const auto checked = coreFigures(c.shape, c.conditions);
        ASSERT_TRUE(std::holds_alternative<CoreFigures>(checked)) << problemOf(checked);
        const CoreFigures &f = std::get<CoreFigures>(checked);
        EXPECT_NEAR(f.acCm2, c.shape.tongueCm * c.conditions.stackCm, 1e-12);
        EXPECT_NEAR(f.acNetCm2, f.acCm2 * c.conditions.stackingFactor, 1e-12);
        EXPECT_NEAR(f.apCm4, c.ap, 1e-9);
        EXPECT_NEAR(f.turnsPerVolt, c.turnsPerVolt, 1e-5);
        EXPECT_EQ(f.primaryTurns, c.turns);
        EXPECT_NEAR(f.vaEstimate, c.va, 1e-3);
    }
}

TEST(Laminations, RefusesConditionsOutOfRange)
{
    const auto with = [](auto change) {
        CoreConditions c;
        c.stackCm = 3.2;
        change(c);
        return problemOf(coreFigures({3.2, 1.6, 4.8}, c));
    };
    const std::pair<std::string, std::string> cases[] = {
        {with([](CoreConditions &c) { c.stackCm = 0; }), "at most 100 cm"},
        {with([](CoreConditions &c) { c.stackCm = kNaN; }), "at most 100 cm"},
        {with([](CoreConditions &c) { c.stackCm = 100.5; }), "at most 100 cm"},
        {with([](CoreConditions &c) { c.fluxT = 2.1; }), "0.1 to 2 T"},
        {with([](CoreConditions &c) { c.fluxT = 0; }), "0.1 to 2 T"},
        {with([](CoreConditions &c) { c.mainsV = 0; }), "1 to 1000 V"},
        {with([](CoreConditions &c) { c.hz = kInf; }), "1 to 1000 Hz"},
        {with([](CoreConditions &c) { c.stackingFactor = 0.4; }), "0.5 to 1"},
        {with([](CoreConditions &c) { c.stackingFactor = 1.01; }), "0.5 to 1"},
        {with([](CoreConditions &c) { c.riseK = 40; }), "25 or 50 K"},
        {with([](CoreConditions &c) { c.efficiency = 0; }), "0.1 to 1"},
        {with([](CoreConditions &c) { c.efficiency = 1.2; }), "0.1 to 1"},
    };
    for (const auto &[problem, words] : cases) {
        EXPECT_NE(problem.find(words), std::string::npos) << problem;
    }
    CoreConditions c;
    c.stackCm = 3.2;
    EXPECT_NE(problemOf(coreFigures({0, 1.6, 4.8}, c)).find("tongue"), std::string::npos);
    EXPECT_NE(problemOf(coreFigures({3.2, -1, 4.8}, c)).find("tongue"), std::string::npos);
}

// Every name in a row ("ECC83 12AX7 12AX7A 7025" gives four).
std::vector<std::string_view> namesOf(const ValveHeater &v)
{
    std::vector<std::string_view> names;
    std::string_view rest = v.names;
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        names.push_back(rest.substr(0, blank));
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    }
    return names;
}

bool isUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

TEST(ValveHeaters, TableRowsAreConsistent)
{
    const auto table = valveHeaterTable();
    EXPECT_GE(table.size(), 60u);
    std::set<std::string_view> names;
    for (const ValveHeater &v : table) {
        EXPECT_FALSE(v.source.empty()) << v.names;
        EXPECT_NE(v.source.find(v.type()), std::string_view::npos)
            << v.names << ": the source names its own sheet";
        EXPECT_GT(v.millivolts, 0) << v.names;
        EXPECT_GT(v.milliamps, 0) << v.names;
        for (const std::string_view name : namesOf(v)) {
            EXPECT_TRUE(names.insert(name).second) << name << " is in two rows";
        }
        if (v.centreTapped()) {
            // Two 6.3 V halves: in series twice the voltage at half the current.
            EXPECT_EQ(v.millivolts, 6300) << v.names;
            EXPECT_EQ(v.seriesMillivolts, 12600) << v.names;
            EXPECT_EQ(v.seriesMilliamps * 2, v.milliamps) << v.names;
        }
        if (v.seriesStringMilliamps != 0) {
            EXPECT_EQ(v.seriesStringMilliamps, v.milliamps) << v.names;
            EXPECT_TRUE(std::set<int>({100, 150, 300, 450, 600}).contains(v.seriesStringMilliamps))
                << v.names;
        }
    }
    // 12AX7: 6.3 V 0.3 A or 12.6 V 0.15 A.
    const auto ecc83 = findValve("12ax7");
    ASSERT_TRUE(ecc83);
    EXPECT_EQ(ecc83->millivolts, 6300);
    EXPECT_EQ(ecc83->milliamps, 300);
    EXPECT_EQ(ecc83->seriesMillivolts, 12600);
    EXPECT_EQ(ecc83->seriesMilliamps, 150);
    EXPECT_EQ(findValve("ECC83")->names, ecc83->names);
    EXPECT_EQ(findValve("300B")->heating, Heating::Direct);
    EXPECT_EQ(findValve("EL34")->heating, Heating::Indirect);
    EXPECT_EQ(findValve("50C5")->seriesStringMilliamps, 150);
    EXPECT_FALSE(findValve("12AX"));
    EXPECT_FALSE(findValve(""));
}

// The type names carry the heater rating, so each row can be checked against its own names.
// European names (letters, then digits): the first letter gives the heater, E 6.3 V, G 5 V,
// P a 300 mA and U a 100 mA series string (Mullard valve type nomenclature). American names
// (one or two digits, letters, digits): the leading number is the heater voltage to within a
// volt, the series rating for centre-tapped heaters (12AX7: 12.6 V).
TEST(ValveHeaters, RowsAgreeWithTheHeaterTheirNamesCarry)
{
    struct European
    {
        char letter;
        int millivolts; // 0: any voltage
        int stringMilliamps;
    };
    const European european[] = {{'E', 6300, 0}, {'G', 5000, 0}, {'P', 0, 300}, {'U', 0, 100}};
    int europeanNames = 0;
    int americanNames = 0;
    for (const ValveHeater &v : valveHeaterTable()) {
        for (const std::string_view name : namesOf(v)) {
            if (name.size() >= 3 && isUpper(name[0]) && isUpper(name[1])) {
                std::size_t i = 0;
                while (i < name.size() && isUpper(name[i])) {
                    ++i;
                }
                if (i == name.size() || !isDigit(name[i])) {
                    continue;
                }
                for (const European &e : european) {
                    if (name[0] != e.letter) {
                        continue;
                    }
                    ++europeanNames;
                    if (e.millivolts != 0) {
                        EXPECT_EQ(v.millivolts, e.millivolts) << name;
                    }
                    EXPECT_EQ(v.seriesStringMilliamps, e.stringMilliamps) << name;
                    if (e.stringMilliamps != 0) {
                        EXPECT_EQ(v.milliamps, e.stringMilliamps) << name;
                    }
                }
                continue;
            }
            std::size_t digits = 0;
            while (digits < name.size() && isDigit(name[digits])) {
                ++digits;
            }
            if (digits == 0 || digits > 2 || digits == name.size() || !isUpper(name[digits]) ||
                name.find_first_of("0123456789", digits) == std::string_view::npos) {
                continue;
            }
            ++americanNames;
            int volts = 0;
            std::from_chars(name.data(), name.data() + digits, volts);
            const int rated = v.centreTapped() ? v.seriesMillivolts : v.millivolts;
            EXPECT_LE(std::abs(volts * 1000 - rated), 1000) << name << ": " << rated << " mV";
        }
    }
    // The checks above reach most of the table: a parser fault would leave them idle.
    EXPECT_GE(europeanNames, 30);
    EXPECT_GE(americanNames, 60);

    // Series-string marks belong to the versions made for them, not to their forerunners.
    const std::pair<const char *, int> marks[] = {
        {"6AQ5A", 450}, {"6AQ5", 0}, {"6005", 0}, {"6SN7GTB", 600}, {"6SN7GT", 0}, {"6SN7", 0},
    };
    for (const auto &[name, milliamps] : marks) {
        const auto valve = findValve(name);
        ASSERT_TRUE(valve) << name;
        EXPECT_EQ(valve->seriesStringMilliamps, milliamps) << name;
    }
}

TEST(ValveHeaters, ListsGiveTheHeaterTotalPerVoltage)
{
    using Totals = std::vector<std::pair<int, long long>>;
    const std::pair<const char *, Totals> cases[] = {
        // The example: 2 · 1.5 + 3 · 0.3 = 3.9 A at 6.3 V and 1.9 A at 5 V.
        {"EL34*2,12AX7*3,5AR4", {{5000, 1900}, {6300, 3900}}},
        {" el34 * 2 , 12ax7*3 ,gz34 ", {{5000, 1900}, {6300, 3900}}},
        // Series-string valves count at their own heater voltage.
        {"PCL86*2,UCH81", {{13300, 600}, {19000, 100}}},
        {"300B*2,2A3,5U4GB", {{2500, 2500}, {5000, 5400}}},
        // Large counts do not overflow: 2 · 1000 · 3.25 A.
        {"845*1000,211*1000", {{10000, 6500000}}},
    };
    for (const auto &[text, expected] : cases) {
        const auto parsed = parseValveList(text);
        ASSERT_TRUE(std::holds_alternative<std::vector<ValveCount>>(parsed))
            << text << ": " << problemOf(parsed);
        Totals totals;
        for (const HeaterTotal &t : heaterTotals(std::get<std::vector<ValveCount>>(parsed))) {
            totals.emplace_back(t.millivolts, t.milliamps);
        }
        EXPECT_EQ(totals, expected) << text;
    }
    const auto parsed = std::get<std::vector<ValveCount>>(parseValveList("12ax7*3"));
    EXPECT_EQ(parsed.at(0).name, "12AX7");
    EXPECT_EQ(parsed.at(0).count, 3);
}

TEST(ValveHeaters, RefusesBadListsNamingUnknownValves)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", "empty"},
        {"  ", "empty"},
        {"EL34,,12AX7", "empty item"},
        {"EL34,", "empty item"},
        {",EL34", "empty item"},
        {"EL34*0", "from 1 to 1000"},
        {"EL34*1001", "from 1 to 1000"},
        {"EL34*-1", "from 1 to 1000"},
        {"EL34*x", "from 1 to 1000"},
        {"EL34*", "from 1 to 1000"},
        {"EL34*2*3", "from 1 to 1000"},
        {"EL34*2.5", "from 1 to 1000"},
        {"FOO", "unknown valve: FOO"},
        {"foo,EL34,BAR*2", "unknown valves: foo, BAR"},
        {"*2", "unknown valve: (no name)"},
        {"EL\x01"
         "34",
         "unknown valve: EL?34"},
    };
    for (const auto &[text, words] : cases) {
        const std::string problem = problemOf(parseValveList(text));
        EXPECT_NE(problem.find(words), std::string::npos) << text << ": " << problem;
    }
}

TEST(VaBudget, SumsTheSecondariesAndFindsThePrimaryCurrent)
{
    // 300 V 0.1 A + 6.3 V 3.9 A + 5 V 1.9 A = 30 + 24.57 + 9.5 = 64.07 VA;
    // at 230 V and 90 % efficiency 64.07 / 207 = 0.309517 A.
    const WindingVa loads[] = {{300, 0.1}, {6.3, 3.9}, {5, 1.9}};
    const auto checked = vaBudget(loads, 230, 0.9);
    ASSERT_TRUE(std::holds_alternative<VaBudget>(checked)) << problemOf(checked);
    const VaBudget &b = std::get<VaBudget>(checked);
    ASSERT_EQ(b.secondaryVa.size(), 3u);
    EXPECT_NEAR(b.secondaryVa[1], 24.57, 1e-12);
    EXPECT_NEAR(b.totalVa, 64.07, 1e-12);
    EXPECT_NEAR(b.primaryAmps, 0.3095169, 1e-7);

    const WindingVa negative[] = {{300, -0.1}};
    const WindingVa notANumber[] = {{kNaN, 1}};
    const std::pair<std::string, const char *> refusals[] = {
        {problemOf(vaBudget({}, 230, 0.9)), "no secondaries"},
        {problemOf(vaBudget(loads, 0, 0.9)), "primary voltage"},
        {problemOf(vaBudget(loads, 230, 0)), "efficiency"},
        {problemOf(vaBudget(loads, 230, 1.01)), "efficiency"},
        {problemOf(vaBudget(negative, 230, 0.9)), "0 or more"},
        {problemOf(vaBudget(notANumber, 230, 0.9)), "0 or more"},
    };
    for (const auto &[problem, words] : refusals) {
        EXPECT_NE(problem.find(words), std::string::npos) << problem;
    }
}

TEST(PrimaryFuse, PicksTheSmallestStandardRatingBetweenTheBounds)
{
    const std::tuple<double, FuseFit, double> cases[] = {
        // 1.5 · 0.4 = 0.6 A: 0.63 A.
        {0.4, FuseFit::Fits, 0.63},
        // A rating exactly at 1.5 × counts.
        {1 / 1.5, FuseFit::Fits, 1.0},
        {0.4 / 1.5, FuseFit::Fits, 0.4},
        {2 / 1.5, FuseFit::Fits, 2.0},
        // 1.5 · (3.15 / 1.5) comes out a hair above 3.15 in floating point: still 3.15.
        {3.15 / 1.5, FuseFit::Fits, 3.15},
        {6.3 / 1.5, FuseFit::Fits, 6.3},
        // The smallest rating, 32 mA, is exactly 2.5 × 12.8 mA.
        {0.0128, FuseFit::Fits, 0.032},
        {0.01, FuseFit::BelowSmallest, 0},
        // The largest, 10 A, is exactly 1.5 × 6.667 A; above it none fits.
        {10 / 1.5, FuseFit::Fits, 10},
        {7, FuseFit::AboveLargest, 0},
    };
    for (const auto &[amps, fit, rating] : cases) {
        const auto choice = primaryFuse(amps);
        ASSERT_TRUE(choice) << amps;
        EXPECT_EQ(choice->fit, fit) << amps;
        EXPECT_EQ(choice->ratingAmps, rating) << amps;
        EXPECT_NEAR(choice->leastAmps, 1.5 * amps, 1e-12);
        EXPECT_NEAR(choice->mostAmps, 2.5 * amps, 1e-12);
    }
    for (const double bad : {0.0, -1.0, kNaN, kInf}) {
        EXPECT_FALSE(primaryFuse(bad)) << bad;
    }
}

TEST(PrimaryFuse, EveryCurrentWithinTheListsSpanGetsARating)
{
    const auto ratings = standardFuseRatings();
    EXPECT_EQ(ratings.front(), 0.032);
    EXPECT_EQ(ratings.back(), 10.0);
    for (std::size_t i = 1; i < ratings.size(); ++i) {
        EXPECT_GT(ratings[i], ratings[i - 1]);
        EXPECT_LE(ratings[i] / ratings[i - 1], 1.28 + 1e-9) << ratings[i];
    }
    // From 12.8 mA to 6.667 A in 0.1 % steps: a rating always fits, at or above 1.5 × and
    // at most 2.5 ×, and no smaller rating would.
    for (double amps = 0.0128; amps <= 10 / 1.5; amps *= 1.001) {
        const auto choice = primaryFuse(amps);
        ASSERT_TRUE(choice && choice->fit == FuseFit::Fits) << amps;
        EXPECT_GE(choice->ratingAmps, 1.5 * amps * (1 - 1e-12)) << amps;
        EXPECT_LE(choice->ratingAmps, 2.5 * amps * (1 + 1e-12)) << amps;
        for (const double smaller : ratings) {
            if (smaller < choice->ratingAmps) {
                EXPECT_LT(smaller, 1.5 * amps * (1 - 1e-12)) << amps;
            }
        }
    }
}

} // namespace
} // namespace ferrolux
