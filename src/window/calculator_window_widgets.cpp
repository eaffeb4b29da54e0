#include "calculator_window_widgets.h"

#include "record_file.h"

#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace ferrolux {

InputField::InputField(QWidget *parent) : QLineEdit(parent)
{
    // QLineEdit would cut a text at 32767 characters; hold every text the record reader accepts,
    // so a long field read from the last-run file is saved back unchanged.
    setMaxLength(static_cast<int>(RecordReader::kMaxFieldLength));
}

void InputField::selectEntry()
{
    setSelection(0, kSelectOnFocusLength);
}

void InputField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    selectEntry();
    m_focusedByClick = event->reason() == Qt::MouseFocusReason;
}

void InputField::focusOutEvent(QFocusEvent *event)
{
    m_focusedByClick = false;
    QLineEdit::focusOutEvent(event);
}

void InputField::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    if (m_focusedByClick) {
        selectEntry();
    }
}

void InputField::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (m_focusedByClick) {
        selectEntry();
        m_focusedByClick = false;
    }
}

QLabel *makeCaptionField(QWidget *parent, const QString &objectName, const QString &text,
                         Qt::Alignment alignment)
{
    auto *field = new QLabel(text, parent);
    field->setObjectName(objectName);
    field->setFocusPolicy(Qt::NoFocus);
    field->setAlignment(alignment | Qt::AlignVCenter);
    // Captions take the button colours; where those are the form's own, the caption inherits
    // them and paints no background of its own.
    QPalette palette = field->palette();
    if (palette.color(QPalette::Window) != palette.color(QPalette::Button) ||
        palette.color(QPalette::WindowText) != palette.color(QPalette::ButtonText)) {
        field->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
        field->setPalette(palette);
    }
    return field;
}

LoadingCheckBox::LoadingCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(parent), m_caption(new QLabel(caption, this))
{
    m_caption->setObjectName(QStringLiteral("ChkLoadingCaption"));
    m_caption->setWordWrap(true);
    m_caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Clicks on the caption go to the check box underneath.
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(caption);
}

QString LoadingCheckBox::caption() const
{
    return m_caption->text();
}

bool LoadingCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void LoadingCheckBox::nextCheckState()
{
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

QRect LoadingCheckBox::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const int left = indicator.right() + 1 + spacing;
    return {left, 0, std::max(0, width() - left), height()};
}

void LoadingCheckBox::resizeEvent(QResizeEvent *event)
{
    QCheckBox::resizeEvent(event);
    m_caption->setGeometry(captionRect());
}

} // namespace ferrolux
