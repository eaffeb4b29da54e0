#include "check_panel_headroom.h"

#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace ferrolux {

HeadroomLevel headroomLevel(const WindingHeadroom &headroom)
{
    if (!headroom.loadPercent) {
        return HeadroomLevel::Undefined;
    }
    if (headroom.foundBySearch) {
        return HeadroomLevel::FoundBySearch;
    }
    if (*headroom.loadPercent <= 90) {
        return HeadroomLevel::Comfortable;
    }
    return *headroom.loadPercent <= 100 ? HeadroomLevel::Close : HeadroomLevel::Over;
}

QColor headroomColour(HeadroomLevel level)
{
    switch (level) {
    case HeadroomLevel::Comfortable:
        return {0x3c, 0xa0, 0x3c};
    case HeadroomLevel::Close:
        return {0xe0, 0xa0, 0x20};
    case HeadroomLevel::Over:
        return {0xd0, 0x30, 0x30};
    case HeadroomLevel::FoundBySearch:
        return {0x8c, 0xa8, 0xcc};
    case HeadroomLevel::Undefined:
        break;
    }
    return {0xa0, 0xa0, 0xa0};
}

QString headroomText(int secondary, const WindingHeadroom &headroom)
{
    const QString winding =
        QStringLiteral("Secondary %1 (%2)")
            .arg(secondary)
            .arg(headroom.plate ? QStringLiteral("plate") : QStringLiteral("filament"));
    if (!headroom.loadPercent || !headroom.currentLimit) {
        return winding + QStringLiteral(": no limit (needs a voltage, a resistance and a "
                                        "limit between 0 and 100 %)");
    }
    const QString load = QStringLiteral("%1 % of %2 A")
                             .arg(QString::number(*headroom.loadPercent, 'f', 0),
                                  QString::number(*headroom.currentLimit, 'g', 3));
    // A found current's figures go to the tooltip: the bar has room for the words only.
    if (headroom.foundBySearch) {
        return winding + QStringLiteral(": at its limit (found by the search)");
    }
    return winding + QStringLiteral(": ") + load;
}

QString headroomToolTip(const WindingHeadroom &headroom)
{
    if (!headroom.foundBySearch || !headroom.loadPercent || !headroom.currentLimit) {
        return {};
    }
    return QStringLiteral("%1 % of %2 A. The current was left at 0, so the search found it: "
                          "it raises the current in 1 % steps and stops at the first step past "
                          "the dissipation limit, so a found current reads a little above 100 %. "
                          "The winding is at its limit, not overloaded.")
        .arg(QString::number(*headroom.loadPercent, 'f', 0),
             QString::number(*headroom.currentLimit, 'g', 3));
}

HeadroomBars::HeadroomBars(QWidget *parent)
    : QGroupBox(QStringLiteral("Load against the dissipation limit"), parent)
{
    setObjectName(QStringLiteral("checkHeadroom"));
    m_layout = new QVBoxLayout(this);
}

void HeadroomBars::showHeadroom(const std::vector<WindingHeadroom> &headroom)
{
    while (m_bars.size() < headroom.size()) {
        auto *bar = new QProgressBar(this);
        bar->setObjectName(QStringLiteral("checkHeadroom_%1").arg(m_bars.size()));
        bar->setRange(0, 100);
        bar->setTextVisible(true);
        m_layout->addWidget(bar);
        m_bars.push_back(bar);
    }
    for (std::size_t i = 0; i < m_bars.size(); ++i) {
        QProgressBar *bar = m_bars[i];
        bar->setVisible(i < headroom.size());
        if (i >= headroom.size()) {
            continue;
        }
        const WindingHeadroom &winding = headroom[i];
        const double percent = winding.loadPercent.value_or(0);
        bar->setValue(static_cast<int>(std::lround(std::clamp(percent, 0.0, 100.0))));
        bar->setFormat(headroomText(static_cast<int>(i) + 1, winding));
        bar->setToolTip(headroomToolTip(winding));
        bar->setProperty("level", static_cast<int>(headroomLevel(winding)));
        bar->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid #888; border-radius: "
                                          "2px; text-align: center; color: black; }"
                                          "QProgressBar::chunk { background: %1; }")
                               .arg(headroomColour(headroomLevel(winding)).name()));
    }
}

} // namespace ferrolux
