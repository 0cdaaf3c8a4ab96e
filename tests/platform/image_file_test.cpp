// The picture a window shows on a dense screen: the twin drawn at twice the
// size ("name@2x.ext", or "name@2x.png") when there is one, at the screen's
// own ratio.
#include "platform/image_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ImageFile, TheTwinsNameHasTheMarkBeforeTheExtension) {
    const std::pair<const char*, const char*> rows[] = {
        {"images/preface.jpg", "images/preface@2x.jpg"},
        {"/a.b/logo.png", "/a.b/logo@2x.png"},
        {"/a.b/noextension", "/a.b/noextension@2x"},
    };
    for (const auto& [plain, twin] : rows)
        EXPECT_EQ(doubleSizeName(QString::fromUtf8(plain)), QString::fromUtf8(twin)) << plain;
}

TEST(ImageFile, ADenseScreenGetsTheTwinAtItsOwnRatioAndAPlainOneThePlainPicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The plain picture red, 10 × 6; its twin blue, 20 × 12. "lone" has no twin.
    const QString pictured = dir.filePath(QStringLiteral("pictured.png"));
    const QString lone = dir.filePath(QStringLiteral("lone.png"));
    // A bitmap whose twin is a PNG.
    const QString bitmap = dir.filePath(QStringLiteral("bitmap.bmp"));
    QImage plain(10, 6, QImage::Format_RGB32);
    plain.fill(Qt::red);
    QImage twin(20, 12, QImage::Format_RGB32);
    twin.fill(Qt::blue);
    ASSERT_TRUE(plain.save(pictured) && plain.save(lone) && twin.save(doubleSizeName(pictured)));
    ASSERT_TRUE(plain.save(bitmap) && twin.save(dir.filePath(QStringLiteral("bitmap@2x.png"))));

    struct Row {
        const char* name;
        const QString& path;
        qreal ratio;
        QSize size;
        qreal shownRatio;
        QColor colour;
    };
    const Row rows[] = {
        {"ratio 1: the plain one", pictured, 1, {10, 6}, 1, Qt::red},
        {"ratio 2: the twin as it is", pictured, 2, {20, 12}, 2, Qt::blue},
        {"ratio 1.5: the twin brought down", pictured, 1.5, {15, 9}, 1.5, Qt::blue},
        {"ratio 3: the twin brought up", pictured, 3, {30, 18}, 3, Qt::blue},
        {"no twin: the plain one, scaled by the window", lone, 2, {10, 6}, 1, Qt::red},
        {"a bitmap's PNG twin", bitmap, 2, {20, 12}, 2, Qt::blue},
        {"a bitmap at ratio 1", bitmap, 1, {10, 6}, 1, Qt::red},
    };
    for (const Row& r : rows) {
        const QImage got = readImageFileFor(r.path, r.ratio);
        EXPECT_EQ(got.size(), r.size) << r.name;
        EXPECT_DOUBLE_EQ(got.devicePixelRatio(), r.shownRatio) << r.name;
        EXPECT_EQ(got.deviceIndependentSize().toSize(), QSize(10, 6)) << r.name;
        EXPECT_EQ(got.pixelColor(got.width() / 2, got.height() / 2), r.colour) << r.name;
    }
}

} // namespace
