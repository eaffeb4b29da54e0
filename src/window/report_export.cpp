#include "report_export.h"

#include "file_helpers.h"

#include <QBuffer>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

namespace ferrolux {

namespace {

QString writeBytes(const QString &path, const QByteArray &bytes)
{
    // The same save as every other file: the old file stays whole unless the new bytes
    // replace it whole, and a failure names the system's reason.
    const SaveResult result = saveFile(QFile::encodeName(path).toStdString(),
                                       std::string_view(bytes.constData(), bytes.size()));
    return result.ok() ? QString() : QString::fromLocal8Bit(result.reason.c_str());
}

} // namespace

ExportFormat exportFormatFor(const QString &path, bool *known)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (known) {
        *known = true;
    }
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        return ExportFormat::Html;
    }
    if (suffix == QLatin1String("pdf")) {
        return ExportFormat::Pdf;
    }
    if (known && suffix != QLatin1String("txt")) {
        *known = false;
    }
    return ExportFormat::Text;
}

std::unique_ptr<QTextDocument> reportTextDocument(const ReportContent &content)
{
    auto document = std::make_unique<QTextDocument>();
    for (std::size_t i = 0; i < content.plots.size(); ++i) {
        document->addResource(QTextDocument::ImageResource,
                              QUrl(QStringLiteral("plot-%1.png").arg(i + 1)),
                              content.plots[i].image);
    }
    document->setHtml(reportHtml(content, false));
    return document;
}

QString writeReport(const ReportContent &content, const QString &path)
{
    switch (exportFormatFor(path)) {
    case ExportFormat::Html:
        return writeBytes(path, reportHtml(content, true).toUtf8());
    case ExportFormat::Pdf: {
        // The PDF is made in memory first, so only a finished document reaches the file.
        QByteArray pdf;
        {
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setTitle(QStringLiteral("Ferrolux report: ") + content.designName);
            writer.setCreator(QStringLiteral("Ferrolux"));
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
            const std::unique_ptr<QTextDocument> document = reportTextDocument(content);
            document->print(&writer);
        }
        return pdf.isEmpty() ? QStringLiteral("The PDF could not be made.") : writeBytes(path, pdf);
    }
    case ExportFormat::Text:
        break;
    }
    return writeBytes(path, reportPlainText(content).toUtf8());
}

void printReport(const ReportContent &content, QPrinter *printer)
{
    reportTextDocument(content)->print(printer);
}

void showPrintDialog(const ReportContent &content, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Ferrolux report: ") + content.designName);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Report"));
    if (dialog.exec() == QDialog::Accepted) {
        printReport(content, &printer);
    }
}

void showPrintPreview(const ReportContent &content, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Ferrolux report: ") + content.designName);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Print Preview: ") + content.designName);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&content](QPrinter *target) { printReport(content, target); });
    preview.exec();
}

} // namespace ferrolux
