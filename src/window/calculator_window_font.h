#pragma once

// The window's default dialog font. The layout was designed in twips around a narrow 8-point
// dialog face; where the platform's faces run wider, the font is made smaller until every
// caption fits its field, rather than letting captions be cut off.

#include <QFont>

namespace ferrolux {

struct WindowControls;

// A face with the proportions the layout was designed for when the platform has one (or a
// metric-compatible substitute), otherwise `applicationFont`; at the largest size fitDialogFont
// tries, so that a form given it before its widgets are built usually keeps it.
QFont preferredDialogFont(const QFont &applicationFont);

// `font` at the largest size from 8.25 points down to 6 points, in quarter points, at which
// every caption, option, button and the check box caption fit the controls as placed.
QFont fitDialogFont(const WindowControls &controls, QFont font);

} // namespace ferrolux
