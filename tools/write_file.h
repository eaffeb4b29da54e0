#pragma once

// The screenshot tools seed a scratch program folder with the worked example's files.

#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"

#include <QFile>
#include <QString>
#include <string>

namespace ferrolux_tools {

inline bool writeFile(const QString &path, const std::string &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

// Writes the worked example's last-run file and the default constants into `folder` (ending in
// a separator); false when either could not be written.
inline bool seedWorkedExample(const QString &folder)
{
    return writeFile(folder + QLatin1String(ferrolux::kLastRunFileName),
                     ferrolux::exampleLastRunFileBytes()) &&
           writeFile(folder + QLatin1String(ferrolux::kConstantsFileName),
                     ferrolux::defaultConstantsFileBytes());
}

} // namespace ferrolux_tools
