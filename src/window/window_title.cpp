#include "window_title.h"

#include "calculator_window.h"
#include "main_window.h"

#include <utility>

namespace ferrolux {

WindowTitle::WindowTitle(MainWindow *window, std::function<QString()> designName, QObject *parent)
    : QObject(parent), m_window(window), m_designName(std::move(designName))
{
    CalculatorWindow *form = window->form();
    connect(form, &CalculatorWindow::inputsEdited, this, &WindowTitle::updateModified);
    connect(form, &CalculatorWindow::designExtrasChanged, this, &WindowTitle::updateModified);
    showTitle();
}

void WindowTitle::markClean()
{
    m_baseline = m_window->form()->design();
    m_modified = false;
    showTitle();
}

void WindowTitle::updateModified()
{
    m_modified = m_window->form()->design() != m_baseline;
    showTitle();
}

void WindowTitle::showTitle()
{
    m_window->setWindowTitle(m_designName() + QStringLiteral("[*] - Ferrolux Analysis Calculator"));
    m_window->setWindowModified(m_modified);
}

} // namespace ferrolux
