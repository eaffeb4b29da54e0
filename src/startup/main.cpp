// The calculator's start-up: read the command line, fix the data and picture folders, seed the
// data folder on a first start, then open the calculator window. Closing the window by its title
// bar ends the process, as Qt quits when the last window closes.

#include "app_folder.h"
#include "app_icon.h"
#include "calculator_window.h"
#include "command_line.h"
#include "design_file_actions.h"
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
#include <string_view>

namespace {

// --help and --version only print, so they must work in a terminal without a display too: the
// application then starts on the offscreen platform instead of failing to find one.
void allowPrintingWithoutDisplay(int argc, char *argv[])
{
    const bool hasDisplay =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    for (int i = 1; i < argc && !hasDisplay; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h" || argument == "-?" ||
            argument == "--help-all" || argument == "--version" || argument == "-v") {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return;
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    allowPrintingWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ferrolux"));
    QApplication::setApplicationVersion(QStringLiteral(FERROLUX_APP_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.ferrolux.Ferrolux"));
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
    const ferrolux::ProgramFolders folders =
        ferrolux::programFoldersOfThisProcess(*executableFolder);
    const ferrolux::StartOptions options = ferrolux::readCommandLine(app, folders);
    const std::string &appFolder = folders.dataFolder;
    if (folders.installed) {
        const std::string reason = ferrolux::makeDataFolder(appFolder);
        if (!reason.empty()) {
            QMessageBox::critical(
                nullptr, QStringLiteral("Ferrolux"),
                QString::fromLocal8Bit(ferrolux::seedingFailureText(appFolder, reason).c_str()));
            return 1;
        }
    }

    const std::string failure = ferrolux::prepareAppFolder(appFolder);
    if (!failure.empty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Ferrolux"),
                              QString::fromLocal8Bit(failure.c_str()));
        return 1;
    }

    ferrolux::MainWindow window(QFile::decodeName(QByteArray::fromStdString(appFolder)));
    window.form()->setPictureFolder(
        QFile::decodeName(QByteArray::fromStdString(folders.pictureFolder)));
    window.load();
    if (!options.designFile.isEmpty()) {
        window.fileActions()->openDesign(options.designFile);
    }
    window.show();
    return app.exec();
}
