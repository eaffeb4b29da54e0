#include "command_line.h"

#include "app_folder.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ferrolux {

namespace {

QString decoded(const std::string &folder)
{
    return QDir::cleanPath(QFile::decodeName(QByteArray::fromStdString(folder)));
}

} // namespace

ProgramFolders programFoldersOfThisProcess(const std::string &executableFolder)
{
    // File names are formed from the folder's own bytes, as the system names it.
    const char separator = QDir::separator().toLatin1();
    const std::string appFolder = appFolderFor(executableFolder, separator);
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return chooseProgramFolders(
        appFolder, separator, QFile::encodeName(QDir::toNativeSeparators(userData)).toStdString(),
        [](const std::string &path) {
            return QFile::exists(QFile::decodeName(QByteArray::fromStdString(path)));
        });
}

StartOptions readCommandLine(const QCoreApplication &app, const ProgramFolders &folders)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Calculator for small mains transformers in valve equipment.\n\n"
                       "Data folder: %1\nPictures: %2")
            .arg(QDir::toNativeSeparators(decoded(folders.dataFolder)),
                 QDir::toNativeSeparators(decoded(folders.pictureFolder))));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("DESIGN.DAT"),
                                 QStringLiteral("A design file to open instead of the last run."),
                                 QStringLiteral("[DESIGN.DAT]"));
    parser.process(app);
    const QStringList designs = parser.positionalArguments();
    if (designs.size() > 1) {
        std::fprintf(stderr, "%s: give at most one design file\n%s",
                     qPrintable(QCoreApplication::applicationName().toLower()),
                     qPrintable(parser.helpText()));
        std::exit(2);
    }
    StartOptions options;
    if (!designs.isEmpty()) {
        options.designFile = QFileInfo(designs.front()).absoluteFilePath();
    }
    return options;
}

} // namespace ferrolux
