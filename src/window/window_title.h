#pragma once

// The main window's title: the design's name, and the modified mark while the form's inputs
// differ from the ones last opened, saved or loaded.

#include "design.h"

#include <QObject>
#include <QString>
#include <functional>

namespace ferrolux {

class MainWindow;

class WindowTitle : public QObject
{
    Q_OBJECT

public:
    // Follows the form's edits and shows the title at once. `designName` gives the name as it
    // is at each update ("Last run", or a design's file name).
    WindowTitle(MainWindow *window, std::function<QString()> designName, QObject *parent);

    // The inputs as they are now become the ones the modified mark compares with.
    void markClean();
    // Whether the inputs differed from the clean ones at the last update.
    bool isModified() const { return m_modified; }

public slots:
    // Compares the form's inputs with the clean ones and shows the result.
    void updateModified();

private:
    void showTitle();

    MainWindow *m_window;
    std::function<QString()> m_designName;
    Design m_baseline;
    bool m_modified = false;
};

} // namespace ferrolux
