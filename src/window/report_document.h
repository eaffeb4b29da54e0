#pragma once

// The report as it leaves the window: the design's name, the date, every input (so that a
// printed page is enough to redo the calculation), the fixed report, the check section and,
// when the window has drawn them, the plots. Built from one evaluation, which holds the inputs
// it was made from, so the report always belongs to the inputs printed beside it.

#include "constants_file.h"
#include "design.h"
#include "evaluation.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace ferrolux {

struct ReportPlot
{
    QString caption; // also the title drawn in the image
    QImage image;
};

struct ReportContent
{
    QString designName;
    QDateTime created;
    Design design;
    DissipationLimits limits;
    QStringList reportLines; // the fixed report; empty when the calculation was refused
    QStringList checkLines;  // the check section; empty when unavailable
    QString refusal;         // why there is no report, when there is none
    QString note;            // said under the date when not empty (a report made afresh)
    std::vector<ReportPlot> plots;
};

// The evaluation's inputs, report and check lines (or its refusal).
ReportContent reportContentFor(const QString &designName, const QDateTime &created,
                               const Evaluation &evaluation);

// Every input as a label and its value with its unit, in the form's order.
std::vector<std::pair<QString, QString>> designInputRows(const Design &design,
                                                         const DissipationLimits &limits);

// The report lines, then an empty line and the check section when there is one: what Copy
// Report puts on the clipboard and the report tool's --check prints.
QString reportClipboardText(const QStringList &reportLines, const QStringList &checkLines);
// The same inside [code] ... [/code], for pasting into a forum post.
QString forumPostText(const QStringList &reportLines, const QStringList &checkLines);

// The whole export as plain text, LF line ends.
QString reportPlainText(const ReportContent &content);

// The whole export as an HTML page; long lines wrap inside the page's margins. Plot images,
// shown at most 600 pixels wide, are named "plot-<n>.png" (n from 1) when
// `inlineImages` is false, for a QTextDocument that holds them as resources and lays them out on
// printed pages (each plot then shows under its own title, with no caption that a page break
// could part from it), and written into the page as data URLs under a caption otherwise, so
// that a saved page stands alone.
QString reportHtml(const ReportContent &content, bool inlineImages);

} // namespace ferrolux
