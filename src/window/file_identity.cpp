#include "file_identity.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace ferrolux {

FileIdentity fileIdentity(const QString &path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    return {true,
            static_cast<std::uint64_t>(info.st_dev),
            static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec),
            static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

QString changedOnDiskNote(const QString &path, const FileIdentity &remembered)
{
    const FileIdentity now = fileIdentity(path);
    if (now == remembered) {
        return {};
    }
    const QString name = QDir::toNativeSeparators(path);
    if (!now.present) {
        return name + QStringLiteral(" was removed or renamed since it was opened or saved here.");
    }
    if (!remembered.present) {
        return name + QStringLiteral(" was created by another program since this window opened.");
    }
    return name + QStringLiteral(" was changed on disk since it was opened or saved here "
                                 "(perhaps by another copy of the calculator).");
}

} // namespace ferrolux
