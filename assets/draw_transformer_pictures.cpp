// Draws the four construction pictures the calculator shows beside its dimension fields and
// writes them as "Transformer-1.jpg" to "Transformer-4.jpg" into the folder given as the only
// argument. Run at build time, without a display.

#include "transformer_views.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdio>

namespace {

struct Picture
{
    ferrolux::pictures::Construction construction;
    const char *caption;
    const char *fileName;
};

constexpr int kJpegQuality = 92;

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: draw-transformer-pictures OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    using ferrolux::pictures::Construction;
    constexpr std::array<Picture, 4> pictures{{
        {Construction::OpenFrame, "Unshielded", "Transformer-1.jpg"},
        {Construction::ShieldedTopMount, "Shielded Top Mount", "Transformer-2.jpg"},
        {Construction::ShieldedSubMount, "Shielded Sub Mount", "Transformer-3.jpg"},
        {Construction::Potted, "Military, Potted", "Transformer-4.jpg"},
    }};
    for (const Picture &picture : pictures) {
        const QImage image = ferrolux::pictures::drawConstructionPicture(
            picture.construction, QString::fromLatin1(picture.caption));
        const QString path = folder.filePath(QString::fromLatin1(picture.fileName));
        if (!image.save(path, "JPG", kJpegQuality)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
