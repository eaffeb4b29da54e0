#pragma once

// The program's top-level window: a menu bar, the calculator form in a scroll area (so a
// screen smaller than the form still reaches every control) and the check panel beside it.
// Settings of the window itself (whether the panel is shown) live in an INI file in the
// program folder, so a copy of the folder carries everything it keeps.

#include "secondary_texts.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QScrollArea;

namespace ferrolux {

class CalculatorWindow;
class CheckPanel;
class DesignFileActions;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // `appFolder` ends in a separator, as for the calculator form.
    explicit MainWindow(QString appFolder, QWidget *parent = nullptr);
    ~MainWindow() override;

    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;

    // Restores the last run into the form and the panel's visibility from the settings, then
    // sizes and centres the window on its screen. Does not show it.
    void load();

    CalculatorWindow *form() const { return m_form; }
    // The check panel, built now if the window has not been painted yet.
    CheckPanel *checkPanel();
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *editMenu() const { return m_editMenu; }

    // The window's settings file, "Ferrolux.ini" in the program folder, in INI format. Each
    // change is written at once, because Close ends the process without unwinding.
    QString settingsPath() const;
    // The status bar's note that the report and the checks no longer match the inputs.
    QLabel *reportStatus() const { return m_reportStatus; }
    // Named designs, the title's modified mark and the report leaving the window.
    DesignFileActions *fileActions() const { return m_fileActions; }

    // A short note in the status bar about a file (settings ignored, block records kept as
    // written); it stays a minute, or until the next notice. Nothing for an empty text.
    void showNotice(const QString &text);
    static constexpr int kNoticeMilliseconds = 60000;

private:
    void buildMenus();
    void setPanelVisibleByUser(bool visible);
    void showPanel(bool shown);
    void placeOnScreen();
    // With the panel shown: widens the window as far as its screen allows, and gives the form
    // its whole width first, so the report stays in view; the panel takes what is left and
    // scrolls when that is less than it asks for.
    void fitPanelBesideForm();
    void connectChecks();
    void connectPanel();
    void storeExtrasFromPanel();
    void applyLoad(int row);
    void showSecondariesToLoadBuilder();
    void applyHeaterCurrents(const SecondaryRows &rows);
    // Hands the form's supplies and secondary count to the panel's Supply page when they differ.
    void showSupplies();
    void showChecks();
    void refreshChecks();
    void markOutOfDate();

    QString m_appFolder;
    CalculatorWindow *m_form = nullptr;
    QScrollArea *m_scroll = nullptr;
    CheckPanel *m_panel = nullptr;
    QScrollArea *m_panelScroll = nullptr;
    // The form changed after the last Calculate.
    bool m_outOfDate = false;
    QDockWidget *m_dock = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QAction *m_panelAction = nullptr;
    QLabel *m_reportStatus = nullptr;
    DesignFileActions *m_fileActions = nullptr;
};

} // namespace ferrolux
