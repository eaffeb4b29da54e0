#include "check_panel_verdict.h"

#include "check_verdict.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace ferrolux {
namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

QString verdictText(const ThermalCheck &thermal, const ThermalInputs &inputs)
{
    return QString::fromStdString(verdictSentence(thermal, inputs));
}

QString reportFigureText(double reportTemperatureC)
{
    return QString::fromStdString(reportFigureSentence(reportTemperatureC));
}

QString belowAmbientText(double reportTemperatureC, double ambientC)
{
    return QString::fromStdString(belowAmbientSentence(reportTemperatureC, ambientC));
}

VerdictView::VerdictView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("checkVerdict"));
    m_verdict->setWordWrap(true);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_verdict->font();
    bold.setBold(true);
    m_verdict->setFont(bold);
    m_reportFigure = new QLabel(this);
    m_reportFigure->setObjectName(QStringLiteral("checkReportFigure"));
    m_reportFigure->setWordWrap(true);

    m_models = new QTableWidget(static_cast<int>(kThermalModels.size()), 3, this);
    m_models->setObjectName(QStringLiteral("checkModels"));
    m_models->setHorizontalHeaderLabels(
        {QStringLiteral("Rise K"), QStringLiteral("Hot spot °C"), QStringLiteral("°F")});
    QStringList titles;
    for (const ThermalModel model : kThermalModels) {
        titles << fromView(thermalModelTitle(model));
    }
    m_models->setVerticalHeaderLabels(titles);
    m_models->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_models->setTabKeyNavigation(false);
    m_models->installEventFilter(this);
    m_models->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_models->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_models->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_models->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int height = m_models->horizontalHeader()->sizeHint().height() + 2 * m_models->frameWidth();
    for (int row = 0; row < m_models->rowCount(); ++row) {
        height += m_models->verticalHeader()->sectionSizeHint(row);
    }
    m_models->setFixedHeight(height);

    layout->addWidget(m_verdict);
    layout->addWidget(m_reportFigure);
    layout->addWidget(m_models);
    showNothing();
}

bool VerdictView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_models && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            // Ctrl+Tab moves on as Tab does elsewhere: the same key without Ctrl.
            QKeyEvent plain(QEvent::KeyPress, key->key(),
                            key->modifiers() & ~Qt::KeyboardModifiers(Qt::ControlModifier));
            QCoreApplication::sendEvent(m_models, &plain);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void VerdictView::showNothing()
{
    m_verdict->setText(QStringLiteral("Press Calculate to see the checks."));
    m_verdict->setStyleSheet(QString());
    m_reportFigure->clear();
    m_models->clearContents();
}

void VerdictView::showChecks(const EngineeringChecks &checks, const ThermalInputs &inputs)
{
    const ThermalCheck &thermal = checks.thermal;
    QString verdict = verdictText(thermal, inputs);
    if (checks.reportTemperatureBelowAmbient) {
        verdict += QLatin1Char(' ') + belowAmbientText(checks.reportTemperatureC, inputs.ambientC);
    }
    m_verdict->setText(verdict);
    // Green within class, red over it; the words say the same.
    m_verdict->setStyleSheet(!thermal.available    ? QString()
                             : thermal.withinClass ? QStringLiteral("color: #1b6e1b;")
                                                   : QStringLiteral("color: #b00000;"));
    m_reportFigure->setText(reportFigureText(checks.reportTemperatureC));
    m_models->clearContents();
    if (!thermal.available) {
        return;
    }
    for (int row = 0; row < static_cast<int>(thermal.models.size()); ++row) {
        const ModelEstimate &estimate = thermal.models[static_cast<std::size_t>(row)];
        const QString cells[] = {fixed(estimate.riseK, 2), fixed(estimate.hotSpotC, 1),
                                 fixed(fahrenheitFromCelsius(estimate.hotSpotC), 1)};
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_models->setItem(row, column, item);
        }
    }
}

} // namespace ferrolux
