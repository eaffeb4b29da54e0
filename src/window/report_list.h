#pragma once

// The list that shows the report. Its columns rely on a face that gives every character one
// advance, sized so that a whole report line fits beside the vertical scroll bar; a horizontal
// scroll bar appears only for a line that is wider still.

#include <QFont>
#include <QListWidget>

namespace ferrolux {

class ReportList : public QListWidget
{
    Q_OBJECT

public:
    // Characters in the report's longest value line ("Power Dendity" with its unit).
    static constexpr int kLineColumns = 47;
    static constexpr double kLargestPointSize = 9.75;
    static constexpr double kSmallestPointSize = 6.0;

    // `face` has one advance for every character of the report; its size is chosen by fitFont.
    explicit ReportList(const QFont &face, QWidget *parent = nullptr);

    // Sets the face at the largest size, in quarter points from kLargestPointSize down, at which
    // kLineColumns characters fit the viewport with the vertical scroll bar shown. Called when
    // the first line is added, and again on a resize or a style change after that.
    void fitFont();

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int lineWidth(const QFont &font) const;
    int viewportWidthBesideScrollBar() const;

    QFont m_face;
    bool m_fitted = false;
};

} // namespace ferrolux
