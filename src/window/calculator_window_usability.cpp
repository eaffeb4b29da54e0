// Aids that make the calculator form behave as a user expects: Enter activates the focused
// button and runs Calculate from a field, the construction options take the focus and the
// arrow keys as a radio group does, the report list and the help box show when they have the
// focus, and the fields refuse what the file cannot store and mark numbers read only in part.

#include "calculator_window.h"
#include "calculator_window_controls.h"
#include "calculator_window_widgets.h"
#include "field_text_rules.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ferrolux {

void CalculatorWindow::installUsabilityAids()
{
    const WindowControls &c = *m_controls;
    for (InputField *field : findChildren<InputField *>()) {
        auto *validator = new StorableTextValidator(field);
        connect(validator, &StorableTextValidator::refused, this,
                [this](const QString &reason) { showRefusal(reason); });
        field->setValidator(validator);
        connect(field, &QLineEdit::textChanged, field, [field] { markPartlyReadNumber(field); });
        connect(field, &QLineEdit::returnPressed, this, &CalculatorWindow::calculate);
    }
    for (QPushButton *button : {c.calculateButton, c.clearButton, c.loadButton, c.closeButton}) {
        button->installEventFilter(this);
    }

    // The platform's focus frame around the two output boxes while they have the focus: an
    // empty list and a read-only text show no cursor or current item of their own.
    m_focusFrame = new QFocusFrame(this);
    m_focusFrame->setObjectName(QStringLiteral("outputFocusFrame"));
    for (QWidget *output :
         {static_cast<QWidget *>(c.reportList), static_cast<QWidget *>(c.quickHelpBox)}) {
        output->installEventFilter(this);
    }

    for (QRadioButton *option : c.typeOptions) {
        option->installEventFilter(this);
        connect(option, &QRadioButton::toggled, this, [this] { keepTabOnSelectedType(); });
    }
    keepTabOnSelectedType();
}

bool CalculatorWindow::filterUsabilityEvent(QObject *watched, QEvent *event)
{
    const WindowControls &c = *m_controls;
    if (event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent *>(event)->key();
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
        // In the vertical group of options, Right and Left step to the next and previous
        // option as Down and Up do.
        auto *option = qobject_cast<QRadioButton *>(watched);
        if (option && (key == Qt::Key_Right || key == Qt::Key_Left)) {
            QKeyEvent step(QEvent::KeyPress, key == Qt::Key_Right ? Qt::Key_Down : Qt::Key_Up,
                           Qt::NoModifier);
            QCoreApplication::sendEvent(option, &step);
            return true;
        }
    }
    if (watched == c.reportList || watched == c.quickHelpBox) {
        if (event->type() == QEvent::FocusIn) {
            m_focusFrame->setWidget(static_cast<QWidget *>(watched));
        } else if (event->type() == QEvent::FocusOut &&
                   m_focusFrame->widget() == static_cast<QWidget *>(watched)) {
            m_focusFrame->setWidget(nullptr);
        }
    }
    return false;
}

void CalculatorWindow::keepTabOnSelectedType()
{
    // Tab reaches the selected option only (the first one while none is selected); the arrow
    // keys then move the selection, as in any radio group.
    const WindowControls &c = *m_controls;
    const QAbstractButton *selected = c.typeGroup->checkedButton();
    for (QRadioButton *option : c.typeOptions) {
        const bool tabStop = selected ? option == selected : option == c.typeOptions.front();
        option->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

} // namespace ferrolux
