#include "report_document.h"

#include "engineering_checks.h"
#include "secondary_rows.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>

namespace ferrolux {

namespace {

// Fixed-width lines that wrap at the page's right margin instead of running past it.
const QString kWrappingPre = QStringLiteral("<pre style=\"white-space: pre-wrap\">");

QString text(const std::string &value)
{
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

QString typeName(int typeCode)
{
    switch (typeCode) {
    case 1:
        return QStringLiteral("Unshielded");
    case 2:
        return QStringLiteral("Shielded Top Mount");
    case 3:
        return QStringLiteral("Shielded Sub Mount");
    case 4:
        return QStringLiteral("Military, Potted");
    default:
        return QStringLiteral("(none selected)");
    }
}

QString loadingState(int loading)
{
    return loading == 1 ? QStringLiteral("yes") : QStringLiteral("no");
}

QStringList toLines(const std::vector<std::string> &lines)
{
    QStringList out;
    for (const std::string &line : lines) {
        out << QString::fromStdString(line);
    }
    return out;
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

ReportContent reportContentFor(const QString &designName, const QDateTime &created,
                               const Evaluation &evaluation)
{
    ReportContent content{designName, created, evaluation.design, evaluation.limits, {}, {}, {},
                          {},         {}};
    if (evaluation.refusal) {
        content.refusal = QString::fromStdString(evaluation.refusal->message);
        return content;
    }
    content.reportLines = toLines(evaluation.reportLines);
    content.checkLines = toLines(evaluation.checkLines);
    return content;
}

std::vector<std::pair<QString, QString>> designInputRows(const Design &design,
                                                         const DissipationLimits &limits)
{
    const LastRun &run = design.run;
    std::vector<std::pair<QString, QString>> rows{
        {QStringLiteral("Primary Voltage"), text(run.primaryVoltage) + QStringLiteral(" V")},
        {QStringLiteral("Primary Resistance"),
         text(run.primaryResistance) + QStringLiteral(" ohms")},
        {QStringLiteral("Number of Secondaries"), text(run.secondaryCount)},
    };
    // The rows the form shows for the count.
    const int shown = visibleSecondaryRows(run.secondaryCount);
    for (int k = 0; k < shown; ++k) {
        const QString name = QStringLiteral("Secondary %1 ").arg(k + 1);
        const SecondaryTexts &row = run.secondaries[static_cast<std::size_t>(k)];
        const SecondaryLoad &load = design.extras.loads[static_cast<std::size_t>(k)];
        rows.emplace_back(name + QStringLiteral("Voltage"),
                          text(row.voltage) + QStringLiteral(" V"));
        rows.emplace_back(name + QStringLiteral("Current"),
                          text(row.current) + QStringLiteral(" A"));
        rows.emplace_back(name + QStringLiteral("Resistance"),
                          text(row.resistance) + QStringLiteral(" ohms"));
        if (load.kind != LoadKind::AC) {
            rows.emplace_back(name + QStringLiteral("Load"),
                              QString::fromUtf8(loadKindTitle(load.kind).data()) +
                                  QStringLiteral(", DC ") + text(load.dcCurrent) +
                                  QStringLiteral(" A"));
        }
    }
    rows.emplace_back(QStringLiteral("Transformer Type"), typeName(run.typeCode));
    const std::pair<const char *, const std::string *> dimensions[] = {
        {"X", &run.x}, {"Y", &run.y}, {"Z", &run.z}, {"A", &run.a}, {"B", &run.b}, {"C", &run.c}};
    for (const auto &[letter, value] : dimensions) {
        rows.emplace_back(QStringLiteral("Dimension ") + QLatin1String(letter),
                          text(*value) + QStringLiteral(" cm"));
    }
    rows.emplace_back(QStringLiteral("Voltages Measured Open Circuit, Correct for Loading"),
                      loadingState(run.loading));
    rows.emplace_back(QStringLiteral("Dissipation Limits (plate, filament)"),
                      number(limits.OCPPDis) + QStringLiteral(" %, ") + number(limits.OCFPDis) +
                          QStringLiteral(" %"));
    const ThermalInputs &thermal = design.extras.thermal;
    rows.emplace_back(QStringLiteral("Ambient"), number(thermal.ambientC) + QStringLiteral(" °C"));
    rows.emplace_back(QStringLiteral("Insulation Class"),
                      QString::fromUtf8(insulationClassName(thermal.insulationClass).data()));
    rows.emplace_back(QStringLiteral("Hot-Spot Allowance"),
                      number(thermal.hotSpotAllowanceK) + QStringLiteral(" K"));
    rows.emplace_back(QStringLiteral("Core Loss"),
                      number(thermal.coreLossW) + QStringLiteral(" W"));
    rows.emplace_back(QStringLiteral("Emissivity"), number(thermal.emissivity));
    return rows;
}

QString reportClipboardText(const QStringList &reportLines, const QStringList &checkLines)
{
    QString out = reportLines.join(QLatin1Char('\n'));
    if (!out.isEmpty()) {
        out += QLatin1Char('\n');
    }
    if (!checkLines.isEmpty()) {
        out += QLatin1Char('\n') + checkLines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    return out;
}

QString forumPostText(const QStringList &reportLines, const QStringList &checkLines)
{
    return QStringLiteral("[code]\n") + reportClipboardText(reportLines, checkLines) +
           QStringLiteral("[/code]\n");
}

QString reportPlainText(const ReportContent &content)
{
    QString out = QStringLiteral("Ferrolux report: ") + content.designName + QLatin1Char('\n');
    out +=
        QStringLiteral("Date: ") + content.created.toString(Qt::ISODate) + QStringLiteral("\n\n");
    if (!content.note.isEmpty()) {
        out += QStringLiteral("Note: ") + content.note + QStringLiteral("\n\n");
    }
    out += QStringLiteral("Inputs\n");
    for (const auto &[label, value] : designInputRows(content.design, content.limits)) {
        out += QStringLiteral("  ") + label + QStringLiteral(": ") + value + QLatin1Char('\n');
    }
    out += QStringLiteral("\nReport\n");
    if (!content.refusal.isEmpty()) {
        out += QStringLiteral("Not calculated: ") + content.refusal + QLatin1Char('\n');
    }
    out += reportClipboardText(content.reportLines, content.checkLines);
    return out;
}

QString reportHtml(const ReportContent &content, bool inlineImages)
{
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>Ferrolux report: ");
    html += content.designName.toHtmlEscaped() + QStringLiteral("</title></head><body>\n");
    html += QStringLiteral("<h1>Ferrolux report: ") + content.designName.toHtmlEscaped() +
            QStringLiteral("</h1>\n<p>Date: ") +
            content.created.toString(Qt::ISODate).toHtmlEscaped() + QStringLiteral("</p>\n");
    if (!content.note.isEmpty()) {
        html += QStringLiteral("<p><b>Note:</b> ") + content.note.toHtmlEscaped() +
                QStringLiteral("</p>\n");
    }
    html += QStringLiteral("<h2>Inputs</h2>\n<table border=\"1\" cellspacing=\"0\" "
                           "cellpadding=\"3\">\n");
    for (const auto &[label, value] : designInputRows(content.design, content.limits)) {
        html += QStringLiteral("<tr><td>") + label.toHtmlEscaped() + QStringLiteral("</td><td>") +
                value.toHtmlEscaped() + QStringLiteral("</td></tr>\n");
    }
    html += QStringLiteral("</table>\n<h2>Report</h2>\n");
    if (!content.refusal.isEmpty()) {
        html += QStringLiteral("<p>Not calculated: ") + content.refusal.toHtmlEscaped() +
                QStringLiteral("</p>\n");
    }
    if (!content.reportLines.isEmpty()) {
        html += kWrappingPre + content.reportLines.join(QLatin1Char('\n')).toHtmlEscaped() +
                QStringLiteral("</pre>\n");
    }
    if (!content.checkLines.isEmpty()) {
        html += QStringLiteral("<h2>Checks</h2>\n") + kWrappingPre +
                content.checkLines.join(QLatin1Char('\n')).toHtmlEscaped() +
                QStringLiteral("</pre>\n");
    }
    for (std::size_t i = 0; i < content.plots.size(); ++i) {
        const ReportPlot &plot = content.plots[i];
        QString source = QStringLiteral("plot-%1.png").arg(i + 1);
        if (inlineImages) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            plot.image.save(&buffer, "PNG");
            source = QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
        }
        // On a page laid out for print the caption could be left at the foot of one page and
        // its plot put on the next; there the plot's own title is its caption.
        if (inlineImages) {
            html +=
                QStringLiteral("<h3>") + plot.caption.toHtmlEscaped() + QStringLiteral("</h3>\n");
        }
        html += QStringLiteral("<p><img src=\"") + source + QStringLiteral("\" alt=\"") +
                plot.caption.toHtmlEscaped() + QStringLiteral("\" width=\"") +
                QString::number(std::min(qRound(plot.image.deviceIndependentSize().width()), 600)) +
                QStringLiteral("\"></p>\n");
    }
    html += QStringLiteral("</body></html>\n");
    return html;
}

} // namespace ferrolux
