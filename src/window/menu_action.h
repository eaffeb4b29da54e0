#pragma once

// One entry of the main window's menus, made the same way by every group of actions.

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;

namespace ferrolux {

// A new entry with its object name (which tests and accessibility tools find) and shortcut,
// inserted in `menu` above `before` (at the end when null). The caller connects it.
QAction *insertMenuAction(QMenu *menu, QAction *before, const QString &text, const char *objectName,
                          const QKeySequence &keys);

} // namespace ferrolux
