#include "check_panel_verdict.h"

#include <QHeaderView>
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

double toFahrenheit(double celsius)
{
    return celsius * 9.0 / 5.0 + 32.0;
}

QString verdictText(const ThermalCheck &thermal, const ThermalInputs &inputs)
{
    if (!thermal.available) {
        return QStringLiteral("No temperature check: ") +
               QString::fromStdString(thermal.unavailableReason);
    }
    const QString className = fromView(insulationClassName(inputs.insulationClass));
    const QString hottest =
        QStringLiteral("hottest estimate %1 °C (%2)")
            .arg(fixed(thermal.hottestC, 1), fromView(thermalModelTitle(thermal.hottestModel)));
    QString text = thermal.withinClass
                       ? QStringLiteral("Within class %1: %2, margin %3 K")
                             .arg(className, hottest, fixed(thermal.marginK, 0))
                       : QStringLiteral("Over class %1: %2, %3 K above its %4 °C limit")
                             .arg(className, hottest, fixed(-thermal.marginK, 0),
                                  fixed(thermal.classLimitC, 0));
    if (!thermal.loadScaleAtClassLimit) {
        text += QStringLiteral("; no load up to 10000 % reaches the class limit.");
    } else if (*thermal.loadScaleAtClassLimit == 0) {
        text += QStringLiteral("; the core loss alone reaches the class limit.");
    } else {
        const QString percent = fixed(*thermal.loadScaleAtClassLimit * 100.0, 0);
        text +=
            thermal.withinClass
                ? QStringLiteral("; the load may rise to %1 % before the class limit.").arg(percent)
                : QStringLiteral("; the load must fall to %1 % to meet the class limit.")
                      .arg(percent);
    }
    return text;
}

QString reportFigureText(double reportTemperatureC)
{
    return QStringLiteral("The fixed report's own figure is %1 °C (%2 °F): radiation alone, with "
                          "emissivity 0.075 and no ambient, so it is no hot-spot temperature.")
        .arg(fixed(reportTemperatureC, 0), fixed(toFahrenheit(reportTemperatureC), 1));
}

QString belowAmbientText(double reportTemperatureC, double ambientC)
{
    return QStringLiteral("The fixed report's temperature, %1 °C, is below the ambient %2 °C, "
                          "so it means nothing for this design.")
        .arg(fixed(reportTemperatureC, 0), fixed(ambientC, 1));
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
                                 fixed(toFahrenheit(estimate.hotSpotC), 1)};
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_models->setItem(row, column, item);
        }
    }
}

} // namespace ferrolux
