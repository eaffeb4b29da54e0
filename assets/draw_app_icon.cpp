// Writes the calculator's icon as "ferrolux-<size>.png" for each size the desktop's icon theme
// takes (16 to 256 pixels) into the folder given as the only argument, from the same drawing
// the window uses at run time. Run at build time, without a display.

#include "app_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: draw-app-icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    const QIcon icon = ferrolux::ferroluxIcon();
    for (const QSize &size : icon.availableSizes()) {
        const QString path = folder.filePath(QStringLiteral("ferrolux-%1.png").arg(size.width()));
        const QPixmap pixmap = icon.pixmap(size);
        if (pixmap.size() != size || !pixmap.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
