#pragma once

// The look every plot of the window shares, on the panel and on the report's page alike: the
// legend below the plot in a smaller font, thin margins, square corners.

#include <QString>

class QChart;
class QChartView;
class QWidget;

namespace ferrolux {

// Sets up an empty chart in the plots' common look, with `title` (none when empty).
void setUpPlotChart(QChart *chart, const QString &title = {});

// A view named `objectName` holding a new chart set up as above, at least `minimumHeight`
// pixels tall.
QChartView *newPlotView(const char *objectName, const QString &title, int minimumHeight,
                        QWidget *parent);

} // namespace ferrolux
