#include "picture_kit.h"

#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <cmath>

namespace ferrolux::pictures {

namespace {

constexpr double kOutlineWidth = 2.0;
constexpr double kDetailWidth = 1.0;
constexpr double kDimensionWidth = 1.3;
constexpr double kArrowLength = 10.0;
constexpr double kArrowHalfWidth = 4.0;
constexpr double kExtensionGap = 3.0;
constexpr double kExtensionOvershoot = 6.0;
constexpr double kLetterBox = 26.0;
constexpr int kLetterPixels = 24;
constexpr int kCaptionPixels = 24;

QFont sansFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

void useDimensionPen(QPainter &painter)
{
    painter.setPen(QPen(Qt::black, kDimensionWidth, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::black);
}

// A filled arrowhead whose tip is at `tip`, pointing along the unit vector (dx, dy).
void drawArrowHead(QPainter &painter, QPointF tip, double dx, double dy)
{
    const QPointF back(tip.x() - dx * kArrowLength, tip.y() - dy * kArrowLength);
    const QPointF side(-dy * kArrowHalfWidth, dx * kArrowHalfWidth);
    painter.drawPolygon(QPolygonF({tip, back + side, back - side}));
}

void drawLetter(QPainter &painter, QPointF centre, const QString &letter)
{
    painter.setFont(sansFont(kLetterPixels));
    const QRectF box(centre.x() - kLetterBox / 2, centre.y() - kLetterBox / 2, kLetterBox,
                     kLetterBox);
    painter.drawText(box, Qt::AlignCenter, letter);
}

double awayFrom(double edge, double line)
{
    return line < edge ? -1.0 : 1.0;
}

} // namespace

void useOutlinePen(QPainter &painter)
{
    painter.setPen(QPen(Qt::black, kOutlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void useDetailPen(QPainter &painter)
{
    painter.setPen(QPen(QColor(0x44, 0x44, 0x44), kDetailWidth));
}

void horizontalDimension(QPainter &painter, double x1, double x2, double edgeY, double lineY,
                         const QString &letter)
{
    useDimensionPen(painter);
    const double away = awayFrom(edgeY, lineY);
    for (const double x : {x1, x2}) {
        painter.drawLine(QPointF(x, edgeY + away * kExtensionGap),
                         QPointF(x, lineY + away * kExtensionOvershoot));
    }
    painter.drawLine(QPointF(x1, lineY), QPointF(x2, lineY));
    drawArrowHead(painter, QPointF(x1, lineY), -1.0, 0.0);
    drawArrowHead(painter, QPointF(x2, lineY), 1.0, 0.0);
    drawLetter(painter, QPointF((x1 + x2) / 2, lineY + away * kLetterBox / 2), letter);
}

void verticalDimension(QPainter &painter, double y1, double y2, double edgeX, double lineX,
                       const QString &letter)
{
    useDimensionPen(painter);
    const double away = awayFrom(edgeX, lineX);
    for (const double y : {y1, y2}) {
        painter.drawLine(QPointF(edgeX + away * kExtensionGap, y),
                         QPointF(lineX + away * kExtensionOvershoot, y));
    }
    painter.drawLine(QPointF(lineX, y1), QPointF(lineX, y2));
    drawArrowHead(painter, QPointF(lineX, y1), 0.0, -1.0);
    drawArrowHead(painter, QPointF(lineX, y2), 0.0, 1.0);
    drawLetter(painter, QPointF(lineX + away * kLetterBox / 2, (y1 + y2) / 2), letter);
}

void drawChassis(QPainter &painter, const QRectF &strip)
{
    useOutlinePen(painter);
    painter.setBrush(kChassis);
    painter.drawRect(strip);

    // Section hatching at 45 degrees, clipped to the plate.
    painter.save();
    painter.setClipRect(strip);
    useDetailPen(painter);
    constexpr double kHatchSpacing = 7.0;
    for (double x = strip.left() - strip.height(); x < strip.right(); x += kHatchSpacing) {
        painter.drawLine(QPointF(x, strip.bottom()), QPointF(x + strip.height(), strip.top()));
    }
    painter.restore();
}

void drawBolt(QPainter &painter, QPointF centre, double radius)
{
    useDetailPen(painter);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, radius, radius);
    painter.drawLine(QPointF(centre.x() - radius * 0.6, centre.y()),
                     QPointF(centre.x() + radius * 0.6, centre.y()));
}

void drawParallelLines(QPainter &painter, const QRectF &area, double spacing, bool horizontal)
{
    useDetailPen(painter);
    if (horizontal) {
        for (double y = area.top() + spacing; y < area.bottom() - spacing / 2; y += spacing) {
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        }
    } else {
        for (double x = area.left() + spacing; x < area.right() - spacing / 2; x += spacing) {
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        }
    }
}

void drawCaption(QPainter &painter, const QRectF &area, const QString &text)
{
    painter.setPen(Qt::black);
    painter.setFont(sansFont(kCaptionPixels));
    painter.drawText(area, Qt::AlignCenter, text);
}

} // namespace ferrolux::pictures
