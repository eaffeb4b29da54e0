#include "window_placement.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <tuple>

namespace ferrolux {

// Lets a failing comparison show the placement readably (found by argument lookup).
static void PrintTo(const WindowPlacement &p, std::ostream *os)
{
    *os << "{left " << p.left << ", top " << p.top << ", " << p.width << " x " << p.height << "}";
}

namespace {

TEST(PlaceWindow, CentresTheDesignSizeInTheMaximisedClientArea)
{
    // Maximised client width and height, then left, top, width and height of the window: a
    // large screen, a small one, one twip wider and one twip too low; measurements rounded
    // half to even; measurements beyond 16 bits clamped before the rule applies.
    const std::tuple<double, double, double, double, int, int> cases[] = {
        {15360, 10800, 1770, 1162.5, 11820, 8325},  {9000, 6000, 0, 0, 9000, 5850},
        {11821, 10800, 0.5, 1162.5, 11820, 8325},   {11820, 8474, 0, 0, 11820, 8324},
        {11824.5, 8475, 2, 0, 11820, 8325},         {11823.5, 8475, 2, 0, 11820, 8325},
        {11820, 8476.5, 0, 0.5, 11820, 8325},       {11820, 8477.5, 0, 1.5, 11820, 8325},
        {9001.5, 6000, 0, 0, 9002, 5850},           {32767.5, 10800, 10473.5, 1162.5, 11820, 8325},
        {15360, 32917.5, 1770, 12221, 11820, 8325}, {1e12, 1e12, 10473.5, 12221, 11820, 8325},
        {-1e9, -1e9, 0, 0, -32768, -32768}};
    for (const auto &[clientWidth, clientHeight, left, top, width, height] : cases) {
        EXPECT_EQ(placeWindow(clientWidth, clientHeight),
                  (WindowPlacement{left, top, width, height}))
            << clientWidth << " x " << clientHeight;
    }
    EXPECT_EQ(placeWindow(INFINITY, INFINITY), (WindowPlacement{10473.5, 12221, 11820, 8325}));
    EXPECT_EQ(placeWindow(NAN, NAN), (WindowPlacement{0, 0, 0, 0})); // no usable screen
}

TEST(PlaceWindow, AWindowOfItsOwnDesignSizeFollowsTheSameRule)
{
    // Client width and height, the window's design outer size, then the placement: the main
    // window (form, menu bar and panel) on a 1280 x 800 screen at 96 dpi, on 640 x 480, and
    // exactly the size of the client area.
    const std::tuple<double, double, int, int, WindowPlacement> cases[] = {
        {19050, 11325, 18375, 9120, {337.5, 1027.5, 18375, 9120}},
        {9450, 6525, 18375, 9120, {0, 0, 9450, 6375}},
        {12000, 9000, 12000, 8850, {0, 0, 12000, 8850}},
    };
    for (const auto &[clientWidth, clientHeight, width, height, expected] : cases) {
        EXPECT_EQ(placeWindow(clientWidth, clientHeight, width, height), expected)
            << clientWidth << " x " << clientHeight;
    }
    // The calculator form's own design size is the two-argument rule.
    EXPECT_EQ(placeWindow(15360, 10800, kDesignOuterWidth, kDesignOuterHeight),
              placeWindow(15360, 10800));
}

} // namespace
} // namespace ferrolux
