#pragma once

// A tab page that scrolls its content up and down. It asks the tabs for no height of its own,
// so a tall page does not stretch the panel, and the mouse wheel over one of its spin boxes or
// combo boxes scrolls the page unless that field has the keyboard focus: scrolling past a
// field never changes the design. A click or Tab gives the field the focus, and the wheel
// then steps it as usual.

#include <QScrollArea>

namespace ferrolux {

class ScrollingPage : public QScrollArea
{
public:
    // Takes `content`, stretched to the page's width.
    explicit ScrollingPage(QWidget *content, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace ferrolux
