#include "calculator_window_font.h"

#include "calculator_window_controls.h"
#include "calculator_window_widgets.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>

namespace ferrolux {
namespace {

constexpr double kLargestSize = 8.25; // points
constexpr double kSmallestSize = 6.0; // points
constexpr double kSizeStep = 0.25;    // points

int textWidth(const QFontMetrics &metrics, const QString &text)
{
    return metrics.horizontalAdvance(text);
}

bool optionsFit(const WindowControls &c, const QFontMetrics &metrics)
{
    for (const QRadioButton *option : c.typeOptions) {
        const QStyle *style = option->style();
        const int indicator =
            style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option) +
            style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option);
        if (indicator + textWidth(metrics, option->text()) > option->width()) {
            return false;
        }
    }
    return textWidth(metrics, c.typeFrame->title()) <= c.typeFrame->width();
}

bool buttonsFit(const WindowControls &c, const QFontMetrics &metrics)
{
    for (const QPushButton *button :
         {c.calculateButton, c.clearButton, c.loadButton, c.closeButton}) {
        const int margins =
            2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        // The load button also shows "Load Example".
        const int widest = button == c.loadButton
                               ? std::max(textWidth(metrics, button->text()),
                                          textWidth(metrics, QStringLiteral("Load Example")))
                               : textWidth(metrics, button->text());
        if (widest + margins > button->width()) {
            return false;
        }
    }
    return true;
}

bool everythingFits(const WindowControls &c, const QFont &font)
{
    const QFontMetrics metrics(font);
    for (const QLabel *caption : c.captions) {
        if (textWidth(metrics, caption->text()) > caption->width() ||
            metrics.height() > caption->height()) {
            return false;
        }
    }
    const QRect checkCaption = c.correctForLoadingBox->captionRect();
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, checkCaption.width(), 1 << 20),
                                               Qt::TextWordWrap, c.correctForLoadingBox->caption());
    return wrapped.width() <= checkCaption.width() && wrapped.height() <= checkCaption.height() &&
           optionsFit(c, metrics) && buttonsFit(c, metrics);
}

} // namespace

QFont preferredDialogFont(const QFont &applicationFont)
{
    // The two narrow faces are looked up by name in the font database, which costs no font
    // matching; only the metric-compatible substitute is matched, once. A face the platform
    // does not know resolves to its generic default.
    const QStringList installed = QFontDatabase::families();
    QFont face = applicationFont;
    if (installed.contains(QStringLiteral("MS Sans Serif"))) {
        face = QFont(QStringLiteral("MS Sans Serif"));
    } else if (installed.contains(QStringLiteral("Microsoft Sans Serif"))) {
        face = QFont(QStringLiteral("Microsoft Sans Serif"));
    } else if (const QFont arial(QStringLiteral("Arial"));
               QFontInfo(arial).family() != QFontInfo(applicationFont).family()) {
        face = arial;
    }
    face.setPointSizeF(kLargestSize);
    return face;
}

QFont fitDialogFont(const WindowControls &controls, QFont font)
{
    for (double size = kLargestSize; size > kSmallestSize; size -= kSizeStep) {
        font.setPointSizeF(size);
        if (everythingFits(controls, font)) {
            return font;
        }
    }
    font.setPointSizeF(kSmallestSize);
    return font;
}

} // namespace ferrolux
