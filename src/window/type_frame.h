#pragma once

// The "Transformer Type" frame. Styles draw a group box's title in different ways: some on the
// frame line, others above it, which pushes the frame line and the room inside it down. The
// options are therefore placed from the frame's real contents rectangle rather than at fixed
// offsets from its top.

#include <QGroupBox>
#include <QRect>
#include <utility>
#include <vector>

class QRadioButton;

namespace ferrolux {

class TypeFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit TypeFrame(const QString &title, QWidget *parent = nullptr);

    // Takes `option` into the frame. `designPlace` is where the layout puts it, in pixels
    // relative to the frame; options are added top to bottom.
    void addOption(QRadioButton *option, const QRect &designPlace);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Moves the options down by as much as the title takes more room than the design allowed
    // for, keeping their spacing, and closes the spacing up where that would run past the
    // bottom; moves them left where the widest would reach the frame line on the right.
    void placeOptions();

    std::vector<std::pair<QRadioButton *, QRect>> m_options;
};

} // namespace ferrolux
