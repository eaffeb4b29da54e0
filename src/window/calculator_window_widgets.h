#pragma once

// Small widget kinds of the calculator window: input fields that select their entry on focus,
// caption fields, and the loading check box whose caption wraps.

#include <QCheckBox>
#include <QLineEdit>
#include <string>

class QLabel;

namespace ferrolux {

// A field's text as the Qt-free core takes it, in UTF-8.
inline std::string toCore(const QLineEdit *field)
{
    return field->text().toStdString();
}

// An editable single-line field. Whenever it gains focus (tab, click or code) it selects from
// position 0 for 99 characters, so typing replaces the entry.
class InputField : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr int kSelectOnFocusLength = 99;

    explicit InputField(QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void selectEntry();

    // Set while the click that gave the focus is in progress: QLineEdit moves the cursor on
    // that press, which would undo the selection made on focus.
    bool m_focusedByClick = false;
};

// A read-only, borderless label field with the button-face background; never a tab stop.
QLabel *makeCaptionField(QWidget *parent, const QString &objectName, const QString &text,
                         Qt::Alignment alignment);

// A check box with a word-wrapped caption. The whole area, caption included, toggles the box.
// A click goes from unchecked or partially checked to checked and from checked to unchecked;
// the partially checked state is only ever set from code.
class LoadingCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    LoadingCheckBox(const QString &caption, QWidget *parent = nullptr);

    QString caption() const;
    // Where the caption goes: right of the indicator, over the full height.
    QRect captionRect() const;

protected:
    bool hitButton(const QPoint &pos) const override;
    void nextCheckState() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_caption;
};

} // namespace ferrolux
