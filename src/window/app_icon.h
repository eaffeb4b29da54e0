#pragma once

// The calculator's window icon, drawn at run time so that no image file has to ship with it.

#include <QIcon>
#include <QPixmap>

namespace ferrolux {

// A small transformer: the face of a laminated core whose two windows are filled by the winding,
// in the sizes window frames and task bars ask for (16, 32 and 48 pixels).
QIcon ferroluxIcon();

// The same drawing at any size, for the icon files an installation puts in the icon theme.
QPixmap ferroluxIconPixmap(int size);

} // namespace ferrolux
