#include "report_list.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <algorithm>

namespace ferrolux {
namespace {

// The separator rule of the report is longer than its value lines. It asks for no width of its
// own, so it runs to the list's edge and is cut off there instead of calling up a horizontal
// scroll bar for a row of hyphens.
class ReportLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (isRule(index.data().toString())) {
            size.setWidth(0);
        }
        return size;
    }

private:
    static bool isRule(const QString &text)
    {
        return !text.isEmpty() &&
               std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'-'; });
    }
};

} // namespace

ReportList::ReportList(const QFont &face, QWidget *parent) : QListWidget(parent), m_face(face)
{
    setSortingEnabled(false);
    // Cut, not elided: the rule is meant to stop at the edge.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setItemDelegate(new ReportLineDelegate(this));
    // The list starts empty: its font is fitted when the first line arrives, not before.
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_fitted) {
            fitFont();
        }
    });
}

int ReportList::lineWidth(const QFont &font) const
{
    // Measured as the list measures its items: text plus the style's margins on either side.
    QStyleOptionViewItem option;
    option.initFrom(this);
    option.font = font;
    option.fontMetrics = QFontMetrics(font);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.text = QString(kLineColumns, QLatin1Char('M'));
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width();
}

int ReportList::viewportWidthBesideScrollBar() const
{
    int width = contentsRect().width() - viewportMargins().left() - viewportMargins().right() -
                verticalScrollBar()->sizeHint().width();
    QStyleOption option;
    option.initFrom(this);
    if (style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, &option, this)) {
        width -= style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, &option, this);
    }
    return width;
}

void ReportList::fitFont()
{
    m_fitted = true;
    const int available = viewportWidthBesideScrollBar();
    QFont font = m_face;
    for (double size = kLargestPointSize; size >= kSmallestPointSize; size -= 0.25) {
        font.setPointSizeF(size);
        if (lineWidth(font) <= available) {
            break;
        }
    }
    if (font != this->font()) {
        setFont(font);
    }
}

void ReportList::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    if (m_fitted && event->type() == QEvent::StyleChange) {
        fitFont();
    }
}

void ReportList::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    if (m_fitted) {
        fitFont();
    }
}

} // namespace ferrolux
