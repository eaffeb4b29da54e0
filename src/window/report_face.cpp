#include "report_face.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>

namespace ferrolux {

namespace {

// Advances closer than this, in pixels, count as equal: a face drawn at fractional sizes may
// differ in the last bits of a glyph's scaled advance, never by a visible amount.
constexpr double kAdvanceTolerance = 0.01;

QFont sizedFace(QFont font, double pointSize)
{
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace

QString reportCharacters()
{
    QString characters;
    for (char16_t c = 0x20; c <= 0x7e; ++c) {
        characters += QChar(c);
    }
    characters += QChar(0x00b0); // the degree sign of the temperature line
    return characters;
}

bool hasEqualAdvances(const QFont &font, const QString &characters)
{
    const QFontMetricsF metrics(font);
    if (characters.isEmpty()) {
        return true;
    }
    const qreal first = metrics.horizontalAdvance(characters.front());
    for (const QChar c : characters) {
        if (std::abs(metrics.horizontalAdvance(c) - first) > kAdvanceTolerance) {
            return false;
        }
    }
    return true;
}

QFont firstEqualAdvanceFace(const QStringList &families, const QString &characters,
                            double pointSize)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : families) {
        if (!installed.contains(family)) {
            continue;
        }
        const QFont face = sizedFace(QFont(family), pointSize);
        if (hasEqualAdvances(face, characters)) {
            return face;
        }
    }
    return sizedFace(QFontDatabase::systemFont(QFontDatabase::FixedFont), pointSize);
}

QFont reportFace(double pointSize)
{
    static const QStringList families{
        QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"),
        QStringLiteral("Liberation Mono"), QStringLiteral("Noto Sans Mono")};
    return firstEqualAdvanceFace(families, reportCharacters(), pointSize);
}

} // namespace ferrolux
