#include "menu_action.h"

#include <QAction>
#include <QMenu>

namespace ferrolux {

QAction *insertMenuAction(QMenu *menu, QAction *before, const QString &text, const char *objectName,
                          const QKeySequence &keys)
{
    auto *act = new QAction(text, menu);
    act->setObjectName(QLatin1String(objectName));
    act->setShortcut(keys);
    menu->insertAction(before, act);
    return act;
}

} // namespace ferrolux
