#include "design_file_actions.h"

#include "design.h"
#include "file_helpers.h"
#include "main_window.h"
#include "menu_action.h"
#include "report_output_actions.h"
#include "window_settings.h"
#include "window_title.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <string>
#include <utility>

namespace ferrolux {

namespace {

const QString kRecentKey = QStringLiteral("designs/recent");
const QString kDesignFilter = QStringLiteral("Designs (*.DAT *.dat);;All files (*)");

DesignFileActions::CloseAnswer askDiscard(QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ferrolux"),
                    QStringLiteral("Save the changes to this design?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return DesignFileActions::CloseAnswer::Save;
    case QMessageBox::Discard:
        return DesignFileActions::CloseAnswer::Discard;
    default:
        return DesignFileActions::CloseAnswer::Cancel;
    }
}

// The load button's own words ("Load Last Run" or "Load Example") with the menu's mnemonic.
QString loadActionText(const CalculatorWindow *form)
{
    return form->loadButtonText().insert(1, QLatin1Char('&'));
}

} // namespace

DesignFileActions::DesignFileActions(MainWindow *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("designFileActions"));
    m_askClose = [window] { return askDiscard(window); };
    m_askFile = [window](bool forSaving, const QString &proposed) {
        return forSaving ? QFileDialog::getSaveFileName(window, QStringLiteral("Save Design As"),
                                                        proposed, kDesignFilter)
                         : QFileDialog::getOpenFileName(window, QStringLiteral("Open Design"),
                                                        proposed, kDesignFilter);
    };
    m_fail = [window](const QString &text) {
        QMessageBox::warning(window, QStringLiteral("Ferrolux"), text);
    };
    m_confirm = [window](const QString &text, const QString &goAhead) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Ferrolux"), text, QMessageBox::Cancel,
                        window);
        QPushButton *yes = box.addButton(goAhead, QMessageBox::AcceptRole);
        box.setDefaultButton(QMessageBox::Cancel);
        box.exec();
        return box.clickedButton() == yes;
    };

    m_output = new ReportOutputActions(
        window, [this] { return designName(); }, [this](const QString &text) { m_fail(text); },
        this);

    addFileActions(window->fileMenu());
    addEditActions(window->editMenu());

    CalculatorWindow *form = window->form();
    m_title = new WindowTitle(
        window, [this] { return designName(); }, this);
    // Load brings the last run back: the window then holds it, unmodified.
    connect(form, &CalculatorWindow::lastRunLoaded, this, [this] {
        m_path.clear();
        m_identity = {};
        markClean();
        m_window->showNotice(
            designNotice(QStringLiteral("The last run"), m_window->form()->design()));
    });
    // Close asks about a named design's edits before the form writes the last run.
    disconnect(form, &CalculatorWindow::closeRequested, form, &CalculatorWindow::closeAndSave);
    connect(form, &CalculatorWindow::closeRequested, this, &DesignFileActions::requestClose);
    window->installEventFilter(this);
}

void DesignFileActions::addFileActions(QMenu *menu)
{
    // Everything goes above the menu's own Close, which stays last.
    QAction *close = menu->actions().isEmpty() ? nullptr : menu->actions().constFirst();
    auto add = [&](const QString &text, const char *name, const QKeySequence &keys, auto slot) {
        connect(insertMenuAction(menu, close, text, name, keys), &QAction::triggered, this, slot);
    };
    add(QStringLiteral("&Open Design…"), "actionOpenDesign", QKeySequence::Open,
        [this] { askAndOpen(); });
    m_recentMenu = new QMenu(QStringLiteral("Open &Recent"), menu);
    m_recentMenu->setObjectName(QStringLiteral("menuOpenRecent"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &DesignFileActions::fillRecentMenu);
    menu->insertMenu(close, m_recentMenu);
    add(QStringLiteral("&Save Design"), "actionSaveDesign", QKeySequence(Qt::CTRL | Qt::Key_S),
        [this] { saveDesign(); });
    add(QStringLiteral("Save Design &As…"), "actionSaveDesignAs",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { askAndSaveAs(); });
    menu->insertSeparator(close);
    m_output->addFileActions(menu, close);
    menu->insertSeparator(close);
    fillRecentMenu();
}

void DesignFileActions::addEditActions(QMenu *menu)
{
    CalculatorWindow *form = m_window->form();
    // Load by keyboard from anywhere in the window, as Calculate and Clear Data.
    m_loadAction = menu->addAction(loadActionText(form), form, &CalculatorWindow::loadData);
    m_loadAction->setObjectName(QStringLiteral("actionLoadData"));
    connect(menu, &QMenu::aboutToShow, this, &DesignFileActions::nameLoadAsTheButton);
    m_loadAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    menu->addSeparator();

    m_output->addEditActions(menu);
}

void DesignFileActions::nameLoadAsTheButton()
{
    m_loadAction->setText(loadActionText(m_window->form()));
}

QString DesignFileActions::designName() const
{
    return m_path.isEmpty() ? QStringLiteral("Last run") : QFileInfo(m_path).fileName();
}

QStringList DesignFileActions::recentDesigns() const
{
    const WindowSettings settings(m_window->settingsPath());
    return settings.value(kRecentKey).toStringList().mid(0, kRecentCount);
}

void DesignFileActions::rememberRecent(const QString &path)
{
    QStringList recent = recentDesigns();
    recent.removeAll(path);
    recent.prepend(path);
    WindowSettings(m_window->settingsPath()).setValue(kRecentKey, recent.mid(0, kRecentCount));
}

void DesignFileActions::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList recent = recentDesigns();
    for (int i = 0; i < recent.size(); ++i) {
        const QString &path = recent.at(i);
        QAction *entry = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this,
            [this, path] { openDesign(path); });
        // A design that was moved or deleted since stays listed, greyed, so the list keeps its
        // order and the user sees what went missing.
        const QFileInfo info(path);
        const bool opens =
            FileExists(QFile::encodeName(info.absolutePath() + QLatin1Char('/')).toStdString(),
                       QFile::encodeName(info.fileName()).toStdString());
        entry->setEnabled(opens);
        entry->setToolTip(opens ? path : path + QStringLiteral(" (cannot be opened)"));
    }
    m_recentMenu->setEnabled(!recent.isEmpty());
}

QString DesignFileActions::openDesign(const QString &path)
{
    // Only a regular file is read, and never waited on: a named pipe chosen by mistake (from
    // Open Recent or the command line) would otherwise hang the window.
    const FileRead file = readRegularFile(QFile::encodeName(path).toStdString(), kMaxDataFileBytes);
    QString reason;
    if (!file.ok()) {
        reason = QString::fromLocal8Bit(file.reason.c_str());
    } else {
        const DesignFileRead read = readDesignFile(file.bytes);
        if (!read.complete()) {
            reason = QStringLiteral("This is not a complete design file: ") +
                     QString::fromStdString(read.failure.empty() ? std::string("too few records")
                                                                 : read.failure);
        } else {
            m_window->form()->setDesign(read.design);
            rememberFile(path);
            m_identity = fileIdentity(m_path);
            m_window->showNotice(designNotice(designName(), read.design));
            return {};
        }
    }
    reason = QStringLiteral("Could not open %1\n\n%2").arg(QDir::toNativeSeparators(path), reason);
    m_fail(reason);
    return reason;
}

void DesignFileActions::rememberFile(const QString &path)
{
    m_path = QFileInfo(path).absoluteFilePath();
    rememberRecent(m_path);
    markClean();
}

bool DesignFileActions::mayOverwrite(const QString &path)
{
    // Only the open design's own file is compared: another file chosen in Save As was
    // confirmed in the file dialog.
    if (m_path.isEmpty() || QFileInfo(path).absoluteFilePath() != m_path) {
        return true;
    }
    const QString note = changedOnDiskNote(m_path, m_identity);
    return note.isEmpty() ||
           m_confirm(note + QStringLiteral("\n\nOverwrite it with the design in this window?"),
                     QStringLiteral("Overwrite"));
}

QString DesignFileActions::saveDesignAs(const QString &path)
{
    if (!mayOverwrite(path)) {
        const QString told = QStringLiteral("The design was not saved: %1 was not changed.")
                                 .arg(QDir::toNativeSeparators(path));
        m_fail(told);
        return told;
    }
    Design design = m_window->form()->design();
    design.run.example = false; // a saved design is the user's own, never the shipped example
    SaveOptions options;
    options.announceInPlace = [this, &path](const std::string &why) {
        return m_confirm(inPlaceQuestion(path, why), QStringLiteral("Write in Place"));
    };
    const SaveResult result =
        m_save(QFile::encodeName(path).toStdString(), designFileBytes(design), options);
    if (!result.ok()) {
        const QString told = saveOutcomeText(QStringLiteral("the design"), path, result);
        m_fail(told);
        return told;
    }
    // A rewrite in place was asked for and agreed to: nothing more to tell.
    rememberFile(path);
    m_identity = fileIdentity(m_path);
    return {};
}

void DesignFileActions::saveDesign()
{
    if (m_path.isEmpty()) {
        askAndSaveAs();
    } else {
        saveDesignAs(m_path);
    }
}

void DesignFileActions::askAndSaveAs()
{
    const QString proposed = m_path.isEmpty() ? QStringLiteral("Design.DAT") : m_path;
    const QString path = m_askFile(true, proposed);
    if (!path.isEmpty()) {
        saveDesignAs(path);
    }
}

void DesignFileActions::askAndOpen()
{
    const QString path = m_askFile(false, QFileInfo(m_path).absolutePath());
    if (!path.isEmpty()) {
        openDesign(path);
    }
}

bool DesignFileActions::settleNamedDesign(CloseAnswer answer)
{
    switch (answer) {
    case CloseAnswer::Save:
        // The edits go to the design's own file; a failed save keeps the window open, so the
        // user still holds the edits and has been told why.
        return m_path.isEmpty() || saveDesignAs(m_path).isEmpty();
    case CloseAnswer::Discard:
        return true;
    case CloseAnswer::Cancel:
        break;
    }
    return false;
}

void DesignFileActions::markClean()
{
    m_title->markClean();
}

ReportContent DesignFileActions::reportContent() const
{
    return m_output->reportContent();
}

void DesignFileActions::requestClose()
{
    m_title->updateModified();
    // The last run needs no question: Close saves it anyway.
    if (m_title->isModified() && !m_path.isEmpty() && !settleNamedDesign(m_askClose())) {
        return;
    }
    m_window->form()->closeAndSave();
}

bool DesignFileActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::Close) {
        return QObject::eventFilter(watched, event);
    }
    m_title->updateModified();
    if (!m_title->isModified()) {
        return false;
    }
    const CloseAnswer answer = m_askClose();
    if (settleNamedDesign(answer)) {
        if (answer == CloseAnswer::Save) {
            // What Close does: save the last run and end.
            m_window->form()->closeAndSave();
        }
        return false;
    }
    event->ignore();
    return true;
}

} // namespace ferrolux
