#pragma once

// Drawing helpers for the construction pictures: colours, dimension arrows with their letters,
// the chassis plate and the caption. Coordinates are pixels of the picture.

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace ferrolux::pictures {

// Light fills on a white sheet, black lines.
inline const QColor kLamination(0xdd, 0xdd, 0xdd);
inline const QColor kCopper(0xf4, 0xd3, 0xae);
inline const QColor kShield(0xd6, 0xe2, 0xef);
inline const QColor kPotting(0xe7, 0xe4, 0xc9);
inline const QColor kChassis(0xee, 0xee, 0xee);

// Outline pen of the drawn parts, and the thinner pen of detail lines inside them.
void useOutlinePen(QPainter &painter);
void useDetailPen(QPainter &painter);

// A horizontal dimension from x1 to x2 drawn at height `lineY`, with extension lines coming
// from the part's edge at `edgeY`. The letter sits on the far side of the line from the part.
void horizontalDimension(QPainter &painter, double x1, double x2, double edgeY, double lineY,
                         const QString &letter);

// A vertical dimension from y1 to y2 drawn at `lineX`, extension lines from the part's edge at
// `edgeX`; the letter sits on the far side of the line from the part.
void verticalDimension(QPainter &painter, double y1, double y2, double edgeX, double lineX,
                       const QString &letter);

// A strip of chassis plate, hatched as a section.
void drawChassis(QPainter &painter, const QRectF &strip);

// A bolt head seen end-on.
void drawBolt(QPainter &painter, QPointF centre, double radius);

// Lines across `area`, parallel to its long side when `horizontal`, `spacing` apart: the
// edges of laminations or the turns of a winding.
void drawParallelLines(QPainter &painter, const QRectF &area, double spacing, bool horizontal);

// The picture's caption, centred in `area` in a bold sans font.
void drawCaption(QPainter &painter, const QRectF &area, const QString &text);

} // namespace ferrolux::pictures
