#include "scrolling_page.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>

namespace ferrolux {

namespace {

bool stepsOnTheWheel(const QObject *object)
{
    return qobject_cast<const QAbstractSpinBox *>(object) ||
           qobject_cast<const QComboBox *>(object);
}

// The wheel alone no longer gives the field the focus (and with it the wheel).
void takeFocusOnlyByClickOrTab(QWidget *field)
{
    if (field->focusPolicy() == Qt::WheelFocus) {
        field->setFocusPolicy(Qt::StrongFocus);
    }
}

} // namespace

ScrollingPage::ScrollingPage(QWidget *content, QWidget *parent) : QScrollArea(parent)
{
    // The application sees every field's events, also those of rows a page adds later.
    qApp->installEventFilter(this);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(content);
    for (QWidget *field : content->findChildren<QWidget *>()) {
        if (stepsOnTheWheel(field)) {
            takeFocusOnlyByClickOrTab(field);
        }
    }
}

QSize ScrollingPage::sizeHint() const
{
    return {QScrollArea::sizeHint().width(), minimumSizeHint().height()};
}

bool ScrollingPage::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Wheel && type != QEvent::Polish) || !stepsOnTheWheel(watched)) {
        return false;
    }
    auto *field = static_cast<QWidget *>(watched);
    if (!isAncestorOf(field)) {
        return false;
    }
    if (type == QEvent::Polish) {
        takeFocusOnlyByClickOrTab(field);
        return false;
    }
    if (field->hasFocus()) {
        return false;
    }
    // Left unaccepted, the wheel goes on to the parents: the page scrolls.
    event->ignore();
    return true;
}

} // namespace ferrolux
