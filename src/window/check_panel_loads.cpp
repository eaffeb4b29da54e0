#include "check_panel_loads.h"

#include "check_panel_inputs.h"
#include "field_text_rules.h"
#include "rectifier_loads.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <limits>

namespace ferrolux {
namespace {

LoadKind kindAt(int index)
{
    return static_cast<LoadKind>(std::clamp(index, 0, kLoadKindCount - 1));
}

} // namespace

namespace {

// The checked winding current of a rectifier load with a plain positive DC current.
std::optional<CheckedWindingCurrent> checkedCurrentFor(const SecondaryLoad &load)
{
    if (load.kind == LoadKind::AC) {
        return std::nullopt;
    }
    const auto dc = thermalInputValue(QString::fromStdString(load.dcCurrent),
                                      InputRange{0, std::numeric_limits<double>::max()});
    if (!dc || *dc <= 0) {
        return std::nullopt;
    }
    return checkedWindingCurrent(load.kind, *dc);
}

} // namespace

std::optional<double> windingCurrentFor(const SecondaryLoad &load)
{
    const std::optional<CheckedWindingCurrent> checked = checkedCurrentFor(load);
    return checked ? checked->amperes : std::nullopt;
}

QString windingCurrentProblem(const SecondaryLoad &load)
{
    const std::optional<CheckedWindingCurrent> checked = checkedCurrentFor(load);
    return checked ? QString::fromStdString(checked->refusal) : QString();
}

QString windingCurrentText(double amperes)
{
    return QString::number(amperes, 'g', 6);
}

DcLoadHelper::DcLoadHelper(QWidget *parent) : QGroupBox(QStringLiteral("Load kinds"), parent)
{
    setObjectName(QStringLiteral("checkLoads"));
    // Each secondary takes two lines: its caption and the kind, whose box spans the width so
    // that the longest name reads whole in the panel; under the kind, the DC current and the
    // winding current it gives.
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Kind"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("DC load (A)"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Winding (A)"), this), 0, 3);
    for (int row = 0; row < kMaxSecondaries; ++row) {
        Row &r = m_rows[static_cast<std::size_t>(row)];
        r.caption = new QLabel(QStringLiteral("Secondary %1").arg(row + 1), this);
        r.kind = new QComboBox(this);
        r.kind->setObjectName(QStringLiteral("checkKind_%1").arg(row));
        // Wide enough for the longest rectifier name, so that the chosen kind is read whole.
        r.kind->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        for (int k = 0; k < kLoadKindCount; ++k) {
            const std::string_view title = loadKindTitle(kindAt(k));
            r.kind->addItem(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
        }
        r.dcCurrent = new QLineEdit(this);
        r.dcCurrent->setObjectName(QStringLiteral("checkDc_%1").arg(row));
        r.dcCurrent->setMaximumWidth(64);
        // The DC current is saved in the last-run file too, so it takes only what that stores.
        r.dcCurrent->setValidator(new StorableTextValidator(r.dcCurrent));
        r.result = new QLabel(this);
        r.result->setObjectName(QStringLiteral("checkWinding_%1").arg(row));
        r.result->setMinimumWidth(60);
        const int line = 2 * row + 1;
        grid->addWidget(r.caption, line, 0);
        grid->addWidget(r.kind, line, 1, 1, 3);
        grid->addWidget(r.dcCurrent, line + 1, 2);
        grid->addWidget(r.result, line + 1, 3);
        connect(r.kind, &QComboBox::activated, this, [this, row] {
            updateRow(row);
            emit loadEdited(row);
        });
        connect(r.dcCurrent, &QLineEdit::textEdited, this, [this, row] {
            updateRow(row);
            emit loadEdited(row);
        });
        updateRow(row);
    }
    grid->setColumnStretch(1, 1);
}

std::array<SecondaryLoad, kMaxSecondaries> DcLoadHelper::loads() const
{
    std::array<SecondaryLoad, kMaxSecondaries> loads{};
    for (std::size_t row = 0; row < loads.size(); ++row) {
        loads[row].kind = kindAt(m_rows[row].kind->currentIndex());
        loads[row].dcCurrent = m_rows[row].dcCurrent->text().toStdString();
    }
    return loads;
}

void DcLoadHelper::setLoads(const std::array<SecondaryLoad, kMaxSecondaries> &loads)
{
    for (int row = 0; row < kMaxSecondaries; ++row) {
        const Row &r = m_rows[static_cast<std::size_t>(row)];
        const QSignalBlocker blockKind(r.kind);
        const QSignalBlocker blockCurrent(r.dcCurrent);
        r.kind->setCurrentIndex(static_cast<int>(loads[static_cast<std::size_t>(row)].kind));
        r.dcCurrent->setText(
            QString::fromStdString(loads[static_cast<std::size_t>(row)].dcCurrent));
        updateRow(row);
    }
}

void DcLoadHelper::setVisibleRows(int rows)
{
    for (int row = 0; row < kMaxSecondaries; ++row) {
        const Row &r = m_rows[static_cast<std::size_t>(row)];
        for (QWidget *widget :
             {static_cast<QWidget *>(r.caption), static_cast<QWidget *>(r.kind),
              static_cast<QWidget *>(r.dcCurrent), static_cast<QWidget *>(r.result)}) {
            widget->setVisible(row < rows);
        }
    }
}

void DcLoadHelper::setKindToAc(int row)
{
    const Row &r = m_rows[static_cast<std::size_t>(row)];
    if (r.kind->currentIndex() != 0) {
        r.kind->setCurrentIndex(0);
        updateRow(row);
    }
}

void DcLoadHelper::updateRow(int row)
{
    const Row &r = m_rows[static_cast<std::size_t>(row)];
    const SecondaryLoad load{kindAt(r.kind->currentIndex()), r.dcCurrent->text().toStdString()};
    r.dcCurrent->setEnabled(load.kind != LoadKind::AC);
    const std::optional<double> current = windingCurrentFor(load);
    r.result->setText(current ? windingCurrentText(*current) : QString());
    // A DC current whose winding current cannot be computed is tinted and says why.
    const QString problem = windingCurrentProblem(load);
    QPalette palette;
    if (!problem.isEmpty()) {
        palette = r.dcCurrent->palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xD0, 0xD0));
        r.result->setText(QStringLiteral("too large"));
    }
    r.dcCurrent->setPalette(palette);
    r.dcCurrent->setToolTip(problem);
    r.dcCurrent->setProperty("outOfRange", !problem.isEmpty());
}

} // namespace ferrolux
