#pragma once

// Pictures read straight at the size they are shown at.

#include <QPixmap>
#include <QSize>
#include <QString>

namespace ferrolux {

// The picture in file `path` decoded at `size` device-independent pixels for a screen of
// `devicePixelRatio`, rather than decoded whole and scaled down when painted; a null pixmap
// when the file cannot be read.
QPixmap readPictureAtSize(const QString &path, QSize size, qreal devicePixelRatio);

} // namespace ferrolux
