#include "check_panel_inputs.h"

#include "plain_decimal.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPalette>
#include <tuple>

namespace ferrolux {
namespace {

constexpr InsulationClass kClasses[] = {InsulationClass::A, InsulationClass::E, InsulationClass::B,
                                        InsulationClass::F, InsulationClass::H};

// A value as the fields show it: in the form the number rule reads back.
QString number(double value)
{
    return QString::fromStdString(plainDecimalText(value));
}

} // namespace

std::optional<double> thermalInputValue(const QString &text, InputRange range)
{
    return numberInRange(text.toStdString(), range);
}

ThermalInputsBox::ThermalInputsBox(QWidget *parent) : QGroupBox(QStringLiteral("Inputs"), parent)
{
    setObjectName(QStringLiteral("checkInputs"));
    auto *form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto field = [&](const char *name, const QString &caption) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        form->addRow(caption, edit);
        return edit;
    };
    const ThermalInputs defaults;
    m_ambient = field("checkAmbient", QStringLiteral("Ambient (°C)"));
    m_class = new QComboBox(this);
    m_class->setObjectName(QStringLiteral("checkClass"));
    for (const InsulationClass insulation : kClasses) {
        m_class->addItem(QStringLiteral("%1 (%2 °C)")
                             .arg(QString::fromUtf8(
                                 insulationClassName(insulation).data(),
                                 static_cast<qsizetype>(insulationClassName(insulation).size())))
                             .arg(classLimitC(insulation)));
    }
    form->addRow(QStringLiteral("Insulation class"), m_class);
    connect(m_class, &QComboBox::activated, this, &ThermalInputsBox::edited);
    m_hotSpot = field("checkHotSpot", QStringLiteral("Hot-spot allowance (K)"));
    m_coreLoss = field("checkCoreLoss", QStringLiteral("Core loss (W, 0 = unknown)"));
    m_emissivity = field("checkEmissivity", QStringLiteral("Emissivity"));

    const std::tuple<QLineEdit *, InputRange, double ThermalInputs::*> numbers[] = {
        {m_ambient, kAmbientRange, &ThermalInputs::ambientC},
        {m_hotSpot, kHotSpotAllowanceRange, &ThermalInputs::hotSpotAllowanceK},
        {m_coreLoss, kCoreLossRange, &ThermalInputs::coreLossW},
        {m_emissivity, kEmissivityRange, &ThermalInputs::emissivity}};
    for (const auto &[edit, range, member] : numbers) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit, range, member] { takeField(edit, range, m_values.*member); });
        // The line edit tells of a user's edit before it tells of the changed text: the value
        // is taken first, so that "edited" never hands on the value from one key before.
        connect(edit, &QLineEdit::textEdited, this, [this, edit, range, member] {
            takeField(edit, range, m_values.*member);
            emit edited();
        });
    }
    setInputs(defaults);
}

void ThermalInputsBox::takeField(QLineEdit *field, InputRange range, double &value)
{
    const std::optional<double> read = thermalInputValue(field->text(), range);
    if (read) {
        value = *read;
    }
    field->setToolTip(read ? QString()
                           : QStringLiteral("Not used: enter a number from %1 to %2. The last "
                                            "valid value, %3, is used meanwhile.")
                                 .arg(number(range.min), number(range.max), number(value)));
    if (read) {
        field->setPalette(QPalette());
    } else {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xD0, 0xD0));
        field->setPalette(palette);
    }
    field->setProperty("outOfRange", !read);
}

ThermalInputs ThermalInputsBox::inputs() const
{
    ThermalInputs values = m_values;
    values.insulationClass = kClasses[std::max(0, m_class->currentIndex())];
    return values;
}

void ThermalInputsBox::setInputs(const ThermalInputs &inputs)
{
    m_values = inputs;
    m_ambient->setText(number(inputs.ambientC));
    m_hotSpot->setText(number(inputs.hotSpotAllowanceK));
    m_coreLoss->setText(number(inputs.coreLossW));
    m_emissivity->setText(number(inputs.emissivity));
    for (int i = 0; i < static_cast<int>(std::size(kClasses)); ++i) {
        if (kClasses[i] == inputs.insulationClass) {
            m_class->setCurrentIndex(i);
        }
    }
}

} // namespace ferrolux
