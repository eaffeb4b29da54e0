// Where the main window opens: the placement rule of the calculator (never larger than its
// design size nor than the maximised client area, centred in that area), applied to the main
// window's own design size: the form, the menu bar and, when shown, the check panel.

#include "calculator_window.h"
#include "main_window.h"
#include "twips.h"
#include "window_placement.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace ferrolux {
namespace {

// The window frame of the design: outer 11820 x 8325 around a client area of 11700 x 7920,
// with the title bar on top. Used while the real frame is not yet known (before the window
// has been shown by a window manager).
constexpr int kDesignFrameSide = 60; // twips, left and right and bottom
constexpr int kDesignFrameTop = 345; // twips, border and title bar

// The panel is never squeezed narrower than this beside the form; below it, the form gives way.
constexpr int kNarrowestPanel = 160;

int twipsCovering(double twips)
{
    return static_cast<int>(std::ceil(twips - 1e-9));
}

} // namespace

void MainWindow::placeOnScreen()
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
    const QRect available = screen->availableGeometry();

    // A screen without room for the form and the panel side by side starts with the panel
    // hidden (not remembered: the user's choice stays for a larger screen).
    layout()->activate();
    if (!m_dock->isHidden() && !m_dock->isFloating() &&
        sizeHint().width() + frameWidth > available.width()) {
        showPanel(false);
    }
    layout()->activate();
    const QSize client = sizeHint();

    const WindowPlacement placement =
        placeWindow(scale.toTwipsX(available.width() - frameWidth),
                    scale.toTwipsY(available.height() - frameHeight),
                    twipsCovering(scale.toTwipsX(client.width() + frameWidth)),
                    twipsCovering(scale.toTwipsY(client.height() + frameHeight)));

    const int outerWidth = scale.toPixelsX(placement.width);
    const int outerHeight = scale.toPixelsY(placement.height);
    move(available.left() + scale.toPixelsX(placement.left),
         available.top() + scale.toPixelsY(placement.top));
    resize(std::max(1, outerWidth - frameWidth), std::max(1, outerHeight - frameHeight));
}

void MainWindow::fitPanelBesideForm()
{
    QScreen *screen = this->screen();
    if (!screen || m_dock->isHidden() || m_dock->isFloating()) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const int frameWidth = frameGeometry().width() - geometry().width();
    const int wanted = std::min(sizeHint().width(), available.width() - frameWidth);
    if (width() < wanted) {
        resize(wanted, height());
        // Kept on its screen: moved left as far as the wider window needs.
        const int overhang = frameGeometry().right() - available.right();
        if (overhang > 0) {
            move(std::max(available.left(), x() - overhang), y());
        }
    }
    layout()->activate();
    // The form's whole width, with room for its vertical scroll bar when it is cut in height.
    int formWidth = m_scroll->sizeHint().width();
    if (m_scroll->viewport()->height() < m_form->height()) {
        formWidth += m_scroll->verticalScrollBar()->sizeHint().width();
    }
    const int besideForm =
        width() - formWidth - style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    if (besideForm < m_dock->width()) {
        resizeDocks({m_dock}, {std::max(kNarrowestPanel, besideForm)}, Qt::Horizontal);
    }
}

} // namespace ferrolux
