#include "lamination_page.h"

#include "bench_fields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

namespace ferrolux {

namespace {

constexpr int kNone = 0;

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

} // namespace

LaminationPage::LaminationPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("laminationPage"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_name = new QComboBox(this);
    m_name->setObjectName(QStringLiteral("laminationName"));
    m_name->addItem(QStringLiteral("None"));
    for (const Lamination &row : laminationTable()) {
        m_name->addItem(text(row.name));
    }
    m_name->addItem(QStringLiteral("By its dimensions"));
    form->addRow(QStringLiteral("Lamination"), m_name);
    connect(m_name, &QComboBox::activated, this, [this] {
        showShape();
        edited();
    });
    const auto field = [&](const char *name, const QString &caption) {
        QLineEdit *edit = benchField(this, name);
        form->addRow(caption, edit);
        connect(edit, &QLineEdit::textEdited, this, &LaminationPage::edited);
        return edit;
    };
    m_tongue = field("laminationTongue", QStringLiteral("Tongue (cm)"));
    m_windowWidth = field("laminationWindowWidth", QStringLiteral("Window width (cm)"));
    m_windowHeight = field("laminationWindowHeight", QStringLiteral("Window height (cm)"));
    m_stack = field("laminationStack", QStringLiteral("Stack (cm)"));
    m_flux = field("laminationFlux", QStringLiteral("Flux density (T)"));
    m_mains = field("laminationMains", QStringLiteral("Mains (V)"));
    m_hz = field("laminationHz", QStringLiteral("Frequency (Hz)"));
    m_stackingFactor = field("laminationStackingFactor", QStringLiteral("Stacking factor"));
    m_rise = new QComboBox(this);
    m_rise->setObjectName(QStringLiteral("laminationRise"));
    m_rise->addItem(QStringLiteral("25 K"));
    m_rise->addItem(QStringLiteral("50 K"));
    form->addRow(QStringLiteral("Allowed rise"), m_rise);
    connect(m_rise, &QComboBox::activated, this, &LaminationPage::edited);
    m_efficiency = field("laminationEfficiency", QStringLiteral("Efficiency"));
    layout->addLayout(form);
    m_figures = new QLabel(this);
    m_figures->setObjectName(QStringLiteral("laminationFigures"));
    m_figures->setWordWrap(true);
    m_estimate = new QLabel(this);
    m_estimate->setObjectName(QStringLiteral("laminationEstimate"));
    m_estimate->setWordWrap(true);
    auto *note = new QLabel(text(laminationAssumptions()), this);
    note->setObjectName(QStringLiteral("laminationAssumptions"));
    note->setWordWrap(true);
    layout->addWidget(m_figures);
    layout->addWidget(m_estimate);
    layout->addWidget(note);
    layout->addStretch();
    setLamination(std::nullopt);
}

std::optional<LaminationChoice> LaminationPage::lamination() const
{
    const int index = m_name->currentIndex();
    if (index <= kNone) {
        return std::nullopt;
    }
    LaminationChoice choice;
    const bool custom = index == m_name->count() - 1;
    if (!custom) {
        choice.name = m_name->currentText().toStdString();
    } else {
        choice.custom.tongueCm = benchFieldValue(m_tongue).value_or(0);
        choice.custom.windowWidthCm = benchFieldValue(m_windowWidth).value_or(0);
        choice.custom.windowHeightCm = benchFieldValue(m_windowHeight).value_or(0);
    }
    CoreConditions &c = choice.conditions;
    c.stackCm = benchFieldValue(m_stack).value_or(0);
    c.fluxT = benchFieldValue(m_flux).value_or(c.fluxT);
    c.mainsV = benchFieldValue(m_mains).value_or(c.mainsV);
    c.hz = benchFieldValue(m_hz).value_or(c.hz);
    c.stackingFactor = benchFieldValue(m_stackingFactor).value_or(c.stackingFactor);
    c.riseK = m_rise->currentIndex() == 1 ? 50 : 25;
    c.efficiency = benchFieldValue(m_efficiency).value_or(c.efficiency);
    return choice;
}

void LaminationPage::setLamination(const std::optional<LaminationChoice> &lamination)
{
    const LaminationChoice choice = lamination.value_or(LaminationChoice{});
    int index = kNone;
    if (lamination) {
        index = lamination->name.empty() ? m_name->count() - 1
                                         : m_name->findText(QString::fromStdString(choice.name));
        if (index < 0) {
            // A name the table does not have: shown as given, so that it is kept.
            m_name->insertItem(m_name->count() - 1, QString::fromStdString(choice.name));
            index = m_name->count() - 2;
        }
    }
    m_name->setCurrentIndex(index);
    const CoreConditions &c = choice.conditions;
    m_tongue->setText(benchNumberText(choice.custom.tongueCm));
    m_windowWidth->setText(benchNumberText(choice.custom.windowWidthCm));
    m_windowHeight->setText(benchNumberText(choice.custom.windowHeightCm));
    m_stack->setText(c.stackCm > 0 ? benchNumberText(c.stackCm) : QString());
    m_flux->setText(benchNumberText(c.fluxT));
    m_mains->setText(benchNumberText(c.mainsV));
    m_hz->setText(benchNumberText(c.hz));
    m_stackingFactor->setText(benchNumberText(c.stackingFactor));
    m_rise->setCurrentIndex(c.riseK == 50 ? 1 : 0);
    m_efficiency->setText(benchNumberText(c.efficiency));
    showShape();
    showEstimate();
}

void LaminationPage::setDesignVa(std::optional<double> totalVa)
{
    m_designVa = totalVa;
    showEstimate();
}

void LaminationPage::edited()
{
    showEstimate();
    emit laminationEdited();
}

void LaminationPage::showShape()
{
    const int index = m_name->currentIndex();
    const bool custom = index == m_name->count() - 1;
    for (QLineEdit *edit : {m_tongue, m_windowWidth, m_windowHeight}) {
        edit->setReadOnly(!custom);
    }
    if (!custom && index > kNone) {
        if (const auto row = findLamination(m_name->currentText().toStdString())) {
            const CoreShape shape = coreShapeOf(*row);
            m_tongue->setText(benchNumberText(shape.tongueCm));
            m_windowWidth->setText(benchNumberText(shape.windowWidthCm));
            m_windowHeight->setText(benchNumberText(shape.windowHeightCm));
        }
    }
}

void LaminationPage::showEstimate()
{
    const std::optional<LaminationChoice> choice = lamination();
    if (!choice) {
        m_figures->setText(QStringLiteral("Pick a lamination, or give the core by its "
                                          "dimensions, to see what it can carry."));
        m_estimate->clear();
        return;
    }
    const auto estimate = laminationEstimate(*choice, m_designVa.value_or(0));
    if (const auto *problem = std::get_if<InputProblem>(&estimate)) {
        m_figures->setText(
            QStringLiteral("No figures: %1.").arg(QString::fromStdString(problem->message)));
        m_estimate->clear();
        return;
    }
    const LaminationEstimate &e = std::get<LaminationEstimate>(estimate);
    const CoreFigures &f = e.figures;
    m_figures->setText(QStringLiteral("Ac %1 cm² (net %2 cm²), Wa %3 cm², Ap %4 cm⁴; %5 turns per "
                                      "volt, %6 primary turns; it can carry about %7 VA.")
                           .arg(f.acCm2, 0, 'f', 2)
                           .arg(f.acNetCm2, 0, 'f', 2)
                           .arg(f.waCm2, 0, 'f', 2)
                           .arg(f.apCm4, 0, 'f', 1)
                           .arg(f.turnsPerVolt, 0, 'f', 3)
                           .arg(f.primaryTurns)
                           .arg(f.vaEstimate, 0, 'f', 1));
    if (!m_designVa) {
        m_estimate->setText(QStringLiteral("Press Calculate to compare with the design's load."));
    } else if (e.carries()) {
        m_estimate->setText(QStringLiteral("The design's %1 VA is under the estimate by %2 VA.")
                                .arg(e.designVa, 0, 'f', 1)
                                .arg(e.marginVa, 0, 'f', 1));
    } else {
        m_estimate->setText(QStringLiteral("The design's %1 VA is OVER the estimate by %2 VA.")
                                .arg(e.designVa, 0, 'f', 1)
                                .arg(-e.marginVa, 0, 'f', 1));
    }
}

} // namespace ferrolux
