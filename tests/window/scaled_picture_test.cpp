// Pictures read at the size they are shown at.

#include "../core/scratch_folder.h"
#include "scaled_picture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace ferrolux {
namespace {

TEST(ScaledPicture, DecodedAtTheRequestedDevicePixels)
{
    testing_support::ScratchFolder folder;
    const QString jpeg = QString::fromStdString(folder.path("picture.jpg"));
    QImage drawn(400, 460, QImage::Format_RGB32);
    drawn.fill(Qt::darkBlue);
    ASSERT_TRUE(drawn.save(jpeg, "JPG"));

    // Label size, screen ratio, device pixels expected; an empty size keeps the file's own.
    const struct
    {
        QSize label;
        qreal ratio;
        QSize pixels;
    } cases[] = {{{161, 185}, 1.0, {161, 185}},
                 {{161, 185}, 2.0, {322, 370}},
                 {{500, 600}, 1.0, {500, 600}},
                 {{0, 0}, 1.0, {400, 460}}};
    for (const auto &[label, ratio, pixels] : cases) {
        const QPixmap picture = readPictureAtSize(jpeg, label, ratio);
        EXPECT_EQ(picture.size(), pixels) << label.width() << " x " << ratio;
        EXPECT_EQ(picture.devicePixelRatio(), ratio);
        // Scaling keeps the picture's content, not just its size.
        EXPECT_LT(
            qAbs(picture.toImage().pixelColor(pixels.width() / 2, pixels.height() / 2).blue() -
                 QColor(Qt::darkBlue).blue()),
            8);
    }
    EXPECT_TRUE(
        readPictureAtSize(QString::fromStdString(folder.path("missing.jpg")), {161, 185}, 1.0)
            .isNull());
}

} // namespace
} // namespace ferrolux
