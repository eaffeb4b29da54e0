#pragma once

// The window's own settings ("Ferrolux.ini": the check panel shown or not, the recent designs).
// The file is read only when it is a regular file of at most kMaxSettingsBytes, with the
// program's non-blocking reader: a named pipe, a device or an oversized file in its place is
// ignored (the defaults are used), named in a notice, and never written through. The INI text
// is parsed and produced by QSettings on a copy in a private temporary folder, so QSettings
// never opens the real file; the new text is saved through the program's one save routine.

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <cstddef>

namespace ferrolux {

// A settings file holds a few short lines; anything larger is not ours to read.
inline constexpr std::size_t kMaxSettingsBytes = 64u << 10;

class WindowSettings
{
public:
    // Reads the file at `path` once.
    explicit WindowSettings(QString path);

    QVariant value(const QString &key, const QVariant &fallback = {}) const;
    // Sets one value and saves the file at once (Close ends the process without unwinding).
    // Returns "" when saved, otherwise why not (the file was ignored, or the save failed).
    QString setValue(const QString &key, const QVariant &value);
    // Why the file was ignored ("" when it was read, or when there was none).
    const QString &problem() const { return m_problem; }

private:
    void takeValues();

    QString m_path;
    QString m_problem;
    QByteArray m_bytes; // the file's text as last read or written
    QVariantMap m_values;
};

} // namespace ferrolux
