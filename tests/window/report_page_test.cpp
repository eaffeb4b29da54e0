// The report as it leaves the window for a page: plots drawn for the page at one size whatever
// the panel showed (a supply's two among them), a report made afresh (and saying so) once the
// inputs changed after Calculate, and lines that wrap inside the page instead of running past its
// right margin.

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

// The extension block of a last run whose secondaries 1 and 2 feed a supply, and whose
// secondary 3 (5.3 V, 0.1 ohm) is asked for 50 A, which its supply cannot deliver.
const char kSupplyBlock[] =
    "supply1_mains_hz=50\r\nsupply1_circuit=full-wave-ct\r\n"
    "supply1_valve=GZ34\r\nsupply1_filter=c:32\r\nsupply1_load_a=0.1\r\n"
    "supply2_mains_hz=50\r\nsupply2_circuit=bridge\r\n"
    "supply2_diode=1N4007\r\nsupply2_filter=c:470\r\n"
    "supply2_load_ohm=1000\r\n"
    "supply3_mains_hz=50\r\nsupply3_circuit=bridge\r\n"
    "supply3_diode=1N5408\r\nsupply3_filter=c:1000\r\nsupply3_load_a=50\r\n";

// Images in a PDF: each is an XObject of its own.
qsizetype pdfImages(const std::string &pdf)
{
    return QByteArray::fromStdString(pdf).count("/Subtype /Image");
}

TEST(ReportPage, PlotsAreDrawnForThePageAndAStaleReportIsMadeAfreshWithANote)
{
    struct Case
    {
        const char *what;
        const char *block; // the last run's extension block; "" none
        bool calculate;    // Calculate before the export
        const char *field; // then typed into (nullptr: nothing)
        const char *typed; // what is typed
        bool afresh;       // the page says it was made afresh
        // The secondary each plot belongs to, 0 for the transformer's own two plots.
        std::vector<int> plotSecondaries;
        const char *primary; // the primary voltage its report was made from; none if refused
    };
    const std::vector<int> own{0, 0}, supplied{0, 0, 1, 1, 2, 2};
    const Case cases[] = {
        {"edited after Calculate", "", true, "TxtPriV", "125", true, own, "125"},
        {"ambient edited after Calculate", "", true, "checkAmbient", "55", false, own, "117"},
        {"refused after Calculate", "", true, "TxtPriV", "0", true, {}, nullptr},
        // Each simulated supply adds its steady cycle and its regulation curve, whatever the
        // Supply page or the mains tab showed; the supply that cannot deliver its load adds none.
        {"supplies, Supply page never opened", kSupplyBlock, true, nullptr, "", false, supplied,
         "117"},
        {"supplies, before any Calculate", kSupplyBlock, false, nullptr, "", false, supplied,
         "117"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder folder(ProgramFolder::Example);
        if (*c.block != '\0') {
            folder.write(kLastRunFileName, exampleLastRunFileBytes() +
                                               std::string(kDesignExtrasMarker) + "\r\n" + c.block);
        }
        MainUnderTest w(folder);
        if (c.calculate) {
            w.click("CmdCalc");
        }
        if (c.field) {
            w.type(c.field, QLatin1String(c.typed));
        }
        const ReportContent content = w.actions()->reportContent();
        EXPECT_EQ(!content.note.isEmpty(), c.afresh) << content.note.toStdString();
        ASSERT_EQ(content.plots.size(), c.plotSecondaries.size());
        for (std::size_t i = 0; i < content.plots.size(); ++i) {
            const ReportPlot &plot = content.plots[i];
            EXPECT_EQ(plot.image.size(), kReportPlotSize * kReportPlotScale)
                << plot.caption.toStdString();
            EXPECT_GT(inkedPixels(plot.image), 5000) << plot.caption.toStdString();
            const int secondary = c.plotSecondaries[i];
            EXPECT_EQ(plot.caption.startsWith(QStringLiteral("Secondary %1 ").arg(secondary)),
                      secondary > 0)
                << plot.caption.toStdString();
        }
        if (c.primary) {
            EXPECT_EQ(content.design.run.primaryVoltage, c.primary);
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
        // Print and Print Preview lay out what the export holds: one image per plot, in the
        // HTML and in the PDF.
        const auto plots = static_cast<qsizetype>(c.plotSecondaries.size());
        const QString html = reportHtml(content, false);
        EXPECT_EQ(html.count(QStringLiteral("<img ")), plots);
        ASSERT_EQ(writeReport(content, folder.path() + "report.pdf"), "");
        EXPECT_EQ(pdfImages(folder.read("report.pdf")), plots);
        EXPECT_EQ(reportPlainText(content).contains(QStringLiteral("Note: ")), c.afresh);
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
