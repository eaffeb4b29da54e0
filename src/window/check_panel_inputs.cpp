#include "check_panel_inputs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QRegularExpression>

namespace ferrolux {
namespace {

constexpr InsulationClass kClasses[] = {InsulationClass::A, InsulationClass::E, InsulationClass::B,
                                        InsulationClass::F, InsulationClass::H};

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

std::optional<double> thermalInputValue(const QString &text, InputRange range)
{
    static const QRegularExpression plainDecimal(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)\s*$)"));
    if (!plainDecimal.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !range.contains(value)) {
        return std::nullopt;
    }
    return value;
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
        connect(edit, &QLineEdit::textEdited, this, &ThermalInputsBox::edited);
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

    const std::pair<QLineEdit *, std::pair<InputRange, double>> marks[] = {
        {m_ambient, {kAmbientRange, defaults.ambientC}},
        {m_hotSpot, {kHotSpotAllowanceRange, defaults.hotSpotAllowanceK}},
        {m_coreLoss, {kCoreLossRange, defaults.coreLossW}},
        {m_emissivity, {kEmissivityRange, defaults.emissivity}}};
    for (const auto &[edit, rule] : marks) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit, rule] { markField(edit, rule.first, rule.second); });
    }
    setInputs(defaults);
}

void ThermalInputsBox::markField(QLineEdit *field, InputRange range, double defaultValue)
{
    const bool valid = thermalInputValue(field->text(), range).has_value();
    field->setToolTip(valid ? QString()
                            : QStringLiteral("Not used: enter a number from %1 to %2. The default "
                                             "%3 is used meanwhile.")
                                  .arg(number(range.min), number(range.max), number(defaultValue)));
    if (valid) {
        field->setPalette(QPalette());
    } else {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xD0, 0xD0));
        field->setPalette(palette);
    }
    field->setProperty("outOfRange", !valid);
}

ThermalInputs ThermalInputsBox::inputs() const
{
    ThermalInputs values;
    auto take = [](const QLineEdit *field, InputRange range, double &value) {
        if (const auto read = thermalInputValue(field->text(), range)) {
            value = *read;
        }
    };
    take(m_ambient, kAmbientRange, values.ambientC);
    take(m_hotSpot, kHotSpotAllowanceRange, values.hotSpotAllowanceK);
    take(m_coreLoss, kCoreLossRange, values.coreLossW);
    take(m_emissivity, kEmissivityRange, values.emissivity);
    values.insulationClass = kClasses[std::max(0, m_class->currentIndex())];
    return values;
}

void ThermalInputsBox::setInputs(const ThermalInputs &inputs)
{
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
