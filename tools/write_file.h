#pragma once

// The screenshot tools seed a scratch program folder with the worked example's files.

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

} // namespace ferrolux_tools
