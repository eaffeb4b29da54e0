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
#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ferrolux"));
    QApplication::setWindowIcon(ferrolux::ferroluxIcon());

    // File names are formed from the executable's folder as the system names it, byte for
    // byte. The window names files through Qt's strings, so a folder name those cannot carry
    // exactly is refused rather than replaced by some other folder.
    std::string folderProblem;
    const std::optional<std::string> executableFolder = ferrolux::executableFolder(folderProblem);
    if (executableFolder &&
        QFile::encodeName(QFile::decodeName(QByteArray::fromStdString(*executableFolder))) !=
            QByteArray::fromStdString(*executableFolder)) {
        folderProblem = "Its name is not valid text in this system's file-name encoding (UTF-8). "
                        "Move the program to a folder whose name is.";
    }
    if (!folderProblem.empty()) {
        const std::string text =
            ferrolux::unusableFolderText(executableFolder.value_or(std::string()), folderProblem);
        std::fprintf(stderr, "%s\n", text.c_str()); // seen also where no window can open
        QMessageBox::critical(nullptr, QStringLiteral("Ferrolux"), QString::fromLocal8Bit(text));
        return 1;
    }
    const std::string appFolder = ferrolux::appFolderFor(*executableFolder, '/');

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
