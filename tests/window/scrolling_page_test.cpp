// The wheel on a scrolling page: over a spin box or combo box without the keyboard focus it
// changes nothing and is left for the page to scroll (also for a row the page adds after it is
// shown); once the field has the focus the wheel steps it.

#include "scrolling_page.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

namespace ferrolux {
namespace {

// One notch of the wheel towards the user over the middle of `field`; true when the field
// took it (a field that leaves it unaccepted lets it go on to the page).
bool wheelDown(QWidget *field)
{
    const QPointF at(field->width() / 2.0, field->height() / 2.0);
    QWheelEvent wheel(at, field->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(field, &wheel);
    return wheel.isAccepted();
}

TEST(ScrollingPage, TheWheelStepsOnlyAFieldWithTheFocus)
{
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    auto *spin = new QDoubleSpinBox;
    spin->setValue(5);
    auto *combo = new QComboBox;
    combo->addItems({QStringLiteral("first"), QStringLiteral("second")});
    layout->addWidget(spin);
    layout->addWidget(combo);
    layout->addSpacing(2000);
    ScrollingPage page(content);
    page.resize(300, 200);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    // A row the page gains once it is on screen.
    auto *later = new QComboBox;
    later->addItems({QStringLiteral("a"), QStringLiteral("b")});
    layout->insertWidget(0, later);
    later->show();

    const std::function<QString()> valueOf[] = {[&] { return spin->text(); },
                                                [&] { return combo->currentText(); },
                                                [&] { return later->currentText(); }};
    QWidget *fields[] = {spin, combo, later};
    for (int i = 0; i < 3; ++i) {
        QWidget *field = fields[i];
        EXPECT_EQ(field->focusPolicy(), Qt::StrongFocus) << i;
        if (QWidget *focused = QApplication::focusWidget()) {
            focused->clearFocus();
        }
        const QString before = valueOf[i]();
        EXPECT_FALSE(wheelDown(field)) << i;
        EXPECT_EQ(valueOf[i](), before) << i;
        page.activateWindow();
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
        ASSERT_TRUE(field->hasFocus()) << i;
        EXPECT_TRUE(wheelDown(field)) << i;
        EXPECT_NE(valueOf[i](), before) << i;
    }
}

} // namespace
} // namespace ferrolux
