// The report's face: chosen by measuring every character's advance, never by the face's
// fixed-pitch flag. DejaVu Sans and DejaVu Sans Mono come with the set-up's font package.

#include "report_face.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>
#include <tuple>

namespace ferrolux {
namespace {

QString resolvedFamily(const QFont &font)
{
    return QFontInfo(font).family();
}

TEST(ReportFace, AdvancesAreMeasuredOverTheGivenCharacters)
{
    // Family, characters, equal advances. A proportional face passes only over characters of
    // one width; a monospaced one over all the report's, the degree sign included.
    const std::tuple<const char *, QString, bool> cases[] = {
        {"DejaVu Sans Mono", reportCharacters(), true},
        {"DejaVu Sans", reportCharacters(), false},
        {"DejaVu Sans", QStringLiteral("iM"), false},
        {"DejaVu Sans", QStringLiteral("0123456789"), true}, // tabular figures
        {"DejaVu Sans", QStringLiteral("MMM"), true},
        {"DejaVu Sans", QString(), true},
    };
    for (const auto &[family, characters, equal] : cases) {
        QFont font{QString::fromLatin1(family)};
        font.setPointSizeF(9.75);
        EXPECT_EQ(hasEqualAdvances(font, characters), equal)
            << family << " over \"" << characters.toStdString() << "\"";
    }
}

TEST(ReportFace, FirstInstalledFamilyWithEqualAdvancesElseTheSystemFixedFont)
{
    const QString fixedFamily = resolvedFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Families in order, the family chosen: a missing family and a proportional one are
    // passed over; with none left, the system's fixed font.
    std::vector<std::tuple<QStringList, QString>> cases = {
        {{"No Such Face 7f3a", "DejaVu Sans", "DejaVu Sans Mono"}, "DejaVu Sans Mono"},
        {{"DejaVu Sans Mono", "DejaVu Sans"}, "DejaVu Sans Mono"},
        {{"DejaVu Sans"}, fixedFamily},
        {QStringList(), fixedFamily},
    };
    // A face whose glyphs share one advance but which the font system may not flag as
    // fixed-pitch is taken on its advances.
    if (QFontDatabase::families().contains(QStringLiteral("Noto Sans Mono"))) {
        cases.push_back({{"DejaVu Sans", "Noto Sans Mono"}, "Noto Sans Mono"});
    }
    for (const auto &[families, expected] : cases) {
        const QFont face = firstEqualAdvanceFace(families, reportCharacters(), 8.5);
        EXPECT_EQ(resolvedFamily(face), expected) << families.join(", ").toStdString();
        EXPECT_EQ(face.pointSizeF(), 8.5);
    }
    EXPECT_TRUE(hasEqualAdvances(reportFace(9.75), reportCharacters()));
}

} // namespace
} // namespace ferrolux
