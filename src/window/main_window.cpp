// The main window: the form in its scroll area, the check panel in a dock beside it, the menu
// bar, and the remembered visibility of the panel.

#include "main_window.h"

#include "calculator_window.h"
#include "check_panel.h"
#include "design_file_actions.h"
#include "help_actions.h"
#include "save_messages.h"
#include "window_settings.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <utility>

namespace ferrolux {
namespace {

const QString kPanelVisibleKey = QStringLiteral("window/checkPanelVisible");

// A scroll area that asks for room for the whole of its content: the form at its fixed size,
// or the panel at its preferred width (its height never sets the window's).
class FittingScrollArea : public QScrollArea
{
public:
    explicit FittingScrollArea(QWidget *parent = nullptr) : QScrollArea(parent)
    {
        // Not a tab stop of its own: Tab goes to the controls inside, which it scrolls to.
        setFocusPolicy(Qt::NoFocus);
    }

    QSize sizeHint() const override
    {
        const QWidget *content = widget();
        if (!content) {
            return QScrollArea::sizeHint();
        }
        const int frame = 2 * frameWidth();
        if (widgetResizable()) {
            const int width = std::max(content->sizeHint().width(), content->minimumWidth());
            return {width + verticalScrollBar()->sizeHint().width() + frame, 0};
        }
        return content->size() + QSize(frame, frame);
    }
};

// Runs a function whenever the watched object receives one type of event.
class EventWatcher : public QObject
{
public:
    EventWatcher(QObject *watched, QEvent::Type type, std::function<void()> onEvent)
        : QObject(watched), m_type(type), m_onEvent(std::move(onEvent))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_type) {
            m_onEvent();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_onEvent;
};

} // namespace

MainWindow::MainWindow(QString appFolder, QWidget *parent)
    : QMainWindow(parent), m_appFolder(std::move(appFolder))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Ferrolux Analysis Calculator"));

    m_form = new CalculatorWindow(m_appFolder);
    m_scroll = new FittingScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("formScrollArea"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroll->setWidget(m_form);
    setCentralWidget(m_scroll);

    // The panel is built after the window's first paint (or when it is first shown); until
    // then a placeholder of its width holds its place, so the window opens sooner. Before the
    // panel is built, the window system is synced: it has then received and drawn the first
    // frame, which on a busy machine otherwise waits until the panel is done.
    auto *placeholder = new QWidget;
    placeholder->setObjectName(QStringLiteral("checkPanelPlaceholder"));
    placeholder->setMinimumWidth(CheckPanel::kPreferredWidth);
    new EventWatcher(placeholder, QEvent::Paint, [this] {
        QTimer::singleShot(0, this, [this] {
            if (!m_panel) {
                QGuiApplication::sync();
                checkPanel();
            }
        });
    });
    m_panelScroll = new FittingScrollArea;
    m_panelScroll->setObjectName(QStringLiteral("checkPanelScrollArea"));
    m_panelScroll->setFrameShape(QFrame::NoFrame);
    m_panelScroll->setWidgetResizable(true);
    // Squeezed beside the form on a small screen, the panel scrolls sideways too.
    m_panelScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_panelScroll->setWidget(placeholder);

    m_dock = new QDockWidget(QStringLiteral("Checks"), this);
    m_dock->setObjectName(QStringLiteral("checkPanelDock"));
    m_dock->setAllowedAreas(Qt::RightDockWidgetArea | Qt::LeftDockWidgetArea);
    m_dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetFloatable |
                        QDockWidget::DockWidgetMovable);
    m_dock->setWidget(m_panelScroll);
    addDockWidget(Qt::RightDockWidgetArea, m_dock);
    // The dock's own close button hides it: a choice of the user's, remembered.
    new EventWatcher(m_dock, QEvent::Close, [this] { setPanelVisibleByUser(false); });

    buildMenus();
    connectChecks();
}

MainWindow::~MainWindow() = default;

QString MainWindow::settingsPath() const
{
    return m_appFolder + QStringLiteral("Ferrolux.ini");
}

void MainWindow::buildMenus()
{
    auto addMenu = [this](const QString &title, const char *name) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };

    m_fileMenu = addMenu(QStringLiteral("&File"), "menuFile");
    // Through the file actions, which ask about a named design's unsaved edits first.
    QAction *close = m_fileMenu->addAction(QStringLiteral("&Close"), this,
                                           [this] { m_fileActions->requestClose(); });
    close->setObjectName(QStringLiteral("actionClose"));

    m_editMenu = addMenu(QStringLiteral("&Edit"), "menuEdit");
    QAction *calculate =
        m_editMenu->addAction(QStringLiteral("C&alculate"), m_form, &CalculatorWindow::calculate);
    calculate->setObjectName(QStringLiteral("actionCalculate"));
    // Calculate and Clear Data by keyboard from anywhere in the window; F9 as well as F5.
    calculate->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
                             QKeySequence(Qt::CTRL | Qt::Key_Enter), QKeySequence(Qt::Key_F9)});
    QAction *clear =
        m_editMenu->addAction(QStringLiteral("C&lear Data"), m_form, &CalculatorWindow::clearData);
    clear->setObjectName(QStringLiteral("actionClearData"));
    clear->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));

    QMenu *viewMenu = addMenu(QStringLiteral("&View"), "menuView");
    m_panelAction = m_dock->toggleViewAction();
    m_panelAction->setText(QStringLiteral("&Check Panel"));
    m_panelAction->setObjectName(QStringLiteral("actionCheckPanel"));
    m_panelAction->setShortcut(QKeySequence(Qt::Key_F8));
    connect(m_panelAction, &QAction::triggered, this, &MainWindow::setPanelVisibleByUser);
    // Shown by the user: once the dock is laid out, make room for it beside the whole form.
    connect(m_panelAction, &QAction::triggered, this, [this](bool visible) {
        if (visible) {
            QTimer::singleShot(0, this, &MainWindow::fitPanelBesideForm);
        }
    });
    viewMenu->addAction(m_panelAction);

    addHelpActions(addMenu(QStringLiteral("&Help"), "menuHelp"), this, m_appFolder);
    m_fileActions = new DesignFileActions(this);
}

void MainWindow::setPanelVisibleByUser(bool visible)
{
    WindowSettings(settingsPath()).setValue(kPanelVisibleKey, visible);
}

void MainWindow::showPanel(bool shown)
{
    m_dock->setVisible(shown);
    // The dock keeps its action in step only once the window is on screen.
    m_panelAction->setChecked(shown);
}

void MainWindow::load()
{
    m_form->load();
    m_fileActions->nameLoadAsTheButton();
    const WindowSettings settings(settingsPath());
    showPanel(settings.value(kPanelVisibleKey, true).toBool());
    m_fileActions->markClean();
    QStringList notices;
    if (!settings.problem().isEmpty()) {
        notices << settings.problem();
    }
    notices << designNotice(QStringLiteral("The last run"), m_form->design());
    notices.removeAll(QString());
    showNotice(notices.join(QLatin1Char(' ')));
    placeOnScreen();
    // The first field takes what the user types at once.
    m_form->focusFirstField();
}

void MainWindow::showNotice(const QString &text)
{
    if (!text.isEmpty()) {
        statusBar()->showMessage(text, kNoticeMilliseconds);
    }
}

} // namespace ferrolux
