// The report as it leaves the window: its text checked against the report tool's --check
// output for the same design, the PDF through pdftotext, the HTML through its text.

#include "default_files.h"
#include "report_export.h"
#include "window_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace ferrolux {
namespace {

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The worked example with the limits a first start writes (plate 2.5 %, filament 4.5 %).
ReportContent exampleContent()
{
    DissipationLimits limits;
    limits.OCPPDis = 2.5;
    limits.OCFPDis = 4.5;
    limits.POTPPDis = 2.5;
    limits.POTFPDis = 4.5;
    DesignState design{exampleLastRun(), DesignExtras{}};
    ReportContent content =
        reportContentFor(QStringLiteral("Bench amp <PSU>"),
                         QDateTime(QDate(2026, 12, 6), QTime(21, 30), Qt::UTC), design, limits);
    QImage plot(120, 80, QImage::Format_RGB32);
    plot.fill(Qt::darkGreen);
    content.plots.push_back({QStringLiteral("Hot spot against load"), plot});
    return content;
}

TEST(ReportExport, ReportAndCheckLinesAreTheReportToolsCheckText)
{
    const ReportContent content = exampleContent();
    ASSERT_TRUE(content.refusal.isEmpty()) << content.refusal.toStdString();
    const QString tool = runTool(QStringLiteral(FERROLUX_REPORT_TOOL),
                                 {QStringLiteral("--example"), QStringLiteral("--check")});
    ASSERT_FALSE(tool.isEmpty());
    EXPECT_EQ(reportClipboardText(content.reportLines, content.checkLines), tool);
    EXPECT_EQ(forumPostText(content.reportLines, content.checkLines),
              QStringLiteral("[code]\n") + tool + QStringLiteral("[/code]\n"));
}

// The text each format gives back: the file itself, the HTML's rendered text, pdftotext's.
QString textOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html")) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(bytes));
        return document.toPlainText();
    }
    if (suffix == QLatin1String("pdf")) {
        EXPECT_TRUE(bytes.startsWith("%PDF-")) << path.toStdString();
        return runTool(QStringLiteral("pdftotext"),
                       {QStringLiteral("-layout"), path, QStringLiteral("-")});
    }
    return QString::fromUtf8(bytes);
}

TEST(ReportExport, EveryFormatHoldsNameDateInputsReportAndChecks)
{
    const ReportContent content = exampleContent();
    QTemporaryDir folder;
    const LastRun &run = content.design.run;
    // What a reader needs to redo the calculation, each item as the page must show it.
    const QStringList expected = {
        QStringLiteral("Bench amp <PSU>"),
        QStringLiteral("2026-12-06"),
        QStringLiteral("Primary Voltage"),
        QString::fromStdString(run.primaryVoltage) + QStringLiteral(" V"),
        QStringLiteral("Secondary 4 Resistance"),
        QString::fromStdString(run.secondaries[3].resistance) + QStringLiteral(" ohms"),
        QStringLiteral("Shielded Sub Mount"),
        QStringLiteral("Dimension C"),
        QString::fromStdString(run.c) + QStringLiteral(" cm"),
        QStringLiteral("2.5 %, 4.5 %"),
        QStringLiteral("Emissivity"),
        QStringLiteral("Primary Current = 731.4e-3  Amps"),
        QStringLiteral("Operating Temperature = 223.4"),
        QStringLiteral("McLyman"),
        QStringLiteral("within class"),
    };
    for (const char *name : {"design.txt", "design.html", "design.PDF"}) {
        const QString path = folder.filePath(QLatin1String(name));
        ASSERT_EQ(writeReport(content, path), QString()) << name;
        // pdftotext keeps the PDF's own spacing; compare with runs of blanks made single.
        const QString text = textOf(path).simplified();
        for (const QString &item : expected) {
            EXPECT_TRUE(text.contains(item.simplified())) << name << ": " << item.toStdString();
        }
    }
    // The saved page carries its plot inside it, with no file beside it.
    QFile html(folder.filePath(QStringLiteral("design.html")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    EXPECT_TRUE(html.readAll().contains("src=\"data:image/png;base64,iVBOR"));
}

TEST(ReportExport, RefusedDesignSaysWhyAndWritesNoStaleFigures)
{
    ReportContent refused = exampleContent();
    refused.design.run.primaryVoltage = "abc";
    refused = reportContentFor(refused.designName, refused.created, refused.design, refused.limits);
    EXPECT_TRUE(refused.reportLines.isEmpty());
    EXPECT_TRUE(refused.checkLines.isEmpty());
    const QString text = reportPlainText(refused);
    EXPECT_TRUE(text.contains(QStringLiteral("Not calculated: Primary voltage")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Primary Current =")));
}

TEST(ReportExport, FormatBySuffixAndFailuresNamed)
{
    const std::tuple<const char *, ExportFormat, bool> cases[] = {
        {"a.txt", ExportFormat::Text, true},  {"a.TXT", ExportFormat::Text, true},
        {"a.html", ExportFormat::Html, true}, {"a.htm", ExportFormat::Html, true},
        {"a.Pdf", ExportFormat::Pdf, true},   {"a.dat", ExportFormat::Text, false},
        {"noext", ExportFormat::Text, false},
    };
    for (const auto &[path, format, known] : cases) {
        bool isKnown = !known;
        EXPECT_EQ(exportFormatFor(QLatin1String(path), &isKnown), format) << path;
        EXPECT_EQ(isKnown, known) << path;
    }
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("no-such-folder/report.pdf"));
    EXPECT_FALSE(writeReport(exampleContent(), missing).isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
} // namespace ferrolux
