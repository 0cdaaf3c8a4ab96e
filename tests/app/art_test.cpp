#include "gif_writer.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

namespace {

// The animation decodes back to exactly the palette-mapped frames.
TEST(Art, AnimatedGifDecodesToItsFrames) {
    QList<QImage> frames;
    for (int i = 0; i < 4; ++i) {
        QImage img(57, 31, QImage::Format_RGB32); // odd sizes exercise the bit packing
        img.fill(Qt::white);
        QPainter p(&img);
        p.fillRect(i * 9, 3, 20, 20, QColor(200, 40, 40));
        p.drawText(QRect(0, 0, 57, 31), Qt::AlignCenter, QString::number(i * 1234));
        p.end();
        frames.append(img);
    }
    // A large noisy frame fills the code table, so the encoder clears it midway.
    QImage noisy(300, 300, QImage::Format_RGB32);
    uint32_t seed = 7;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            seed = seed * 1103515245 + 12345;
            noisy.setPixel(x, y, gifPalette()[static_cast<int>((seed >> 16) % 256)]);
        }

    for (const QList<QImage>& set : {frames, QList<QImage>{noisy}}) {
        QByteArray gif = encodeAnimatedGif(set, 10);
        QBuffer buffer(&gif);
        QImageReader reader(&buffer, "gif");
        ASSERT_TRUE(reader.canRead());
        for (const QImage& frame : set) {
            const QImage expected = frame.convertToFormat(QImage::Format_Indexed8, gifPalette())
                                        .convertToFormat(QImage::Format_RGB32);
            const QImage got = reader.read().convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(got.size(), expected.size()) << reader.errorString().toStdString();
            EXPECT_EQ(got, expected);
        }
    }
}

TEST(Art, PicturesHaveTheSizesOfTheirPlaces) {
    EXPECT_EQ(art::startBackground().size(), QSize(1002, 712));
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(art::preview(i).size(), QSize(297, 424));
    const QList<QImage> frames = art::animationFrames();
    EXPECT_GT(frames.size(), 4);
    EXPECT_EQ(frames.first().size(), QSize(129, 129));
    EXPECT_EQ(art::logo().size(), QSize(201, 49));
}

} // namespace
