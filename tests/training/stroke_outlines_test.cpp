// The strokes of a character as the note on a wrong code draws them: read
// from the program folder's outline file, one stroke lit.
#include "tests/test_paths.h"
#include "training/stroke_outlines.h"

#include <QFile>
#include <QRect>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

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

TEST(StrokeOutlines, AnUnknownCharacterOrAFaultyFileDrawsNothingAndTheFaultIsNamed) {
    QString problem = QStringLiteral("x");
    EXPECT_TRUE(strokeOutlines(kOutlines, QStringLiteral("A"), &problem).isEmpty());
    EXPECT_EQ(problem, QString()) << "a whole file without the character is no fault";
    EXPECT_TRUE(drawStrokes({}, 0, 96).isNull());

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("strokes.txt"));
    auto write = [&](const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    // The first and the last line are found; a damaged line is named by its number.
    write("一\t0 0 10 0 10 10\n二\t0 0 10 0 10 10;0 20 10 20 10 30\n三\t0 0 x\n");
    EXPECT_EQ(strokeOutlines(file, QStringLiteral("一"), &problem).size(), 1);
    EXPECT_EQ(strokeOutlines(file, QStringLiteral("二"), &problem).size(), 2);
    EXPECT_TRUE(strokeOutlines(file, QStringLiteral("三"), &problem).isEmpty());
    EXPECT_TRUE(problem.contains(QStringLiteral("第 3 行"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(file));
    // A changed file is read again.
    write("三\t0 0 10 0 10 10\n");
    EXPECT_EQ(strokeOutlines(file, QStringLiteral("三"), &problem).size(), 1);
    EXPECT_EQ(problem, QString());

    const struct {
        std::function<void()> make;
        const char16_t* says;
    } faults[] = {
        {[&] { QFile::remove(file); }, u"没有找到"},
        {[&] { ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0); },
         u"不是普通文件"},
        {[&] {
             QFile::remove(file);
             QFile f(file);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             ASSERT_TRUE(f.resize(training::kMaxStrokeOutlineBytes + 1));
         },
         u"文件太大"},
    };
    for (const auto& fault : faults) {
        fault.make();
        EXPECT_TRUE(strokeOutlines(file, QStringLiteral("三"), &problem).isEmpty());
        EXPECT_TRUE(problem.contains(QString::fromUtf16(fault.says))) << problem.toStdString();
        EXPECT_TRUE(problem.contains(file)) << problem.toStdString();
    }
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
