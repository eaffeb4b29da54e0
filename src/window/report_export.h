#pragma once

// Writing the report to a file (plain text, HTML or PDF, chosen by the file's suffix) and
// printing it, with Qt's own document, PDF and print machinery.

#include "report_document.h"

#include <QString>
#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;

namespace ferrolux {

enum class ExportFormat { Text, Html, Pdf };

// The format a file name asks for: ".html"/".htm" HTML, ".pdf" PDF, anything else plain text;
// any letter case. `known`, when given, says whether the suffix was one of these or ".txt".
ExportFormat exportFormatFor(const QString &path, bool *known = nullptr);

// The export as a text document with the plot images as its resources, for PDF and printing.
std::unique_ptr<QTextDocument> reportTextDocument(const ReportContent &content);

// Writes the export to `path` in the format its suffix names. Returns "" on success,
// otherwise the reason, for the user.
QString writeReport(const ReportContent &content, const QString &path);

// Lays the export out on the printer's pages and prints it.
void printReport(const ReportContent &content, QPrinter *printer);

// File > Print…: the print dialog, then the pages on the printer it chose.
void showPrintDialog(const ReportContent &content, QWidget *parent);
// File > Print Preview…: the pages as they will print, with the preview's own Print button.
void showPrintPreview(const ReportContent &content, QWidget *parent);

} // namespace ferrolux
