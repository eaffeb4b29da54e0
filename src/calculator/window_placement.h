#pragma once

// Where the calculator window opens: never larger than its design size, never larger than the
// maximised client area, centred in that area. All sizes in twips (1/1440 inch).

namespace ferrolux {

constexpr int kDesignOuterWidth = 11820;    // twips
constexpr int kDesignOuterHeight = 8325;    // twips
constexpr int kClientHeightAllowance = 150; // twips taken off the maximised client height

struct WindowPlacement
{
    double left = 0; // may end in a half
    double top = 0;
    int width = kDesignOuterWidth;
    int height = kDesignOuterHeight;

    bool operator==(const WindowPlacement &) const = default;
};

// From the maximised window's client-area width and height (twips): t = width and
// h = height - 150, each rounded half-to-even; W = min(11820, t), H = min(8325, h); the window
// goes to ((t - W) / 2, (h - H) / 2) with outer size W x H. Measurements beyond the 16-bit
// range the rule was made for are clamped to -32768..32767.
WindowPlacement placeWindow(double maximisedClientWidth, double maximisedClientHeight);

// The same rule for a window whose own outer size is designOuterWidth x designOuterHeight
// (twips) instead of the calculator form's: the main window with its menu bar and panel.
WindowPlacement placeWindow(double maximisedClientWidth, double maximisedClientHeight,
                            int designOuterWidth, int designOuterHeight);

} // namespace ferrolux
