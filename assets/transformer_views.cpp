#include "transformer_views.h"

#include "picture_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <array>

namespace ferrolux::pictures {

namespace {

// Proportions of the worked example, in centimetres, drawn at a fixed scale.
constexpr double kScale = 14.0; // pixels per centimetre
constexpr double kX = 11.3 * kScale;
constexpr double kY = 9.6 * kScale;
constexpr double kZ = 9.7 * kScale;
constexpr double kA = 4.0 * kScale;
constexpr double kB = 8.4 * kScale;
constexpr double kC = 6.4 * kScale;
constexpr double kW = (kZ - kA) / 2;

constexpr double kCentreX = kPictureWidth / 2.0;
constexpr double kTopViewTop = 50.0;
constexpr double kEndViewTop = 262.0;
constexpr double kDimensionOffset = 30.0; // from a part's edge to its dimension line
constexpr double kCornerRadius = 10.0;
constexpr double kChassisThickness = 8.0;
constexpr double kLeadLength = 24.0;

// Where the parts of the two views lie on the sheet.
struct Layout
{
    // View from above: the stack band in the middle, a cover in front and behind it.
    QRectF topOutline{kCentreX - kX / 2, kTopViewTop, kX, kZ};
    QRectF stackBand{kCentreX - kX / 2, kTopViewTop + kW, kX, kA};
    QRectF frontCover{kCentreX - kB / 2, kTopViewTop, kB, kW};
    QRectF rearCover{kCentreX - kB / 2, kTopViewTop + kW + kA, kB, kW};
    // View of the end: the lamination face with the cover in front of its centre.
    QRectF face{kCentreX - kX / 2, kEndViewTop, kX, kY};
    QRectF faceCover{kCentreX - kB / 2, kEndViewTop + (kY - kC) / 2, kB, kC};
};

// A rectangle whose two corners on one long side are rounded: the outer end of a cover.
QPainterPath roundedOnOneSide(const QRectF &rect, bool roundTop)
{
    QPainterPath path;
    path.addRoundedRect(rect, kCornerRadius, kCornerRadius);
    const QRectF square = roundTop ? rect.adjusted(0, rect.height() / 2, 0, 0)
                                   : rect.adjusted(0, 0, 0, -rect.height() / 2);
    QPainterPath squared;
    squared.addRect(square);
    return path.united(squared).simplified();
}

void drawStackFromAbove(QPainter &painter, const Layout &layout)
{
    useOutlinePen(painter);
    painter.setBrush(kLamination);
    painter.drawRect(layout.stackBand);
    drawParallelLines(painter, layout.stackBand, 4.0, true);
    useOutlinePen(painter);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.stackBand);
}

// The winding ends (open frame) or the end bells (shielded) seen from above.
void drawCoversFromAbove(QPainter &painter, const Layout &layout, bool shielded)
{
    for (const bool front : {true, false}) {
        const QRectF &cover = front ? layout.frontCover : layout.rearCover;
        const QPainterPath outline = roundedOnOneSide(cover, front);
        useOutlinePen(painter);
        painter.setBrush(shielded ? kShield : kCopper);
        painter.drawPath(outline);
        if (shielded) {
            // The domed end of the bell.
            const double edge = front ? cover.top() + 8.0 : cover.bottom() - 8.0;
            useDetailPen(painter);
            painter.drawLine(QPointF(cover.left() + 6.0, edge), QPointF(cover.right() - 6.0, edge));
        } else {
            painter.save();
            painter.setClipPath(outline);
            drawParallelLines(painter, cover, 5.0, true);
            painter.restore();
        }
    }
}

void drawLaminationFace(QPainter &painter, const Layout &layout)
{
    useOutlinePen(painter);
    painter.setBrush(kLamination);
    painter.drawRect(layout.face);
    // The joint between the E and the I laminations.
    useDetailPen(painter);
    const double seam = layout.face.bottom() - layout.face.height() * 0.17;
    painter.drawLine(QPointF(layout.face.left(), seam), QPointF(layout.face.right(), seam));
}

void drawClampBolts(QPainter &painter, const QRectF &face)
{
    constexpr double kInset = 12.0;
    for (const QPointF &corner :
         {face.topLeft(), face.topRight(), face.bottomLeft(), face.bottomRight()}) {
        const double x = corner.x() + (corner.x() < kCentreX ? kInset : -kInset);
        const double y = corner.y() + (corner.y() < face.center().y() ? kInset : -kInset);
        drawBolt(painter, QPointF(x, y), 5.0);
    }
}

void drawFaceCover(QPainter &painter, const Layout &layout, bool shielded)
{
    useOutlinePen(painter);
    painter.setBrush(shielded ? kShield : kCopper);
    painter.drawRoundedRect(layout.faceCover, kCornerRadius, kCornerRadius);
    if (shielded) {
        useDetailPen(painter);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(layout.faceCover.adjusted(8, 8, -8, -8), 6.0, 6.0);
    } else {
        drawParallelLines(painter, layout.faceCover.adjusted(2, 0, -2, 0), 6.0, true);
    }
}

// Lead wires from `fromY` to `toY` ending in solder tags.
void drawLeads(QPainter &painter, double fromY, double toY)
{
    constexpr std::array<double, 3> offsets{-24.0, 0.0, 24.0};
    for (const double dx : offsets) {
        useOutlinePen(painter);
        painter.drawLine(QPointF(kCentreX + dx, fromY), QPointF(kCentreX + dx, toY));
        drawBolt(painter, QPointF(kCentreX + dx, toY), 4.0);
    }
}

void drawWoundDimensions(QPainter &painter, const Layout &layout)
{
    const QRectF &top = layout.topOutline;
    horizontalDimension(painter, layout.frontCover.left(), layout.frontCover.right(), top.top(),
                        top.top() - 8.0, QStringLiteral("B"));
    verticalDimension(painter, top.top(), top.bottom(), layout.frontCover.left(),
                      top.left() - kDimensionOffset, QStringLiteral("Z"));
    verticalDimension(painter, layout.stackBand.top(), layout.stackBand.bottom(),
                      layout.stackBand.right(), top.right() + kDimensionOffset,
                      QStringLiteral("A"));
    horizontalDimension(painter, layout.stackBand.left(), layout.stackBand.right(),
                        layout.stackBand.bottom(), top.bottom() + 14.0, QStringLiteral("X"));

    const QRectF &face = layout.face;
    verticalDimension(painter, face.top(), face.bottom(), face.left(),
                      face.left() - kDimensionOffset, QStringLiteral("Y"));
    verticalDimension(painter, layout.faceCover.top(), layout.faceCover.bottom(),
                      layout.faceCover.right(), face.right() + kDimensionOffset,
                      QStringLiteral("C"));
}

QRectF chassisStrip(double top)
{
    return QRectF(30.0, top, kPictureWidth - 60.0, kChassisThickness);
}

void drawOpenFrame(QPainter &painter, const Layout &layout)
{
    drawStackFromAbove(painter, layout);
    drawCoversFromAbove(painter, layout, false);

    drawLaminationFace(painter, layout);
    // The clamping frame along the top and bottom of the stack.
    constexpr double kFrameDepth = 14.0;
    for (const double y : {layout.face.top(), layout.face.bottom() - kFrameDepth}) {
        useOutlinePen(painter);
        painter.setBrush(QColor(0xc4, 0xc4, 0xc4));
        painter.drawRect(QRectF(layout.face.left(), y, layout.face.width(), kFrameDepth));
    }
    drawClampBolts(painter, layout.face.adjusted(0, -5, 0, 5));
    drawFaceCover(painter, layout, false);
    drawLeads(painter, layout.faceCover.top(), layout.face.top() - kLeadLength);
    drawWoundDimensions(painter, layout);
}

void drawShielded(QPainter &painter, const Layout &layout, bool subMount)
{
    drawStackFromAbove(painter, layout);
    drawCoversFromAbove(painter, layout, true);

    drawLaminationFace(painter, layout);
    drawClampBolts(painter, layout.face);
    if (subMount) {
        // The body hangs below the chassis; the leads come up through it.
        drawLeads(painter, layout.faceCover.top(), layout.face.top() - kLeadLength);
        drawChassis(painter, chassisStrip(layout.face.top() - kChassisThickness));
    } else {
        // The body stands on the chassis; the leads go down through it.
        drawLeads(painter, layout.faceCover.bottom(),
                  layout.face.bottom() + kChassisThickness + 10.0);
        drawChassis(painter, chassisStrip(layout.face.bottom()));
    }
    drawFaceCover(painter, layout, true);
    drawWoundDimensions(painter, layout);
}

void drawPotted(QPainter &painter, const Layout &layout)
{
    const QRectF &top = layout.topOutline;
    const QRectF &face = layout.face;
    constexpr std::array<double, 4> terminals{-45.0, -15.0, 15.0, 45.0};

    useOutlinePen(painter);
    painter.setBrush(kPotting);
    painter.drawRoundedRect(top, 4.0, 4.0);
    for (const double dx : terminals) {
        drawBolt(painter, QPointF(kCentreX + dx, top.center().y()), 7.0);
    }

    // Terminal posts on top, threaded mounting studs below, a name plate on the end.
    for (const double dx : terminals) {
        useOutlinePen(painter);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(kCentreX + dx - 5.0, face.top() - 12.0, 10.0, 12.0));
    }
    for (const double x : {face.left() + 25.0, face.right() - 25.0}) {
        const QRectF stud(x - 4.0, face.bottom(), 8.0, 14.0);
        useOutlinePen(painter);
        painter.setBrush(Qt::white);
        painter.drawRect(stud);
        drawParallelLines(painter, stud, 3.5, true);
    }
    useOutlinePen(painter);
    painter.setBrush(kPotting);
    painter.drawRoundedRect(face, 4.0, 4.0);
    const QRectF plate(kCentreX - 40.0, face.center().y() - 24.0, 80.0, 48.0);
    painter.setBrush(Qt::white);
    painter.drawRect(plate);
    drawParallelLines(painter, plate.adjusted(10, 0, -10, 0), 12.0, true);

    verticalDimension(painter, top.top(), top.bottom(), top.left(), top.left() - kDimensionOffset,
                      QStringLiteral("Z"));
    horizontalDimension(painter, top.left(), top.right(), top.bottom(), top.bottom() + 14.0,
                        QStringLiteral("X"));
    verticalDimension(painter, face.top(), face.bottom(), face.left(),
                      face.left() - kDimensionOffset, QStringLiteral("Y"));
}

} // namespace

QImage drawConstructionPicture(Construction construction, const QString &caption)
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const Layout layout;
    switch (construction) {
    case Construction::OpenFrame:
        drawOpenFrame(painter, layout);
        break;
    case Construction::ShieldedTopMount:
        drawShielded(painter, layout, false);
        break;
    case Construction::ShieldedSubMount:
        drawShielded(painter, layout, true);
        break;
    case Construction::Potted:
        drawPotted(painter, layout);
        break;
    }
    drawCaption(painter, QRectF(0, kPictureHeight - 44.0, kPictureWidth, 40.0), caption);
    return image;
}

} // namespace ferrolux::pictures
