#pragma once

// Help > Quick Guide and Help > About Ferrolux (version, licence, data folder and the sources
// of the engineering models).

#include <QString>

class QMenu;
class QWidget;

namespace ferrolux {

// The About box's text; `dataFolder` is where the data files are kept.
QString aboutText(const QString &dataFolder);
// The Quick Guide's page, as HTML.
QString quickGuideHtml();

// Adds both actions to `menu`; the dialogs open over `parent`.
void addHelpActions(QMenu *menu, QWidget *parent, const QString &dataFolder);

} // namespace ferrolux
