// The strokes of a character as the note on a wrong code draws them: read
// from the program folder's outline file, one stroke lit.
#include "tests/test_paths.h"
#include "training/stroke_outlines.h"

#include <QFile>
#include <QRect>

#include <gtest/gtest.h>

namespace {

using training::drawStrokes;
using training::kLitStroke;
using training::parseOutline;
using training::strokeOutlines;

const QString kOutlines = QStringLiteral(TARVO_PROGRAM_DIR "/") + training::kStrokeOutlineFile;

// The pixels of the lit stroke's colour, as the rectangle around them.
QRect litArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kLitStroke)
                area |= QRect(x, y, 1, 1);
    return area;
}

TEST(StrokeOutlines, TheLitStrokeOfTaIsThePieAtTheTopLeft) {
    if (!QFile::exists(kOutlines))
        GTEST_SKIP() << "built without stroke data: no outline file";
    const QList<QPainterPath> ta = strokeOutlines(kOutlines, QStringLiteral("他"));
    ASSERT_EQ(ta.size(), 5);
    const int size = 96;
    // 撇 (stroke 0) makes the top left corner: it lies in the left half,
    // reaching from the top down to about the middle.
    const QRect pie = litArea(drawStrokes(ta, 0, size));
    ASSERT_FALSE(pie.isEmpty());
    EXPECT_LT(pie.right(), size / 2);
    EXPECT_LT(pie.top(), size / 4);
    EXPECT_LT(pie.center().y(), size / 2);
    // 竖 (stroke 1) makes the bottom left corner: below the 撇, still left.
    const QRect shu = litArea(drawStrokes(ta, 1, size));
    ASSERT_FALSE(shu.isEmpty());
    EXPECT_LT(shu.right(), size / 3);
    EXPECT_GT(shu.bottom(), size * 3 / 4);
    // Nothing lit without a stroke to light.
    EXPECT_TRUE(litArea(drawStrokes(ta, -1, size)).isEmpty());
}

TEST(StrokeOutlines, AnUnknownCharacterOrAMissingFileDrawsNothing) {
    EXPECT_TRUE(strokeOutlines(kOutlines, QStringLiteral("A")).isEmpty());
    EXPECT_TRUE(
        strokeOutlines(kOutlines + QStringLiteral(".missing"), QStringLiteral("他")).isEmpty());
    EXPECT_TRUE(drawStrokes({}, 0, 96).isNull());
}

TEST(StrokeOutlines, AnOutlineIsAPolygonOfAtLeastThreePointsInsideTheBox) {
    struct Row {
        const char* text;
        bool drawn;
    };
    const Row rows[] = {
        {"0 0 10 0 10 10", true},
        {"0 0 128 0 128 128 0 128", true},
        {"0 0 10 0", false},
        {"0 0 10 0 10", false},
        {"0 0 10 0 x 10", false},
        {"0 0 10 0 10 129", false},
        {"", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(!parseOutline(QString::fromLatin1(r.text)).isEmpty(), r.drawn) << r.text;
}

} // namespace
