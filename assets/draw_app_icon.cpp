// Writes the calculator's icon as "ferrolux-<size>.png" for each size given (the sizes the
// desktop's icon theme takes) into the folder given first, from the same drawing the window
// uses at run time. Run at build time, without a display.

#include "app_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: draw-app-icon OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    for (const QString &argument : arguments.mid(2)) {
        const int size = argument.toInt();
        const QString path = folder.filePath(QStringLiteral("ferrolux-%1.png").arg(size));
        const QPixmap pixmap = ferrolux::ferroluxIconPixmap(size);
        if (size <= 0 || pixmap.width() != size || !pixmap.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
