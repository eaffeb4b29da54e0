// The report as it leaves the window for a file: plain text, HTML read back through its text and
// PDF through pdftotext, each holding what a reader needs to redo the calculation; a refused
// design; the format chosen by the suffix, and a failure named. (The report's lines themselves
// are compared with the report tool's by the main window's Copy Report test.)

#include "default_files.h"
#include "report_export.h"
#include "window_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>

namespace ferrolux {
namespace {

// The worked example with the limits a first start writes, and one plot.
ReportContent exampleContent()
{
    const DissipationLimits limits{2.5, 4.5, 2.5, 4.5};
    const DesignState design{exampleLastRun(), DesignExtras{}};
    ReportContent content =
        reportContentFor(QStringLiteral("Bench amp <PSU>"),
                         QDateTime(QDate(2026, 12, 6), QTime(21, 30), Qt::UTC), design, limits);
    QImage plot(120, 80, QImage::Format_RGB32);
    plot.fill(Qt::darkGreen);
    content.plots.push_back({QStringLiteral("Hot spot against load"), plot});
    return content;
}

// The text each format gives back: the file itself, the HTML's rendered text, pdftotext's.
QString textOf(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html")) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(bytes));
        return document.toPlainText();
    }
    if (suffix == QLatin1String("pdf")) {
        EXPECT_TRUE(bytes.startsWith("%PDF-")) << path.toStdString();
        QProcess process;
        process.start(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), path, QStringLiteral("-")});
        process.waitForFinished(20000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    return QString::fromUtf8(bytes);
}

TEST(ReportExport, EveryFormatHoldsNameDateInputsReportAndChecks)
{
    const ReportContent content = exampleContent();
    ASSERT_TRUE(content.refusal.isEmpty()) << content.refusal.toStdString();
    QTemporaryDir folder;
    const LastRun &run = content.design.run;
    const QStringList expected = {
        QStringLiteral("Bench amp <PSU>"),
        QStringLiteral("2026-12-06"),
        QStringLiteral("Primary Voltage"),
        QString::fromStdString(run.primaryVoltage) + QStringLiteral(" V"),
        QStringLiteral("Secondary 4 Resistance"),
        QString::fromStdString(run.secondaries[3].resistance) + QStringLiteral(" ohms"),
        QStringLiteral("Shielded Sub Mount"),
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
    // An unknown suffix is written as text; a folder that is not there is a named failure.
    bool known = true;
    EXPECT_EQ(exportFormatFor(QStringLiteral("a.dat"), &known), ExportFormat::Text);
    EXPECT_FALSE(known);
    EXPECT_EQ(exportFormatFor(QStringLiteral("a.htm"), &known), ExportFormat::Html);
    EXPECT_TRUE(known);
    const QString missing = folder.filePath(QStringLiteral("no-such-folder/report.pdf"));
    EXPECT_FALSE(writeReport(content, missing).isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
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

} // namespace
} // namespace ferrolux
