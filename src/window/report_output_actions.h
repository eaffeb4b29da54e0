#pragma once

// The report leaving the window, for the main window's menus: File > Export Report…,
// Print Preview…, Print…; Edit > Copy Report and Copy as Forum Post.

#include "report_document.h"

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace ferrolux {

class MainWindow;

class ReportOutputActions : public QObject
{
    Q_OBJECT

public:
    // Shows a failure to the user.
    using FailureMessage = std::function<void(const QString &text)>;

    // `designName` names the report and the file an export proposes, as it is at the time;
    // `fail` tells the user of an export that could not be written.
    ReportOutputActions(MainWindow *window, std::function<QString()> designName,
                        FailureMessage fail, QObject *parent);

    // Export Report…, Print Preview… and Print…, inserted in `menu` above `before`.
    void addFileActions(QMenu *menu, QAction *before);
    // Copy Report (also the report list's Ctrl+C) and Copy as Forum Post, added to `menu`.
    void addEditActions(QMenu *menu);

    // The whole export for the current inputs, with the panel's plots when they are drawn.
    ReportContent reportContent() const;
    // The report lines the form shows, and the check section when the panel is up to date.
    QString reportText() const;

private:
    void askAndExport();
    void copyToClipboard(const QString &text);

    MainWindow *m_window;
    std::function<QString()> m_designName;
    FailureMessage m_fail;
};

} // namespace ferrolux
