#pragma once

// The screenshot tools seed a scratch program folder with the worked example's files.

#include "constants_file.h"
#include "default_files.h"
#include "last_run_file.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
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

// A scratch program folder holding the worked example for as long as the object lives. path()
// ends in a separator; it is empty, with the reason printed, when the folder could not be made
// or seeded.
class WorkedExampleFolder
{
public:
    WorkedExampleFolder() : m_path(m_folder.path() + QLatin1Char('/'))
    {
        if (!m_folder.isValid() || !seedWorkedExample(m_path)) {
            std::fprintf(stderr, "cannot prepare a program folder\n");
            m_path.clear();
        }
    }
    const QString &path() const { return m_path; }

private:
    QTemporaryDir m_folder;
    QString m_path;
};

} // namespace ferrolux_tools
