#include "type_frame.h"

#include <QEvent>
#include <QRadioButton>
#include <algorithm>

namespace ferrolux {

TypeFrame::TypeFrame(const QString &title, QWidget *parent) : QGroupBox(title, parent) {}

void TypeFrame::addOption(QRadioButton *option, const QRect &designPlace)
{
    option->setParent(this);
    m_options.emplace_back(option, designPlace);
    placeOptions();
}

void TypeFrame::changeEvent(QEvent *event)
{
    // The group box measures its title anew on these before we get to see them.
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        placeOptions();
    }
}

void TypeFrame::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    placeOptions();
}

void TypeFrame::placeOptions()
{
    if (m_options.empty()) {
        return;
    }
    const QRect inside = contentsRect();
    const QRect &firstDesign = m_options.front().second;
    const QRect &lastDesign = m_options.back().second;

    // Across, the options move left together as far as the widest needs to stay off the frame
    // line on the right, but never past the line on the left; what still does not fit is cut.
    int designLeft = firstDesign.left();
    int designRight = firstDesign.right();
    for (const auto &[option, design] : m_options) {
        designLeft = std::min(designLeft, design.left());
        designRight = std::max(designRight, design.right());
    }
    const int shiftX =
        std::max(inside.left() - designLeft, std::min(0, inside.right() - designRight));

    // Down, the first option keeps clear of the title; the distance from the first option's top
    // to the last one's is the design's where there is room for it.
    const int firstTop = std::max(firstDesign.top(), inside.top());
    const int designSpan = lastDesign.top() - firstDesign.top();
    const int room = std::max(0, inside.bottom() + 1 - lastDesign.height() - firstTop);
    const int span = std::min(designSpan, room);

    for (const auto &[option, design] : m_options) {
        const int offset =
            designSpan > 0 ? (design.top() - firstDesign.top()) * span / designSpan : 0;
        const int left = design.left() + shiftX;
        const int right = std::min(design.right() + shiftX, inside.right());
        option->setGeometry(left, firstTop + offset, std::max(0, right - left + 1),
                            design.height());
    }
}

} // namespace ferrolux
