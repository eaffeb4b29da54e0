#include "save_messages.h"

#include <QDir>
#include <QStringList>
#include <vector>

namespace ferrolux {

SaveResult saveWithOptions(const std::string &path, std::string_view bytes,
                           const SaveOptions &options)
{
    return saveFile(path, bytes, options);
}

QString inPlaceQuestion(const QString &path, const std::string &why)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(" cannot be replaced whole: ") +
           QString::fromLocal8Bit(why.c_str()).remove(QStringLiteral("it could not be replaced ")) +
           QStringLiteral(".\n\nWrite over the file itself? Should the disk fail during that "
                          "write, the file may be left damaged.");
}

QString saveOutcomeText(const QString &what, const QString &path, const SaveResult &result)
{
    const QString name = QDir::toNativeSeparators(path);
    const QString reason = QString::fromLocal8Bit(result.reason.c_str());
    switch (result.outcome) {
    case SaveResult::Outcome::Replaced:
    case SaveResult::Outcome::AlreadyThere:
        return {};
    case SaveResult::Outcome::WrittenInPlace:
        return name + QStringLiteral(" was written in place: ") + reason + QStringLiteral(".");
    case SaveResult::Outcome::Declined:
        return QStringLiteral("Nothing was saved: ") + name + QStringLiteral(" was not changed.");
    case SaveResult::Outcome::Failed:
        return QStringLiteral("Could not save ") + what + QStringLiteral(" to ") + name +
               QStringLiteral("; the file was not changed.\n") + reason;
    case SaveResult::Outcome::Damaged:
        return name + QStringLiteral(" is damaged: ") + what +
               QStringLiteral(" could not be written whole.\n") + reason +
               (result.keptCopy.empty() ? QString()
                                        : QStringLiteral("\nIts old contents are in ") +
                                              QDir::toNativeSeparators(
                                                  QString::fromLocal8Bit(result.keptCopy.c_str())) +
                                              QStringLiteral("."));
    }
    return {};
}

QString designNotice(const QString &source, const Design &design)
{
    const std::vector<std::string> problems = designProblems(design);
    if (problems.empty()) {
        return {};
    }
    QStringList lines;
    for (const std::string &problem : problems) {
        lines << QString::fromStdString(problem);
    }
    return source + QStringLiteral(": ") + lines.join(QStringLiteral("; ")) + QLatin1Char('.');
}

} // namespace ferrolux
