#pragma once

// The check panel beside the calculator form: the engineering checks of the last successful
// Calculate, shown as a verdict, a table of the temperature models, a headroom bar per
// winding and two plots, with its own thermal inputs and the DC-load helper per secondary.

#include <QWidget>

namespace ferrolux {

class CheckPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CheckPanel(QWidget *parent = nullptr);
};

} // namespace ferrolux
