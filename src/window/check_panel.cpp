#include "check_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ferrolux {

CheckPanel::CheckPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("checkPanel"));
    auto *layout = new QVBoxLayout(this);
    auto *verdict = new QLabel(QStringLiteral("Press Calculate to see the checks."), this);
    verdict->setObjectName(QStringLiteral("checkVerdict"));
    verdict->setWordWrap(true);
    layout->addWidget(verdict);
    layout->addStretch(1);
}

} // namespace ferrolux
