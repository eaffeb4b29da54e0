#include "load_builder_page.h"

#include "plain_decimal.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ferrolux {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

QString volts(int millivolts)
{
    return QString::fromStdString(plainDecimalText(millivolts / 1000.0));
}

QString amps(double value)
{
    return value < 1 ? QStringLiteral("%1 mA").arg(value * 1000, 0, 'f', 0)
                     : QStringLiteral("%1 A").arg(value, 0, 'g', 3);
}

} // namespace

LoadBuilderPage::LoadBuilderPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("loadBuilderPage"));
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(QStringLiteral("Valves, e.g. EL34*2, 12AX7*3, 5AR4:"), this);
    layout->addWidget(caption);
    m_list = new QLineEdit(this);
    m_list->setObjectName(QStringLiteral("loadValves"));
    layout->addWidget(m_list);
    connect(m_list, &QLineEdit::textEdited, this, [this] {
        showTotals();
        emit valveListEdited();
    });
    auto *pickRow = new QHBoxLayout;
    m_pick = new QComboBox(this);
    m_pick->setObjectName(QStringLiteral("loadPick"));
    for (const ValveHeater &valve : valveHeaterTable()) {
        m_pick->addItem(text(valve.type()));
    }
    auto *add = new QPushButton(QStringLiteral("Add"), this);
    add->setObjectName(QStringLiteral("loadAdd"));
    pickRow->addWidget(m_pick, 1);
    pickRow->addWidget(add);
    layout->addLayout(pickRow);
    connect(add, &QPushButton::clicked, this, [this] {
        QString list = m_list->text().trimmed();
        if (!list.isEmpty()) {
            list += QStringLiteral(", ");
        }
        m_list->setText(list + m_pick->currentText());
        showTotals();
        emit valveListEdited();
    });

    auto *totals = new QGroupBox(QStringLiteral("Heaters"), this);
    auto *totalsLayout = new QVBoxLayout(totals);
    m_totalsGrid = new QGridLayout;
    totalsLayout->addLayout(m_totalsGrid);
    m_problem = new QLabel(totals);
    m_problem->setObjectName(QStringLiteral("loadProblem"));
    m_problem->setWordWrap(true);
    totalsLayout->addWidget(m_problem);
    m_write = new QPushButton(QStringLiteral("Write into the secondaries"), totals);
    m_write->setObjectName(QStringLiteral("loadWrite"));
    totalsLayout->addWidget(m_write, 0, Qt::AlignLeft);
    connect(m_write, &QPushButton::clicked, this, &LoadBuilderPage::writeCurrents);
    layout->addWidget(totals);

    auto *budget = new QGroupBox(QStringLiteral("VA budget and primary fuse"), this);
    auto *budgetLayout = new QVBoxLayout(budget);
    m_budget = new QLabel(budget);
    m_budget->setObjectName(QStringLiteral("loadBudget"));
    m_budget->setWordWrap(true);
    budgetLayout->addWidget(m_budget);
    layout->addWidget(budget);
    layout->addStretch();
    showTotals();
    showVaBudget(std::nullopt);
}

std::string LoadBuilderPage::valveList() const
{
    return m_list->text().trimmed().toStdString();
}

void LoadBuilderPage::setValveList(const std::string &list)
{
    m_list->setText(QString::fromStdString(list));
    showTotals();
}

void LoadBuilderPage::setSecondaries(const SecondaryRows &rows, int count)
{
    m_rows = rows;
    m_count = std::clamp(count, 0, kMaxSecondaries);
    showTotals();
}

std::vector<HeaterAssignment> LoadBuilderPage::assignments() const
{
    std::vector<HeaterAssignment> chosen;
    for (const auto &[millivolts, box] : m_targets) {
        if (box->currentIndex() > 0) {
            chosen.push_back({millivolts, box->currentIndex() - 1});
        }
    }
    return chosen;
}

void LoadBuilderPage::showTotals()
{
    // The choices made so far are kept for the voltages that stay in the list.
    std::vector<std::pair<int, int>> before;
    for (const auto &[millivolts, box] : m_targets) {
        before.emplace_back(millivolts, box->currentIndex());
    }
    while (QLayoutItem *item = m_totalsGrid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_targets.clear();
    m_problem->clear();
    m_write->setEnabled(false);
    if (valveList().empty()) {
        m_problem->setText(QStringLiteral("Type or add the valves the transformer heats."));
        return;
    }
    const auto valves = parseValveList(valveList());
    if (const auto *problem = std::get_if<InputProblem>(&valves)) {
        m_problem->setText(QString::fromStdString(problem->message));
        return;
    }
    int line = 0;
    for (const HeaterTotal &total : heaterTotals(std::get<std::vector<ValveCount>>(valves))) {
        auto *label = new QLabel(QStringLiteral("%1 V: %2")
                                     .arg(volts(total.millivolts))
                                     .arg(amps(static_cast<double>(total.milliamps) / 1000)),
                                 this);
        label->setObjectName(QStringLiteral("loadTotal%1").arg(line));
        auto *box = new QComboBox(this);
        box->setObjectName(QStringLiteral("loadTarget%1").arg(line));
        box->addItem(QStringLiteral("Not written"));
        for (int row = 0; row < m_count; ++row) {
            const auto &r = m_rows[static_cast<std::size_t>(row)];
            box->addItem(QStringLiteral("Secondary %1 (%2 V)")
                             .arg(row + 1)
                             .arg(QString::fromStdString(r.voltage)));
        }
        int index = 0;
        for (const auto &[millivolts, was] : before) {
            if (millivolts == total.millivolts && was < box->count()) {
                index = was;
            }
        }
        if (index == 0) {
            index = matchingSecondary(m_rows, m_count, total.millivolts).value_or(-1) + 1;
        }
        box->setCurrentIndex(index);
        m_totalsGrid->addWidget(label, line, 0);
        m_totalsGrid->addWidget(box, line, 1);
        m_targets.emplace_back(total.millivolts, box);
        ++line;
    }
    m_write->setEnabled(m_count > 0);
}

void LoadBuilderPage::writeCurrents()
{
    const auto written = writeHeaterTotals(m_rows, valveList(), assignments());
    if (const auto *problem = std::get_if<InputProblem>(&written)) {
        m_problem->setText(QString::fromStdString(problem->message));
        return;
    }
    m_problem->clear();
    m_rows = std::get<SecondaryRows>(written);
    emit rowsWritten(m_rows);
}

void LoadBuilderPage::showVaBudget(const std::optional<Checked<DesignVaBudget>> &budget)
{
    if (!budget) {
        m_budget->setText(QStringLiteral("Press Calculate to see the design's VA budget."));
        return;
    }
    if (const auto *problem = std::get_if<InputProblem>(&*budget)) {
        m_budget->setText(
            QStringLiteral("No budget: %1.").arg(QString::fromStdString(problem->message)));
        return;
    }
    const DesignVaBudget &d = std::get<DesignVaBudget>(*budget);
    QStringList lines;
    for (std::size_t i = 0; i < d.budget.secondaryVa.size(); ++i) {
        lines << QStringLiteral("Secondary %1: %2 VA%3")
                     .arg(i + 1)
                     .arg(d.budget.secondaryVa[i], 0, 'f', 2)
                     .arg(d.fromSupply[i] ? QStringLiteral(" (supply's RMS current)") : QString());
    }
    lines << QStringLiteral("Total %1 VA; primary %2 A")
                 .arg(d.budget.totalVa, 0, 'f', 2)
                 .arg(d.budget.primaryAmps, 0, 'g', 4);
    if (d.fuse && d.fuse->fit == FuseFit::Fits) {
        lines << QStringLiteral("Primary fuse: %1 slow-blow (T)").arg(amps(d.fuse->ratingAmps));
    } else {
        lines << QStringLiteral(
            "Primary fuse: no standard rating fits; choose from a maker's range");
    }
    m_budget->setText(lines.join(QLatin1Char('\n')));
}

} // namespace ferrolux
