#pragma once

// The calculator's command line: --help (which also names the data folder in use), --version
// and an optional design file to open at start.

#include "data_folder.h"

#include <QString>
#include <string>

class QCoreApplication;

namespace ferrolux {

// The folders of the running program: its own folder, the per-user application data folder
// and the files that exist decide between the two layouts (see chooseProgramFolders).
ProgramFolders programFoldersOfThisProcess(const std::string &executableFolder);

struct StartOptions
{
    QString designFile; // empty: open the last run
};

// Reads the command line of `app`. --help and --version print their text and end the process
// with status 0, a usage error prints the reason and ends it with status 2, as
// QCommandLineParser does.
StartOptions readCommandLine(const QCoreApplication &app, const ProgramFolders &folders);

} // namespace ferrolux
