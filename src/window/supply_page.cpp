#include "supply_page.h"

#include "supply_check_lines.h"
#include "supply_editor.h"
#include "supply_plots.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ferrolux {

namespace {

QString figure(double value)
{
    return QString::number(value, 'g', 4);
}

QString fromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SupplyPage::SupplyPage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *selector = new QHBoxLayout;
    selector->addWidget(new QLabel(QStringLiteral("Secondary"), this));
    m_secondary = new QComboBox(this);
    m_secondary->setObjectName(QStringLiteral("supplySecondary"));
    selector->addWidget(m_secondary, 1);
    layout->addLayout(selector);

    m_editor = new SupplyEditor(this);
    layout->addWidget(m_editor);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    m_figures = new QLabel(this);
    m_figures->setObjectName(QStringLiteral("supplyFigures"));
    m_figures->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_figures);

    m_limits = new QTableWidget(0, 4, this);
    m_limits->setObjectName(QStringLiteral("supplyLimits"));
    m_limits->setHorizontalHeaderLabels(
        {QStringLiteral("Limit"), QStringLiteral("Supply"), QStringLiteral("Rating"), QString()});
    m_limits->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_limits->verticalHeader()->setVisible(false);
    m_limits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_limits->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_limits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_limits);

    m_useCurrent = new QPushButton(QStringLiteral("Use the simulated current"), this);
    m_useCurrent->setObjectName(QStringLiteral("useSimulatedCurrent"));
    m_useCurrent->setToolTip(
        QStringLiteral("Puts the winding's RMS current into this secondary's current field"));
    layout->addWidget(m_useCurrent);

    // The plots are built with the first figures to plot: charts are costly, and the panel is
    // built before anything is calculated.
    m_layout = layout;
    layout->addStretch(1);

    connect(m_secondary, &QComboBox::currentIndexChanged, this, [this] {
        const int row = currentSecondary();
        if (row >= 0) {
            m_editor->setSupply(m_supplies[static_cast<std::size_t>(row)]);
        }
        showSelected();
    });
    connect(m_editor, &SupplyEditor::edited, this, [this] {
        const int row = currentSecondary();
        if (row < 0) {
            return;
        }
        m_supplies[static_cast<std::size_t>(row)] = m_editor->supply();
        m_stale = true;
        showSelected();
        emit suppliesEdited();
    });
    connect(m_useCurrent, &QPushButton::clicked, this, [this] {
        if (const DesignSupplyResult *result = selectedResult(); result && result->ok()) {
            emit useSimulatedCurrent(static_cast<int>(result->row), result->figures.windingRmsA);
        }
    });
    showSelected();
}

void SupplyPage::setSupplies(const SecondarySupplies &supplies, int secondaryCount)
{
    m_supplies = supplies;
    const int keep = std::max(0, currentSecondary());
    const QSignalBlocker blocker(m_secondary);
    m_secondary->clear();
    for (int row = 0; row < std::clamp(secondaryCount, 0, kMaxSecondaries); ++row) {
        m_secondary->addItem(QStringLiteral("Secondary %1").arg(row + 1));
    }
    m_secondary->setCurrentIndex(std::min(keep, m_secondary->count() - 1));
    if (currentSecondary() >= 0) {
        m_editor->setSupply(m_supplies[static_cast<std::size_t>(currentSecondary())]);
    }
    m_editor->setEnabled(m_secondary->count() > 0);
    showSelected();
}

int SupplyPage::secondaryCount() const
{
    return m_secondary->count();
}

int SupplyPage::currentSecondary() const
{
    return m_secondary->currentIndex();
}

void SupplyPage::setCurrentSecondary(int row)
{
    m_secondary->setCurrentIndex(row);
}

void SupplyPage::showResults(const std::vector<DesignSupplyResult> &results)
{
    m_results = results;
    m_stale = false;
    showSelected();
}

void SupplyPage::showNothing()
{
    m_results.clear();
    m_stale = false;
    showSelected();
}

const DesignSupplyResult *SupplyPage::selectedResult() const
{
    if (m_stale) {
        return nullptr;
    }
    for (const DesignSupplyResult &result : m_results) {
        if (static_cast<int>(result.row) == currentSecondary()) {
            return &result;
        }
    }
    return nullptr;
}

void SupplyPage::fitLimitsHeight()
{
    // Every row shown, without a scroll bar of its own: the page scrolls as a whole.
    int height = m_limits->horizontalHeader()->sizeHint().height() + 2 * m_limits->frameWidth();
    for (int row = 0; row < m_limits->rowCount(); ++row) {
        height += m_limits->rowHeight(row);
    }
    m_limits->setFixedHeight(height);
}

void SupplyPage::showSelected()
{
    const int row = currentSecondary();
    const DesignSupplyResult *result = selectedResult();
    m_limits->setRowCount(0);
    fitLimitsHeight();
    m_figures->clear();
    if (m_plots != nullptr) {
        m_plots->clear();
    }
    m_useCurrent->setEnabled(result != nullptr && result->ok());
    if (row < 0 || !m_supplies[static_cast<std::size_t>(row)]) {
        m_status->setText(QStringLiteral("No supply on this secondary."));
        return;
    }
    if (result == nullptr) {
        m_status->setText(QStringLiteral("Press Calculate to simulate the supply."));
        return;
    }
    if (!result->ok()) {
        m_status->setText(QStringLiteral("Not simulated: ") + fromStd(*result->failure) +
                          QLatin1Char('.'));
        return;
    }
    m_status->setText(
        QStringLiteral("Source per path: %1 V open circuit, %2 \u03A9 with the primary's")
            .arg(figure(result->circuit.windingVac), figure(result->circuit.windingOhm)));
    // The figure lines of the check section, less its title, source and limits.
    QStringList lines;
    for (const std::string &line : supplyCheckLines({*result})) {
        const QString text = fromStd(line);
        if (text.startsWith(QStringLiteral("  ")) && !text.startsWith(QStringLiteral("    ")) &&
            !text.contains(QStringLiteral("Source per path")) &&
            !text.contains(QStringLiteral("Limits of")) &&
            !text.contains(QStringLiteral("limits")) &&
            !text.contains(QStringLiteral("mains sweep"))) {
            lines << text.trimmed();
        }
    }
    m_figures->setText(lines.join(QLatin1Char('\n')));
    const Rectifier &rectifier = result->circuit.rectifier;
    if (result->limits.empty()) {
        m_limits->setRowCount(1);
        m_limits->setItem(0, 0,
                          new QTableWidgetItem(rectifier.kind == RectifierKind::Diode
                                                   ? QStringLiteral("A diode by its law: none")
                                                   : QStringLiteral("No published limits known")));
    }
    for (const LimitCheck &limit : result->limits) {
        const int at = m_limits->rowCount();
        m_limits->insertRow(at);
        m_limits->setItem(at, 0, new QTableWidgetItem(fromStd(limit.title)));
        m_limits->setItem(at, 1, new QTableWidgetItem(figure(limit.value)));
        m_limits->setItem(
            at, 2,
            new QTableWidgetItem((limit.minimum ? QStringLiteral("min ") : QStringLiteral("max ")) +
                                 figure(limit.limit)));
        auto *verdict =
            new QTableWidgetItem(limit.broken ? QStringLiteral("BROKEN") : QStringLiteral("ok"));
        verdict->setData(Qt::UserRole, limit.broken);
        if (limit.broken) {
            for (int column = 0; column < 3; ++column) {
                m_limits->item(at, column)->setBackground(QColor(0xf4, 0xc7, 0xc3));
            }
            verdict->setBackground(QColor(0xf4, 0xc7, 0xc3));
            QFont bold = verdict->font();
            bold.setBold(true);
            verdict->setFont(bold);
        }
        m_limits->setItem(at, 3, verdict);
    }
    m_limits->resizeColumnsToContents();
    m_limits->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    fitLimitsHeight();
    // The plots: one steady cycle and the regulation curve, as the evaluation worked them out.
    if (m_plots == nullptr) {
        m_plots = new SupplyPlots(this);
        m_layout->insertWidget(m_layout->count() - 1, m_plots);
    }
    m_plots->showCycle(result->waveform);
    m_plots->showRegulation(result->regulation);
}

int SupplyPage::limitRowCount() const
{
    int rows = 0;
    for (int row = 0; row < m_limits->rowCount(); ++row) {
        rows += m_limits->item(row, 3) != nullptr ? 1 : 0;
    }
    return rows;
}

bool SupplyPage::limitRowBroken(int row) const
{
    const QTableWidgetItem *item = m_limits->item(row, 3);
    return item != nullptr && item->data(Qt::UserRole).toBool();
}

QString SupplyPage::figuresText() const
{
    return m_figures->text();
}

} // namespace ferrolux
