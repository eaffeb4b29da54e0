#pragma once

// The face the report list is set in. The report's columns line up only when every character a
// report line can hold has one and the same advance. A face's fixed-pitch flag is not enough to
// go by: some faces whose Latin glyphs all share one advance are not flagged as fixed-pitch, and
// the flag says nothing about the glyphs a fallback face supplies. So the advances are measured.

#include <QFont>
#include <QString>
#include <QStringList>

namespace ferrolux {

// Every character a report line can hold: printable ASCII and the degree sign.
QString reportCharacters();

// True when every character of `characters` has the same horizontal advance in `font`, to a
// hundredth of a pixel; true for an empty text.
bool hasEqualAdvances(const QFont &font, const QString &characters);

// The first of `families` that the font database holds and whose face, at `pointSize`, has
// equal advances over `characters`; failing that, the system's fixed font at that size.
QFont firstEqualAdvanceFace(const QStringList &families, const QString &characters,
                            double pointSize);

// The report's face at `pointSize`: the first of "Courier New", "DejaVu Sans Mono",
// "Liberation Mono" and "Noto Sans Mono" with equal advances over reportCharacters(), otherwise
// the system's fixed font.
QFont reportFace(double pointSize);

} // namespace ferrolux
