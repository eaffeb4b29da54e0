#include "window_settings.h"

#include "file_helpers.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <utility>

namespace ferrolux {
namespace {

// QSettings over a copy of `bytes` in a folder only this user may read; `change` may set values,
// and the text QSettings then writes is returned.
QByteArray throughCopy(const QByteArray &bytes, const std::function<void(QSettings &)> &change)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        return bytes;
    }
    const QString copy = folder.filePath(QStringLiteral("settings.ini"));
    QFile file(copy);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return bytes;
    }
    file.close();
    {
        QSettings settings(copy, QSettings::IniFormat);
        change(settings);
        settings.sync();
    }
    QFile written(copy);
    return written.open(QIODevice::ReadOnly) ? written.readAll() : bytes;
}

} // namespace

WindowSettings::WindowSettings(QString path) : m_path(std::move(path))
{
    const FileRead file =
        readRegularFile(QFile::encodeName(m_path).toStdString(), kMaxSettingsBytes);
    if (file.ok()) {
        m_bytes = QByteArray::fromStdString(file.bytes);
        takeValues();
    } else if (file.status != FileRead::Status::Missing) {
        m_problem = QDir::toNativeSeparators(m_path) + QStringLiteral(" was ignored (") +
                    QString::fromLocal8Bit(file.reason.c_str()) +
                    QStringLiteral("): the window uses its default settings and keeps none.");
    }
}

QVariant WindowSettings::value(const QString &key, const QVariant &fallback) const
{
    return m_values.value(key, fallback);
}

void WindowSettings::takeValues()
{
    m_values.clear();
    throughCopy(m_bytes, [this](QSettings &settings) {
        for (const QString &key : settings.allKeys()) {
            m_values.insert(key, settings.value(key));
        }
    });
}

QString WindowSettings::setValue(const QString &key, const QVariant &value)
{
    if (!m_problem.isEmpty()) {
        return m_problem;
    }
    const QByteArray bytes =
        throughCopy(m_bytes, [&](QSettings &settings) { settings.setValue(key, value); });
    const std::string failure = writeFileAtomically(
        QFile::encodeName(m_path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!failure.empty()) {
        return QString::fromLocal8Bit(failure.c_str());
    }
    m_bytes = bytes;
    takeValues();
    return {};
}

} // namespace ferrolux
