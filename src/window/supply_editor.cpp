#include "supply_editor.h"

#include "rectifier_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ferrolux {

namespace {

// The rectifier combo's item data: the kind and the part's name.
constexpr int kKindRole = Qt::UserRole;
constexpr int kPartRole = Qt::UserRole + 1;

QDoubleSpinBox *spin(double min, double max, int decimals, const QString &suffix, QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(min, max);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    box->setFrame(false);
    return box;
}

QString partTitle(FilterPartKind kind)
{
    switch (kind) {
    case FilterPartKind::ShuntCapacitor:
        return QStringLiteral("C");
    case FilterPartKind::SeriesChoke:
        return QStringLiteral("L + R");
    case FilterPartKind::SeriesResistor:
        return QStringLiteral("R");
    }
    return {};
}

// The name a valve row is stored under: its first name ("5AR4" of "5AR4/GZ34").
QString firstName(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).section('/', 0, 0);
}

} // namespace

SupplyEditor::SupplyEditor(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_enabled = new QCheckBox(QStringLiteral("This secondary feeds a rectifier supply"), this);
    m_enabled->setObjectName(QStringLiteral("supplyEnabled"));
    layout->addWidget(m_enabled);

    auto *form = new QFormLayout;
    m_mains = spin(kMinMainsHz, kMaxMainsHz, 1, QStringLiteral(" Hz"), this);
    m_mains->setFrame(true);
    m_mains->setValue(50);
    form->addRow(QStringLiteral("Mains"), m_mains);
    m_circuit = new QComboBox(this);
    m_circuit->setObjectName(QStringLiteral("supplyCircuit"));
    m_circuit->addItem(QStringLiteral("Full-wave, centre tap"),
                       static_cast<int>(RectifierCircuit::FullWaveCentreTap));
    m_circuit->addItem(QStringLiteral("Bridge"), static_cast<int>(RectifierCircuit::Bridge));
    m_circuit->addItem(QStringLiteral("Half-wave"), static_cast<int>(RectifierCircuit::HalfWave));
    form->addRow(QStringLiteral("Circuit"), m_circuit);

    m_rectifier = new QComboBox(this);
    m_rectifier->setObjectName(QStringLiteral("supplyRectifier"));
    for (const SiliconDiode &diode : siliconDiodes()) {
        m_rectifier->addItem(QStringLiteral("Silicon ") + firstName(diode.name));
        m_rectifier->setItemData(m_rectifier->count() - 1,
                                 static_cast<int>(RectifierKind::SiliconPreset), kKindRole);
        m_rectifier->setItemData(m_rectifier->count() - 1, firstName(diode.name), kPartRole);
    }
    for (const RectifierValve &valve : rectifierValves()) {
        m_rectifier->addItem(
            QStringLiteral("Valve ") +
            QString::fromLatin1(valve.name.data(), static_cast<qsizetype>(valve.name.size())));
        m_rectifier->setItemData(m_rectifier->count() - 1, static_cast<int>(RectifierKind::Valve),
                                 kKindRole);
        m_rectifier->setItemData(m_rectifier->count() - 1, firstName(valve.name), kPartRole);
    }
    m_rectifier->addItem(QStringLiteral("Diode by its forward voltage and resistance"));
    m_rectifier->setItemData(m_rectifier->count() - 1, static_cast<int>(RectifierKind::Diode),
                             kKindRole);
    form->addRow(QStringLiteral("Rectifier"), m_rectifier);
    auto *law = new QHBoxLayout;
    m_forwardV = spin(0, kMaxForwardV, 3, QStringLiteral(" V"), this);
    m_forwardV->setFrame(true);
    m_forwardV->setValue(0.7);
    m_diodeOhm = spin(0, kMaxOhm, 3, QStringLiteral(" \u03A9"), this);
    m_diodeOhm->setFrame(true);
    law->addWidget(m_forwardV);
    law->addWidget(m_diodeOhm);
    form->addRow(QStringLiteral("Diode law"), law);
    layout->addLayout(form);

    m_filter = new QTableWidget(0, 3, this);
    m_filter->setObjectName(QStringLiteral("supplyFilter"));
    m_filter->setHorizontalHeaderLabels({QStringLiteral("Part"),
                                         QStringLiteral("C (\u00B5F), L (H) or R (\u03A9)"),
                                         QStringLiteral("Choke's R (\u03A9)")});
    m_filter->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_filter->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_filter->verticalHeader()->setVisible(false);
    m_filter->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_filter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_filter->setMinimumHeight(110);
    layout->addWidget(m_filter);
    auto *buttons = new QHBoxLayout;
    const std::pair<const char *, FilterPartKind> adders[] = {
        {"Add C", FilterPartKind::ShuntCapacitor},
        {"Add L + R", FilterPartKind::SeriesChoke},
        {"Add R", FilterPartKind::SeriesResistor}};
    for (const auto &[title, kind] : adders) {
        auto *add = new QPushButton(QString::fromLatin1(title), this);
        connect(add, &QPushButton::clicked, this, [this, kind = kind] {
            addFilterPart(kind);
            changed();
        });
        buttons->addWidget(add);
    }
    m_remove = new QPushButton(QStringLiteral("Remove"), this);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        removeFilterPart(m_filter->currentRow() >= 0 ? m_filter->currentRow()
                                                     : m_filter->rowCount() - 1);
        changed();
    });
    buttons->addWidget(m_remove);
    layout->addLayout(buttons);

    auto *loadRow = new QHBoxLayout;
    m_loadKind = new QComboBox(this);
    m_loadKind->setObjectName(QStringLiteral("supplyLoadKind"));
    m_loadKind->addItem(QStringLiteral("Load current"));
    m_loadKind->addItem(QStringLiteral("Load resistance"));
    m_load = spin(0.0001, kMaxLoadA, 4, QStringLiteral(" A"), this);
    m_load->setFrame(true);
    m_load->setObjectName(QStringLiteral("supplyLoad"));
    m_load->setValue(0.1);
    loadRow->addWidget(m_loadKind);
    loadRow->addWidget(m_load, 1);
    layout->addLayout(loadRow);

    connect(m_enabled, &QCheckBox::toggled, this, [this](bool on) {
        if (on && m_filter->rowCount() == 0) {
            addFilterPart(FilterPartKind::ShuntCapacitor);
        }
        changed();
    });
    connect(m_mains, &QDoubleSpinBox::valueChanged, this, &SupplyEditor::changed);
    connect(m_circuit, &QComboBox::currentIndexChanged, this, &SupplyEditor::changed);
    connect(m_rectifier, &QComboBox::currentIndexChanged, this, &SupplyEditor::changed);
    connect(m_forwardV, &QDoubleSpinBox::valueChanged, this, &SupplyEditor::changed);
    connect(m_diodeOhm, &QDoubleSpinBox::valueChanged, this, &SupplyEditor::changed);
    connect(m_load, &QDoubleSpinBox::valueChanged, this, &SupplyEditor::changed);
    connect(m_loadKind, &QComboBox::currentIndexChanged, this, [this](int index) {
        const bool amps = index == 0;
        m_load->setSuffix(amps ? QStringLiteral(" A") : QStringLiteral(" \u03A9"));
        m_load->setRange(amps ? 0.0001 : 1, amps ? kMaxLoadA : kMaxOhm);
        m_load->setDecimals(amps ? 4 : 1);
        changed();
    });
    updateEnabled();
}

void SupplyEditor::setFilterRow(int row, const FilterPart &part)
{
    auto *title = new QTableWidgetItem(partTitle(part.kind));
    title->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    title->setData(Qt::UserRole, static_cast<int>(part.kind));
    m_filter->setItem(row, 0, title);
    QDoubleSpinBox *value = nullptr;
    switch (part.kind) {
    case FilterPartKind::ShuntCapacitor:
        value = spin(0.001, kMaxCapacitanceUf, 3, QStringLiteral(" \u00B5F"), m_filter);
        value->setValue(part.capacitanceUf);
        break;
    case FilterPartKind::SeriesChoke:
        value = spin(0.001, kMaxInductanceH, 3, QStringLiteral(" H"), m_filter);
        value->setValue(part.inductanceH);
        break;
    case FilterPartKind::SeriesResistor:
        value = spin(0.001, kMaxOhm, 3, QStringLiteral(" \u03A9"), m_filter);
        value->setValue(part.resistanceOhm);
        break;
    }
    connect(value, &QDoubleSpinBox::valueChanged, this, &SupplyEditor::changed);
    m_filter->setCellWidget(row, 1, value);
    if (part.kind == FilterPartKind::SeriesChoke) {
        QDoubleSpinBox *ohm = spin(0, kMaxOhm, 3, QStringLiteral(" \u03A9"), m_filter);
        ohm->setValue(part.resistanceOhm);
        connect(ohm, &QDoubleSpinBox::valueChanged, this, &SupplyEditor::changed);
        m_filter->setCellWidget(row, 2, ohm);
    } else {
        m_filter->removeCellWidget(row, 2);
    }
}

FilterPart SupplyEditor::filterRow(int row) const
{
    FilterPart part;
    part.kind = static_cast<FilterPartKind>(m_filter->item(row, 0)->data(Qt::UserRole).toInt());
    const double value = static_cast<QDoubleSpinBox *>(m_filter->cellWidget(row, 1))->value();
    switch (part.kind) {
    case FilterPartKind::ShuntCapacitor:
        part.capacitanceUf = value;
        break;
    case FilterPartKind::SeriesChoke:
        part.inductanceH = value;
        part.resistanceOhm = static_cast<QDoubleSpinBox *>(m_filter->cellWidget(row, 2))->value();
        break;
    case FilterPartKind::SeriesResistor:
        part.resistanceOhm = value;
        break;
    }
    return part;
}

void SupplyEditor::addFilterPart(FilterPartKind kind)
{
    FilterPart part{kind, 0, 0, 0};
    // Values a builder would start from: 47 uF, a 10 H choke of 150 ohm, 1 kohm.
    part.capacitanceUf = kind == FilterPartKind::ShuntCapacitor ? 47 : 0;
    part.inductanceH = kind == FilterPartKind::SeriesChoke ? 10 : 0;
    part.resistanceOhm = kind == FilterPartKind::SeriesChoke      ? 150
                         : kind == FilterPartKind::SeriesResistor ? 1000
                                                                  : 0;
    const int row = m_filter->rowCount();
    m_filter->insertRow(row);
    setFilterRow(row, part);
    updateEnabled();
}

void SupplyEditor::removeFilterPart(int row)
{
    if (row >= 0 && row < m_filter->rowCount()) {
        m_filter->removeRow(row);
    }
    updateEnabled();
}

void SupplyEditor::setSupply(const std::optional<SecondarySupply> &supply)
{
    m_showing = true;
    m_enabled->setChecked(supply.has_value());
    const SecondarySupply s = supply.value_or(SecondarySupply{});
    m_mains->setValue(s.mainsHz);
    m_circuit->setCurrentIndex(m_circuit->findData(static_cast<int>(s.circuit)));
    int index = m_rectifier->count() - 1; // a diode by its law
    if (s.rectifier.kind != RectifierKind::Diode) {
        const void *row = s.rectifier.kind == RectifierKind::Valve
                              ? static_cast<const void *>(findRectifierValve(s.rectifier.part))
                              : static_cast<const void *>(findSiliconDiode(s.rectifier.part));
        for (int i = 0; i < m_rectifier->count() - 1; ++i) {
            const std::string name = m_rectifier->itemData(i, kPartRole).toString().toStdString();
            const bool valve = m_rectifier->itemData(i, kKindRole).toInt() ==
                               static_cast<int>(RectifierKind::Valve);
            const void *candidate = valve ? static_cast<const void *>(findRectifierValve(name))
                                          : static_cast<const void *>(findSiliconDiode(name));
            if (row != nullptr && candidate == row &&
                valve == (s.rectifier.kind == RectifierKind::Valve)) {
                index = i;
            }
        }
    }
    m_rectifier->setCurrentIndex(supply ? index : 0);
    m_law = s.rectifier.law;
    m_forwardV->setValue(s.rectifier.law.forwardV);
    m_diodeOhm->setValue(s.rectifier.law.resistanceOhm);
    m_filter->setRowCount(0);
    for (const FilterPart &part : s.filter) {
        const int row = m_filter->rowCount();
        m_filter->insertRow(row);
        setFilterRow(row, part);
    }
    const bool amps = s.load.kind == SupplyLoadKind::ConstantCurrent;
    m_loadKind->setCurrentIndex(amps ? 0 : 1);
    m_load->setValue(supply ? s.load.value : 0.1);
    updateEnabled();
    m_showing = false;
}

std::optional<SecondarySupply> SupplyEditor::supply() const
{
    if (!m_enabled->isChecked()) {
        return std::nullopt;
    }
    SecondarySupply s;
    s.mainsHz = m_mains->value();
    s.circuit = static_cast<RectifierCircuit>(m_circuit->currentData().toInt());
    const auto kind = static_cast<RectifierKind>(m_rectifier->currentData(kKindRole).toInt());
    s.rectifier.kind = kind;
    if (kind == RectifierKind::Diode) {
        s.rectifier.law = m_law;
        s.rectifier.law.forwardV = m_forwardV->value();
        s.rectifier.law.resistanceOhm = m_diodeOhm->value();
    } else {
        s.rectifier.part = m_rectifier->currentData(kPartRole).toString().toStdString();
    }
    for (int row = 0; row < m_filter->rowCount(); ++row) {
        s.filter.push_back(filterRow(row));
    }
    s.load.kind = m_loadKind->currentIndex() == 0 ? SupplyLoadKind::ConstantCurrent
                                                  : SupplyLoadKind::Resistance;
    s.load.value = m_load->value();
    return s;
}

void SupplyEditor::updateEnabled()
{
    const bool on = m_enabled->isChecked();
    for (QWidget *input : std::initializer_list<QWidget *>{m_mains, m_circuit, m_rectifier,
                                                           m_filter, m_loadKind, m_load}) {
        input->setEnabled(on);
    }
    const bool law =
        on && m_rectifier->currentData(kKindRole).toInt() == static_cast<int>(RectifierKind::Diode);
    m_forwardV->setEnabled(law);
    m_diodeOhm->setEnabled(law);
    m_remove->setEnabled(on && m_filter->rowCount() > 0);
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setEnabled(on && (button != m_remove || m_filter->rowCount() > 0));
    }
}

void SupplyEditor::changed()
{
    updateEnabled();
    if (!m_showing) {
        emit edited();
    }
}

} // namespace ferrolux
