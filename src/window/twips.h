#pragma once

// Positions and sizes of the window are designed in twips (1/1440 inch); Qt places widgets in
// device-independent pixels. The scale comes from the screen's logical DPI.

#include <QRect>
#include <cmath>

namespace ferrolux {

constexpr double kTwipsPerInch = 1440.0;

class TwipsScale
{
public:
    TwipsScale(double logicalDpiX, double logicalDpiY)
        : m_dpiX(logicalDpiX > 0 ? logicalDpiX : 96.0), m_dpiY(logicalDpiY > 0 ? logicalDpiY : 96.0)
    {
    }

    int toPixelsX(double twips) const { return roundPixels(twips * m_dpiX / kTwipsPerInch); }
    int toPixelsY(double twips) const { return roundPixels(twips * m_dpiY / kTwipsPerInch); }
    double toTwipsX(int pixels) const { return pixels * kTwipsPerInch / m_dpiX; }
    double toTwipsY(int pixels) const { return pixels * kTwipsPerInch / m_dpiY; }

    // Both edges are converted, not the size, so that controls that touch in twips still touch
    // in pixels whatever the rounding.
    QRect toPixels(int left, int top, int width, int height) const
    {
        const int x0 = toPixelsX(left);
        const int y0 = toPixelsY(top);
        return {x0, y0, toPixelsX(left + width) - x0, toPixelsY(top + height) - y0};
    }

private:
    static int roundPixels(double pixels) { return static_cast<int>(std::lround(pixels)); }

    double m_dpiX;
    double m_dpiY;
};

} // namespace ferrolux
