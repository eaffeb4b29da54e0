#include "window_placement.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>

namespace ferrolux {

// Lets a failing comparison show the placement readably (found by argument lookup).
static void PrintTo(const WindowPlacement &p, std::ostream *os)
{
    *os << "{left " << p.left << ", top " << p.top << ", " << p.width << " x " << p.height << "}";
}

namespace {

struct PlacementCase
{
    std::string name;
    double clientWidth;
    double clientHeight;
    WindowPlacement expected;
};

void PrintTo(const PlacementCase &c, std::ostream *os)
{
    *os << c.name << " (" << c.clientWidth << " x " << c.clientHeight << ")";
}

std::string caseName(const ::testing::TestParamInfo<PlacementCase> &param)
{
    return param.param.name;
}

class PlaceWindowTest : public ::testing::TestWithParam<PlacementCase>
{
};

TEST_P(PlaceWindowTest, OpensAtExpectedPlaceAndSize)
{
    const PlacementCase &c = GetParam();
    EXPECT_EQ(placeWindow(c.clientWidth, c.clientHeight), c.expected);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Screens larger than, smaller than and just around the design size.
INSTANTIATE_TEST_SUITE_P(
    ScreenSizes, PlaceWindowTest,
    ::testing::Values(
        PlacementCase{"LargeScreenCentresDesignSize", 15360, 10800, {1770, 1162.5, 11820, 8325}},
        PlacementCase{"SmallScreenFillsClientArea", 9000, 6000, {0, 0, 9000, 5850}},
        PlacementCase{"OneTwipWiderEndsInHalf", 11821, 10800, {0.5, 1162.5, 11820, 8325}},
        PlacementCase{"ExactlyDesignSize", 11820, 8475, {0, 0, 11820, 8325}},
        PlacementCase{"OneTwipTooLowShrinksHeight", 11820, 8474, {0, 0, 11820, 8324}},
        PlacementCase{"NarrowButTall", 4000, 12000, {0, 1762.5, 4000, 8325}},
        PlacementCase{"ClientHeightBelowAllowance", 9000, 100, {0, 0, 9000, -50}}),
    caseName);

// The measurements are rounded half-to-even: a half goes to the even neighbour, so the
// positions differ from rounding halves up.
INSTANTIATE_TEST_SUITE_P(
    RoundingTies, PlaceWindowTest,
    ::testing::Values(PlacementCase{"WidthHalfDownToEven", 11824.5, 8475, {2, 0, 11820, 8325}},
                      PlacementCase{"WidthHalfUpToEven", 11823.5, 8475, {2, 0, 11820, 8325}},
                      PlacementCase{"WidthAboveHalfRoundsUp", 11822.6, 8475, {1.5, 0, 11820, 8325}},
                      PlacementCase{
                          "WidthBelowHalfRoundsDown", 11823.4, 8475, {1.5, 0, 11820, 8325}},
                      PlacementCase{"HeightHalfDownToEven", 11820, 8476.5, {0, 0.5, 11820, 8325}},
                      PlacementCase{"HeightHalfUpToEven", 11820, 8477.5, {0, 1.5, 11820, 8325}},
                      PlacementCase{"SmallWidthTieKeepsEven", 9000.5, 6000, {0, 0, 9000, 5850}},
                      PlacementCase{"SmallWidthTieGoesUpToEven", 9001.5, 6000, {0, 0, 9002, 5850}},
                      PlacementCase{"SmallHeightTie", 9000, 6000.5, {0, 0, 9000, 5850}},
                      PlacementCase{"NegativeTieToEven", -2.5, 6000, {0, 0, -2, 5850}}),
    caseName);

// Measurements outside -32768..32767 are clamped before the rule applies.
INSTANTIATE_TEST_SUITE_P(
    Clamping, PlaceWindowTest,
    ::testing::Values(
        PlacementCase{"WidthAtUpperLimit", 32767, 10800, {10473.5, 1162.5, 11820, 8325}},
        PlacementCase{
            "TieAtUpperLimitStaysInRange", 32767.5, 10800, {10473.5, 1162.5, 11820, 8325}},
        PlacementCase{"WideScreenClamped", 40000, 10800, {10473.5, 1162.5, 11820, 8325}},
        PlacementCase{"TallScreenClamped", 15360, 40000, {1770, 12221, 11820, 8325}},
        PlacementCase{"HeightClampedAfterAllowance", 15360, 32917.5, {1770, 12221, 11820, 8325}},
        PlacementCase{"HugeScreen", 1e12, 1e12, {10473.5, 12221, 11820, 8325}},
        PlacementCase{"InfiniteScreen", kInf, kInf, {10473.5, 12221, 11820, 8325}},
        PlacementCase{"HugeNegativeClampedToLowerLimit", -1e9, -1e9, {0, 0, -32768, -32768}},
        PlacementCase{"NotANumberCountsAsZero", kNaN, kNaN, {0, 0, 0, 0}}),
    caseName);

} // namespace
} // namespace ferrolux
