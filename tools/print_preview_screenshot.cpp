// Takes the picture of the report's print preview for docs/: the main window on a scratch
// program folder holding the worked example, Calculate, then File > Print Preview…, saved as
// a PNG once the preview shows its pages. Usage:
//   xvfb-run -s "-screen 0 1280x1024x24" ferrolux-preview-screenshot docs/print-preview.png

#include "calculator_window.h"
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
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ferrolux-preview-screenshot OUTPUT.png\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    const ferrolux_tools::WorkedExampleFolder folder;
    if (folder.path().isEmpty()) {
        return 1;
    }
    const QString &path = folder.path();
    ferrolux::MainWindow window(path);
    window.load();
    window.show();
    int status = 1;
    QTimer::singleShot(500, [&] {
        window.form()->findChild<QPushButton *>(QStringLiteral("CmdCalc"))->click();
        // The preview is modal: the picture is taken from inside its event loop.
        QTimer::singleShot(3000, [&] {
            if (QWidget *preview = QApplication::activeModalWidget()) {
                preview->resize(900, 960);
                QApplication::processEvents();
                status = preview->grab().save(output, "PNG") ? 0 : 1;
                preview->close();
            }
        });
        window.findChild<QAction *>(QStringLiteral("actionPrintPreview"))->trigger();
        app.exit(status);
    });
    return app.exec();
}
