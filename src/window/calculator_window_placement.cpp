// The load sequence of the calculator window: restore the last run, then size and centre the
// window on its screen.

#include "calculator_window.h"
#include "twips.h"
#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace ferrolux {
namespace {

// The window frame of the design: outer 11820 x 8325 around a client area of 11700 x 7920,
// with the title bar on top. Used while the real frame is not yet known (before the window
// has been shown by a window manager).
constexpr int kDesignFrameSide = 60; // twips, left and right and bottom
constexpr int kDesignFrameTop = 345; // twips, border and title bar

} // namespace

void CalculatorWindow::Form_Load()
{
    restoreLastRun();
    placeOnScreen();
}

void CalculatorWindow::placeOnScreen()
{
    QScreen *screen = this->screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    const TwipsScale scale(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());

    // Frame thickness in pixels: measured when the window has a frame already, otherwise
    // taken from the design.
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull()) {
        frame = QMargins(scale.toPixelsX(kDesignFrameSide), scale.toPixelsY(kDesignFrameTop),
                         scale.toPixelsX(kDesignFrameSide), scale.toPixelsY(kDesignFrameSide));
    }
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();

    // The client area the window would have when maximised on this screen.
    const QRect available = screen->availableGeometry();
    const WindowPlacement placement = placeWindow(scale.toTwipsX(available.width() - frameWidth),
                                                  scale.toTwipsY(available.height() - frameHeight));

    const int outerWidth = scale.toPixelsX(placement.width);
    const int outerHeight = scale.toPixelsY(placement.height);
    move(available.left() + scale.toPixelsX(placement.left),
         available.top() + scale.toPixelsY(placement.top));
    resize(std::max(1, outerWidth - frameWidth), std::max(1, outerHeight - frameHeight));
}

} // namespace ferrolux
