#pragma once

// The four construction pictures: each shows the transformer from above and from its end, with
// the dimensions the surface calculation reads marked by arrows and letters.
//
// Geometry of the wound constructions: the lamination stack is X wide and Y high and A thick;
// the winding stands out of both faces of the stack, B wide and C high, and for the shielded
// kinds an end bell covers each of those parts. Z is the whole depth, stack and both covers,
// so each cover is W = (Z - A) / 2 deep. The radiating surface is then the two X x Y ends,
// two X x A edges of the stack and the four sides of each cover: 2XY + 2AX + 4WB + 4WC. The
// potted kind is a closed box X x Y x Z.

#include <QImage>
#include <QString>

namespace ferrolux::pictures {

enum class Construction { OpenFrame, ShieldedTopMount, ShieldedSubMount, Potted };

constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 460;

// The whole picture for one construction, white background, with `caption` under it.
QImage drawConstructionPicture(Construction construction, const QString &caption);

} // namespace ferrolux::pictures
