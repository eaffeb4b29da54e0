// Takes the README's picture: the main window on a scratch program folder holding the worked
// example, after Calculate, with the check panel beside the form. Usage:
//   xvfb-run -s "-screen 0 1280x800x24" ferrolux-screenshot docs/screenshot.png
// A second argument picks the panel's tab (0 the load plot, 1 mains, 2 inputs, 3 load kinds,
// 4 supply, 5 bench) and shows the panel where a small screen leaves it hidden at start.

#include "calculator_window.h"
#include "check_panel.h"
#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"
#include "main_window.h"
#include "write_file.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: ferrolux-screenshot OUTPUT.png [PANEL-TAB]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    const ferrolux_tools::WorkedExampleFolder folder;
    if (folder.path().isEmpty()) {
        return 1;
    }
    const QString &path = folder.path();
    // The pictures of the construction types, as the program ships them.
    const QString pictures = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    for (int n = 1; n <= 4; ++n) {
        const QString name = QStringLiteral("Transformer-%1.jpg").arg(n);
        QFile::copy(pictures + name, path + name);
    }

    ferrolux::MainWindow window(path);
    window.load();
    // A little taller than it opens, so the panel's first plot shows whole.
    window.resize(window.width(), window.height() + 60);
    window.show();
    QTimer::singleShot(500, [&] {
        window.form()->findChild<QPushButton *>(QStringLiteral("CmdCalc"))->click();
        if (argc == 3) {
            if (!window.checkPanel()->isVisible()) {
                if (auto *panel = window.findChild<QAction *>(QStringLiteral("actionCheckPanel"))) {
                    panel->trigger();
                }
            }
            window.checkPanel()->tabs()->setCurrentIndex(QString::fromLocal8Bit(argv[2]).toInt());
        }
    });
    // Time for the charts, which are built after the first paint, and their animation.
    QTimer::singleShot(2500, [&] {
        const QPixmap shot = window.grab();
        app.exit(shot.save(output, "PNG") ? 0 : 1);
    });
    return app.exec();
}
