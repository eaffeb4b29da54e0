#pragma once

// The plots of a report page, drawn from the evaluation's figures off the screen at one fixed
// size and font, whatever the window shows: an export or a print never depends on which tab
// was opened or how wide the panel was.

#include "evaluation.h"
#include "report_document.h"

#include <QSize>
#include <vector>

namespace ferrolux {

// The size a plot is laid out at on the page, in page pixels (1/96 inch); the image holds
// twice as many pixels each way, so that print stays sharp.
inline constexpr QSize kReportPlotSize{720, 440};
inline constexpr int kReportPlotScale = 2;

// The plots of an evaluation: hot spot against load and hottest hot spot against mains when
// its thermal check is available; then, for every secondary whose supply was simulated, one
// steady cycle and the regulation curve (when it has points), captioned with the secondary.
std::vector<ReportPlot> reportPlots(const Evaluation &evaluation);

} // namespace ferrolux
