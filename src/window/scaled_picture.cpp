#include "scaled_picture.h"

#include <QImage>
#include <QImageReader>

namespace ferrolux {

QPixmap readPictureAtSize(const QString &path, QSize size, qreal devicePixelRatio)
{
    QImageReader reader(path);
    if (!size.isEmpty()) {
        // JPEG decoders scale while they decode, which skips most of the work for a small label.
        reader.setScaledSize(size * devicePixelRatio);
    }
    QPixmap picture = QPixmap::fromImage(reader.read());
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

} // namespace ferrolux
