// The report as it leaves the window for a page: plots drawn for the page at one size whatever
// the panel showed, a report made afresh (and saying so) once the inputs changed after
// Calculate, and lines that wrap inside the page instead of running past its right margin.

#include "report_export.h"
#include "report_plots.h"
#include "window_fixture.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

namespace ferrolux::testing {
namespace {

// Pixels of the image that are not white: a plot with axes, curves and labels has thousands.
int inkedPixels(const QImage &image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            inked += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return inked;
}

TEST(ReportPage, PlotsAreDrawnForThePageAndAStaleReportIsMadeAfreshWithANote)
{
    using Step = std::function<void(MainUnderTest &)>;
    // What happens in the window before the export; whether the page says it was made afresh;
    // how many plots it holds; the primary voltage its report was made from.
    const std::tuple<const char *, Step, bool, std::size_t, const char *> cases[] = {
        {"before any Calculate", [](MainUnderTest &) {}, false, 2, "117"},
        {"after Calculate, mains tab never opened", [](MainUnderTest &w) { w.click("CmdCalc"); },
         false, 2, "117"},
        {"edited after Calculate",
         [](MainUnderTest &w) {
             w.click("CmdCalc");
             w.type("TxtPriV", QStringLiteral("125"));
         },
         true, 2, "125"},
        {"thermal input edited after Calculate",
         [](MainUnderTest &w) {
             w.click("CmdCalc");
             w.type("checkAmbient", QStringLiteral("55"));
         },
         false, 2, "117"},
        {"refused after Calculate",
         [](MainUnderTest &w) {
             w.click("CmdCalc");
             w.type("TxtPriV", QStringLiteral("0"));
         },
         true, 0, nullptr},
    };
    for (const auto &[what, step, afresh, plots, primary] : cases) {
        SCOPED_TRACE(what);
        ProgramFolder folder(ProgramFolder::Example);
        MainUnderTest w(folder);
        step(w);
        const ReportContent content = w.actions()->reportContent();
        EXPECT_EQ(!content.note.isEmpty(), afresh) << content.note.toStdString();
        ASSERT_EQ(content.plots.size(), plots);
        for (const ReportPlot &plot : content.plots) {
            EXPECT_EQ(plot.image.size(), kReportPlotSize * kReportPlotScale)
                << plot.caption.toStdString();
            EXPECT_GT(inkedPixels(plot.image), 5000) << plot.caption.toStdString();
        }
        if (primary) {
            EXPECT_EQ(content.design.run.primaryVoltage, primary);
            // The page's report belongs to the inputs printed beside it.
            const Evaluation fresh = evaluate(content.design, content.limits);
            ASSERT_EQ(content.reportLines.size(), static_cast<qsizetype>(fresh.reportLines.size()));
            for (qsizetype i = 0; i < content.reportLines.size(); ++i) {
                EXPECT_EQ(content.reportLines[i].toStdString(),
                          fresh.reportLines[static_cast<std::size_t>(i)]);
            }
        } else {
            EXPECT_FALSE(content.refusal.isEmpty());
        }
        // Print and Print Preview lay out what the export holds: one image per plot.
        const QString html = reportHtml(content, false);
        EXPECT_EQ(html.count(QStringLiteral("<img ")), static_cast<qsizetype>(plots));
        EXPECT_EQ(reportPlainText(content).contains(QStringLiteral("Note: ")), afresh);
    }
}

TEST(ReportPage, EveryLineStaysInsideThePageWidth)
{
    ProgramFolder folder(ProgramFolder::Example);
    MainUnderTest w(folder);
    w.click("CmdCalc");
    ReportContent content = w.actions()->reportContent();
    ASSERT_FALSE(content.checkLines.isEmpty());
    // A line far longer than any page, among the check lines.
    content.checkLines << QString(200, QLatin1Char('x'));
    // Widths in document pixels: an A4 page at 15 mm margins (180 mm at 96 per inch is 680), a
    // letter page at 25 mm margins (6.5 inch, 624) and a wide one; the plots are 600 wide.
    for (const double width : {624.0, 680.0, 900.0}) {
        SCOPED_TRACE(width);
        const std::unique_ptr<QTextDocument> document = reportTextDocument(content);
        document->setTextWidth(width);
        EXPECT_LE(document->documentLayout()->documentSize().width(), width + 1);
        EXPECT_GT(document->documentLayout()->documentSize().height(), 0);
    }
}

} // namespace
} // namespace ferrolux::testing
