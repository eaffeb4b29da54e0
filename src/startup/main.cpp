// The calculator's start-up: fix the program folder, seed it on a first start, then open the
// calculator window. Closing the window by its title bar ends the process, as Qt quits when
// the last window closes.

#include "app_folder.h"
#include "app_icon.h"
#include "main_window.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QString>
#include <string>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ferrolux"));
    QApplication::setWindowIcon(ferrolux::ferroluxIcon());

    // File names are formed from the folder as 8-bit text in the platform's file-name encoding.
    const QString executableFolder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const std::string appFolder = ferrolux::appFolderFor(
        QFile::encodeName(executableFolder).toStdString(), QDir::separator().toLatin1());

    const std::string failure = ferrolux::prepareAppFolder(appFolder);
    if (!failure.empty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Ferrolux"),
                              QString::fromLocal8Bit(failure.c_str()));
        return 1;
    }

    ferrolux::MainWindow window(QFile::decodeName(QByteArray::fromStdString(appFolder)));
    window.load();
    window.show();
    return app.exec();
}
