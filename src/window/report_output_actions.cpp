#include "report_output_actions.h"

#include "calculator_window.h"
#include "check_panel.h"
#include "evaluation.h"
#include "main_window.h"
#include "menu_action.h"
#include "report_export.h"
#include "report_plots.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <optional>
#include <string>
#include <utility>

namespace ferrolux {

namespace {

const QString kExportFilter = QStringLiteral("PDF (*.pdf);;HTML page (*.html);;Plain text (*.txt)");

} // namespace

ReportOutputActions::ReportOutputActions(MainWindow *window, std::function<QString()> designName,
                                         FailureMessage fail, QObject *parent)
    : QObject(parent), m_window(window), m_designName(std::move(designName)),
      m_fail(std::move(fail))
{
}

void ReportOutputActions::addFileActions(QMenu *menu, QAction *before)
{
    auto insert = [&](const QString &text, const char *name, const QKeySequence &keys, auto slot) {
        connect(insertMenuAction(menu, before, text, name, keys), &QAction::triggered, this, slot);
    };
    insert(QStringLiteral("&Export Report…"), "actionExportReport", QKeySequence(),
           [this] { askAndExport(); });
    insert(QStringLiteral("Print Pre&view…"), "actionPrintPreview", QKeySequence(),
           [this] { showPrintPreview(reportContent(), m_window); });
    insert(QStringLiteral("&Print…"), "actionPrint", QKeySequence::Print,
           [this] { showPrintDialog(reportContent(), m_window); });
}

void ReportOutputActions::addEditActions(QMenu *menu)
{
    // Ctrl+C copies the report only while the report list has the focus; in a field it stays
    // the field's own copy.
    QAction *copy = menu->addAction(QStringLiteral("&Copy Report"), this,
                                    [this] { copyToClipboard(reportText()); });
    copy->setObjectName(QStringLiteral("actionCopyReport"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    m_window->form()->addReportAction(copy);
    QAction *forum = menu->addAction(QStringLiteral("Copy as &Forum Post"), this, [this] {
        const QString text = reportText();
        copyToClipboard(text.isEmpty()
                            ? QString()
                            : QStringLiteral("[code]\n") + text + QStringLiteral("[/code]\n"));
    });
    forum->setObjectName(QStringLiteral("actionCopyForumPost"));
}

void ReportOutputActions::askAndExport()
{
    const QString proposed = QFileInfo(m_designName()).completeBaseName() + QStringLiteral(".pdf");
    const QString path = QFileDialog::getSaveFileName(m_window, QStringLiteral("Export Report"),
                                                      proposed, kExportFilter);
    if (path.isEmpty()) {
        return;
    }
    const QString failure = writeReport(reportContent(), path);
    if (!failure.isEmpty()) {
        m_fail(QStringLiteral("Could not export %1\n\n%2")
                   .arg(QDir::toNativeSeparators(path), failure));
    }
}

ReportContent ReportOutputActions::reportContent() const
{
    const CalculatorWindow *form = m_window->form();
    // The report on the screen, with the inputs it was made from. Before the first Calculate,
    // or once the inputs changed since, the inputs as they are now are evaluated instead, so
    // the page never holds figures that belong to other inputs than the ones printed.
    const std::optional<Evaluation> &shown = form->evaluation();
    const bool current = shown && form->design() == shown->design;
    const Evaluation evaluation = current ? *shown : evaluate(form->design(), form->limits());
    ReportContent content =
        reportContentFor(m_designName(), QDateTime::currentDateTime(), evaluation);
    if (shown && !current) {
        content.note = QStringLiteral("The inputs changed since the window's last Calculate: this "
                                      "page was calculated afresh from the inputs listed here.");
    }
    // Drawn for the page from the figures, whatever the panel's tabs have shown.
    if (content.refusal.isEmpty()) {
        content.plots = reportPlots(evaluation);
    }
    return content;
}

QString ReportOutputActions::reportText() const
{
    const QStringList shown = m_window->form()->reportLines();
    const std::optional<Evaluation> &evaluation = m_window->form()->evaluation();
    if (shown.isEmpty() || !evaluation) {
        return {};
    }
    // The check section belongs to the report only while both come from the same inputs.
    QStringList checks;
    if (!m_window->checkPanel()->isOutOfDate()) {
        for (const std::string &line : evaluation->checkLines) {
            checks << QString::fromStdString(line);
        }
    }
    return reportClipboardText(shown, checks);
}

void ReportOutputActions::copyToClipboard(const QString &text)
{
    if (!text.isEmpty()) {
        QApplication::clipboard()->setText(text);
    }
}

} // namespace ferrolux
