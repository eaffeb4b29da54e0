#include "app_icon.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QRectF>
#include <array>

namespace ferrolux {

namespace {

// The drawing is made on a 32 x 32 grid and scaled to each size.
constexpr double kGrid = 32.0;

// The face of an E-I lamination stack in the usual proportions: outer legs, windows and
// yokes one unit wide, the centre leg two, the windows three high.
void drawCore(QPainter &painter)
{
    painter.setPen(QPen(QColor(0x24, 0x2b, 0x31), 1.0));
    painter.setBrush(QColor(0x5a, 0x66, 0x72));
    painter.drawRect(QRectF(2.5, 5.0, 27.0, 22.5));
    // The joint between the E and the I, just below the windows.
    painter.drawLine(QPointF(2.5, 23.0), QPointF(29.5, 23.0));
}

// The winding fills both windows of the core; its turns show as lines across them.
void drawWinding(QPainter &painter)
{
    const std::array<QRectF, 2> windows{QRectF(7.0, 9.5, 4.5, 13.5), QRectF(20.5, 9.5, 4.5, 13.5)};
    for (const QRectF &window : windows) {
        painter.setPen(QPen(QColor(0x6e, 0x33, 0x0c), 1.0));
        painter.setBrush(QColor(0xd0, 0x74, 0x30));
        painter.drawRect(window);
        painter.setPen(QPen(QColor(0xf3, 0xb0, 0x76), 0.8));
        for (double y = window.top() + 2.5; y < window.bottom() - 1.0; y += 2.5) {
            painter.drawLine(QPointF(window.left() + 0.8, y), QPointF(window.right() - 0.8, y));
        }
    }
}

} // namespace

QPixmap ferroluxIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    drawCore(painter);
    drawWinding(painter);
    return pixmap;
}

QIcon ferroluxIcon()
{
    // The sizes window frames and task bars ask a running program for; every pixmap is sent to
    // the display at start-up, and the installed icon file serves the larger sizes.
    constexpr std::array<int, 3> sizes{16, 32, 48};
    QIcon icon;
    for (const int size : sizes) {
        icon.addPixmap(ferroluxIconPixmap(size));
    }
    return icon;
}

} // namespace ferrolux
