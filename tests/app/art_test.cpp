#include "tools/tarvo_art/gif_writer.h"
#include "tools/tarvo_art/pictures.h"
#include "tools/tarvo_art/training_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <vector>

#include <QBuffer>
#include <QDir>
#include <QHash>
#include <QImageReader>
#include <QPainter>

namespace {

constexpr int kDigitColours = 5;

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

// Mean difference of two pictures of one size, per channel (0-255).
double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

// The twins of the pictures with text are the same pictures at twice the
// size: brought down to the plain size, they differ from it only by the
// finer edges of their lines and letters.
TEST(Art, TwinsAtTwiceTheSizeAreThePlainPicturesWithFinerDetail) {
    const std::pair<const char*, std::function<QImage(qreal)>> rows[] = {
        {"start screen", [](qreal s) { return art::startBackground(s); }},
        {"course preview", [](qreal s) { return art::preview(1, {}, s); }},
        {"training preview", [](qreal s) { return art::preview(3, {}, s); }},
        {"online preview", [](qreal s) { return art::preview(5, {}, s); }},
        {"logo", [](qreal s) { return art::logo(s); }},
        {"training side", [](qreal s) { return art::trainingSide(s); }},
    };
    for (const auto& [name, draw] : rows) {
        const QImage plain = draw(1);
        const QImage twin = draw(2);
        ASSERT_EQ(twin.size(), plain.size() * 2) << name;
        EXPECT_DOUBLE_EQ(twin.devicePixelRatio(), 2.0) << name;
        const QImage down =
            twin.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanDifference(plain, down), 6.0) << name;
    }
}

} // namespace

#include "tests/test_paths.h"
#include "tools/tarvo_art/code_diagrams.h"
#include "tools/tarvo_art/training_pictures.h"
#include "training/exercise_source.h"

#include <set>

namespace {

// Dark pixels of a picture: where something was drawn on the white ground.
int inked(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qGray(img.pixel(x, y)) < 128 ? 1 : 0;
    return n;
}

TEST(ExerciseArt, StrokesAndComponentsCoverEveryDigitUnderTheirNames) {
    struct Set {
        QList<art::ExercisePicture> pictures;
        int atLeast;
    };
    for (const Set& set : {Set{art::strokePictures(), 30}, Set{art::componentPictures(), 40}}) {
        EXPECT_GE(set.pictures.size(), set.atLeast);
        std::set<QString> digits, names;
        for (const art::ExercisePicture& pic : set.pictures) {
            const QString code = training::CodeFromFileName(pic.name + QStringLiteral(".bmp"));
            ASSERT_EQ(code.size(), 1) << pic.name.toStdString();
            EXPECT_EQ(code, pic.name.right(1)) << pic.name.toStdString();
            digits.insert(code);
            EXPECT_TRUE(names.insert(pic.name).second) << "drawn twice: " << pic.name.toStdString();
            EXPECT_EQ(pic.image.size(), QSize(art::kExerciseWidth, art::kExerciseHeight));
            EXPECT_GT(inked(pic.image), 40) << pic.name.toStdString() << " is blank";
        }
        EXPECT_EQ(digits.size(), 10u);
    }
}

TEST(ExerciseArt, ColouredCharactersTintEachQuarterInItsColour) {
    const QList<art::CodedCharacter> chars =
        art::frequentCharacters(TARVO_SOURCE_DIR "/data/dictsrc/chars.txt", 80);
    ASSERT_EQ(chars.size(), 80);
    const QList<art::ExercisePicture> pictures = art::colouredCharacters(chars);
    ASSERT_EQ(pictures.size(), 80);
    const coaching::CornerTable table =
        coaching::CornerTable::fromFile(TARVO_SOURCE_DIR "/data/dictsrc/corners.txt");
    QHash<QString, QString> mainCodes;
    for (const QString& ch : table.characters())
        mainCodes.insert(ch, table.find(ch)->code);
    // Which strong colour a pixel is: 0 red, 1 blue, 2 green, 3 purple, -1 other.
    auto colourOf = [](QRgb c) {
        const int r = qRed(c), g = qGreen(c), b = qBlue(c);
        if (r > 150 && g < 90 && b < 90)
            return 0;
        if (b > 150 && r < 90 && g < 120)
            return 1;
        if (g > 110 && r < 80 && b < 90)
            return 2;
        if (r > 110 && b > 130 && g < 90)
            return 3;
        return -1;
    };
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const art::ExercisePicture& pic = pictures[i];
        SCOPED_TRACE(pic.name.toStdString());
        const QString code = training::CodeFromFileName(pic.name + QStringLiteral(".bmp"));
        ASSERT_EQ(code.size(), 4);
        EXPECT_TRUE(pic.name.startsWith(chars[i].character));
        EXPECT_EQ(code, chars[i].corners);
        EXPECT_EQ(code, mainCodes.value(chars[i].character).left(4)) << "the rhyme's code";
        int counts[4][4] = {};
        const QImage& img = pic.image;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const int c = colourOf(img.pixel(x, y));
                if (c >= 0)
                    ++counts[(y * 2 / img.height()) * 2 + x * 2 / img.width()][c];
            }
        int tinted = 0;
        for (int q = 0; q < 4; ++q) {
            for (int c = 0; c < 4; ++c) {
                if (c != q) {
                    EXPECT_EQ(counts[q][c], 0) << "quarter " << q << " holds colour " << c;
                }
            }
            tinted += counts[q][q] > 0 ? 1 : 0;
        }
        EXPECT_GE(tinted, 2) << "a character reaches at least two quarters";
    }
    // The folder the build drew holds these pictures and no other: none left
    // by an earlier build under a code that has changed since.
    const QStringList files = QDir(QStringLiteral(TARVO_PROGRAM_DIR "/exercise/caisezi"))
                                  .entryList({"*.bmp"}, QDir::Files);
    EXPECT_EQ(files.size(), pictures.size());
    for (const QString& f : files) {
        const QString character = f.section(u'_', 0, 0);
        EXPECT_EQ(training::CodeFromFileName(f), mainCodes.value(character).left(4))
            << f.toStdString();
    }
}

// For each stroke of a character in a diagram, the pixels that it alone
// covers, wholly: there the diagram shows the colour it gave the stroke.
std::vector<std::vector<QPoint>> ownPixels(const art::CharacterStrokes& s) {
    const QTransform box = art::strokeBoxTo(art::kDiagramSquare);
    std::vector<QImage> masks;
    for (const QPainterPath& outline : s.outlines) {
        QImage m(art::kDiagramWidth, art::kDiagramHeight, QImage::Format_Alpha8);
        m.fill(0);
        QPainter p(&m);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(box.map(outline), Qt::black);
        masks.push_back(m);
    }
    std::vector<std::vector<QPoint>> own(masks.size());
    const QRect square = art::kDiagramSquare.toAlignedRect();
    for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x) {
            int full = -1, touched = 0;
            for (size_t k = 0; k < masks.size(); ++k) {
                const int a = qAlpha(masks[k].pixel(x, y));
                touched += a > 0;
                if (a == 255)
                    full = static_cast<int>(k);
            }
            if (full >= 0 && touched == 1)
                own[static_cast<size_t>(full)].push_back(QPoint(x, y));
        }
    return own;
}

// A diagram's twin at twice the size is the same diagram, in the same 16
// colours, with finer strokes and digits.
TEST(ExerciseArt, ACodeDiagramsTwinIsTheDiagramAtTwiceTheSize) {
    const coaching::CornerTable table =
        coaching::CornerTable::fromFile(TARVO_SOURCE_DIR "/data/dictsrc/corners.txt");
    const coaching::CornerEntry* ta = table.find(QStringLiteral("他"));
    ASSERT_NE(ta, nullptr);
    const art::CharacterStrokes strokes = art::readStrokes(TARVO_STROKE_DIR, QStringLiteral("他"));
    const QImage plain = art::codeDiagram(QStringLiteral("他"), *ta, strokes);
    const QImage twin = art::codeDiagram(QStringLiteral("他"), *ta, strokes, 2);
    ASSERT_EQ(twin.size(), plain.size() * 2);
    EXPECT_DOUBLE_EQ(twin.devicePixelRatio(), 2.0);
    EXPECT_EQ(twin.colorTable(), plain.colorTable());
    const QImage down = twin.convertToFormat(QImage::Format_RGB32)
                            .scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(meanDifference(plain, down), 12.0);
}

TEST(ExerciseArt, CodeDiagramsShowEachDigitAndLightItsStrokeInItsColour) {
    const coaching::CornerTable table =
        coaching::CornerTable::fromFile(TARVO_SOURCE_DIR "/data/dictsrc/corners.txt");
    // Every GB2312 character once, with a full code of four or five digits.
    EXPECT_EQ(table.characters().size(), 6763);

    // 他 04210: its 撇 makes the top left corner (0), its 竖 the bottom left
    // (2), the hook of 也's 横折钩 the extra corner (0).
    const coaching::CornerEntry* ta = table.find(QStringLiteral("他"));
    ASSERT_NE(ta, nullptr);
    EXPECT_EQ(ta->code, QStringLiteral("04210"));
    EXPECT_EQ(ta->names[0], QStringLiteral("撇"));
    EXPECT_EQ(ta->names[2], QStringLiteral("竖"));
    EXPECT_EQ(ta->names[4], QStringLiteral("左钩"));
    const art::CharacterStrokes strokes = art::readStrokes(TARVO_STROKE_DIR, QStringLiteral("他"));
    ASSERT_FALSE(strokes.isEmpty()) << "no stroke data in " TARVO_STROKE_DIR;
    ASSERT_EQ(strokes.outlines.size(), 5);

    // The 4-bit file reads back as the picture drawn.
    const QImage drawn = art::codeDiagram(QStringLiteral("他"), *ta, strokes);
    const QByteArray file = art::fourBitBmp(drawn);
    EXPECT_LT(file.size(), 8 * 1024) << "thousands of diagrams must stay small";
    const QImage read = QImage::fromData(file, "BMP");
    ASSERT_EQ(read.size(), QSize(art::kDiagramWidth, art::kDiagramHeight));
    for (int y = 0; y < read.height(); ++y)
        for (int x = 0; x < read.width(); ++x)
            ASSERT_EQ(read.pixel(x, y), drawn.pixel(x, y)) << x << "," << y;

    // Each corner's digit beside its corner, in the corner's colour: red
    // top left, blue top right, green bottom left, purple bottom right.
    const QRect beside[4] = {QRect(0, 0, 26, 34), QRect(86, 0, 26, 34), QRect(0, 34, 26, 34),
                             QRect(86, 34, 26, 34)};
    auto count = [&](const QRect& r, QRgb colour) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += read.pixel(x, y) == colour;
        return n;
    };
    for (int q = 0; q < 4; ++q)
        EXPECT_GT(count(beside[q], art::digitColour(q).rgb()), 20) << "corner " << q;
    const QRect right(56, 7, 29, 58);
    EXPECT_EQ(count(right, art::digitColour(0).rgb()) + count(right, art::digitColour(2).rgb()), 0)
        << "亻 only on the left";

    // In every character's diagram, the stroke the table names for each digit
    // is lit in that digit's colour (or in the colour of an earlier digit it
    // also makes), and no stroke the table does not name is lit.
    int lit = 0;
    for (const QString& ch : table.characters()) {
        const coaching::CornerEntry& e = *table.find(ch);
        const art::CharacterStrokes s = art::readStrokes(TARVO_STROKE_DIR, ch);
        ASSERT_FALSE(s.isEmpty()) << ch.toStdString();
        const QImage d = art::codeDiagram(ch, e, s);
        const std::vector<std::vector<QPoint>> own = ownPixels(s);
        for (size_t k = 0; k < own.size(); ++k) {
            if (own[k].size() < 4)
                continue; // too small to tell its colour from its edges
            int first = -1;
            for (int q = 0; q < e.code.size() && first < 0; ++q)
                if (e.strokes[static_cast<size_t>(q)] == static_cast<int>(k))
                    first = q;
            int inColour[kDigitColours] = {};
            for (const QPoint& p : own[k])
                for (int q = 0; q < kDigitColours; ++q)
                    inColour[q] += d.pixel(p) == art::digitColour(q).rgb();
            const auto n = static_cast<int>(own[k].size());
            SCOPED_TRACE(ch.toStdString() + " stroke " + std::to_string(k));
            if (first >= 0) {
                EXPECT_EQ(inColour[first], n) << "digit " << first;
                ++lit;
            } else {
                EXPECT_EQ(std::accumulate(inColour, inColour + kDigitColours, 0), 0)
                    << "lit without a digit";
            }
        }
    }
    EXPECT_GT(lit, 4 * 6000);
}

} // namespace
