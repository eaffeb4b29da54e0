#pragma once

// Headroom per winding: a bar per secondary with its load as a percent of the current at which
// its dissipation reaches the limit, green up to 90 %, amber up to 100 %, red above; the bar
// carries the numbers. A current the search found sits at the limit by construction: its bar
// says so in a neutral blue, never in red.

#include "engineering_checks.h"

#include <QColor>
#include <QGroupBox>
#include <QString>
#include <vector>

class QProgressBar;
class QVBoxLayout;

namespace ferrolux {

enum class HeadroomLevel { Comfortable, Close, Over, Undefined, FoundBySearch };
HeadroomLevel headroomLevel(const WindingHeadroom &headroom);
QColor headroomColour(HeadroomLevel level);
// E.g. "Secondary 2 (plate): 45 % of 0.300 A".
QString headroomText(int secondary, const WindingHeadroom &headroom);
// Why a found current reads a little above 100 %; empty for a current that was given.
QString headroomToolTip(const WindingHeadroom &headroom);

class HeadroomBars : public QGroupBox
{
    Q_OBJECT

public:
    explicit HeadroomBars(QWidget *parent = nullptr);
    void showHeadroom(const std::vector<WindingHeadroom> &headroom);

private:
    QVBoxLayout *m_layout = nullptr;
    std::vector<QProgressBar *> m_bars;
};

} // namespace ferrolux
