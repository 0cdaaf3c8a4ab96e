// tarvo-art: draws the program's pictures into a program folder's "images",
// "files" and "exercise" (the training's picture exercises; the coloured
// characters are the most frequent ones of the dictionary source table), and
// the code diagram of every character with a full code into "statement",
// with the outlines of its strokes into "hzlib/strokes.txt".
//   tarvo-art PROGRAM_DIR [CHARS_TABLE CORNERS_TABLE [STROKE_DIR]]
// (without STROKE_DIR, the stroke data of the hanzi-writer-data package, the
// diagrams are drawn from the 楷 font)
// and, for checking corner readings by eye, sheets of characters drawn from
// their strokes (LIST: one "character<TAB>caption" a line):
//   tarvo-art --sheet STROKE_DIR LIST OUT_PREFIX
// and the menu entry's icon as a PNG of SIZE pixels, for the icon themes that
// ask for one beside the SVG:
//   tarvo-art --icon SVG SIZE OUT_PNG
#include "tools/tarvo_art/code_diagrams.h"
#include "tools/tarvo_art/gif_writer.h"
#include "tools/tarvo_art/pictures.h"
#include "tools/tarvo_art/review_sheet.h"
#include "tools/tarvo_art/training_pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QSaveFile>

#include <cstdio>

namespace {

bool save(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

// Written without the temporary-file dance of save(): thousands of small
// files that the next build simply writes again.
bool saveQuickly(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool saveImage(const QString& path, const QImage& image, const char* format) {
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && image.save(&f, format, 92) && f.commit();
}

// Writes the review sheets of a list, 20 characters a sheet.
int writeSheets(const QString& strokeDir, const QString& list, const QString& prefix) {
    QFile f(list);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "读不出 %s\n", qPrintable(list));
        return 1;
    }
    QList<art::ReviewCell> cells;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(u'\t');
        cells.append({line.left(tab), tab < 0 ? QString() : line.mid(tab + 1)});
    }
    constexpr int kColumns = 5, kRows = 4;
    for (qsizetype at = 0, n = 1; at < cells.size(); at += kColumns * kRows, ++n) {
        const QString path = QStringLiteral("%1-%2.png").arg(prefix).arg(n, 2, 10, QChar(u'0'));
        if (!saveImage(
                path, art::reviewSheet(strokeDir, cells.mid(at, kColumns * kRows), kColumns, kRows),
                "PNG"))
            return 1;
    }
    return 0;
}

} // namespace

// Draws the SVG icon at `size` pixels square (through Qt's SVG image plugin).
int writeIcon(const QString& svg, int size, const QString& out) {
    QImageReader reader(svg, "svg");
    reader.setScaledSize(QSize(size, size));
    const QImage icon = reader.read();
    if (icon.isNull() || !saveImage(out, icon, "PNG")) {
        std::fprintf(stderr, "无法由 %s 画出 %s：%s\n", qPrintable(svg), qPrintable(out),
                     qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--icon")
        return writeIcon(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(),
                         QString::fromLocal8Bit(argv[4]));
    if (argc == 5 && QByteArray(argv[1]) == "--sheet")
        return writeSheets(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                           QString::fromLocal8Bit(argv[4]));
    if (argc != 2 && argc != 4 && argc != 5) {
        std::fprintf(stderr,
                     "用法：tarvo-art PROGRAM_DIR [CHARS_TABLE CORNERS_TABLE [STROKE_DIR]]\n");
        return 1;
    }
    const QDir program(QString::fromLocal8Bit(argv[1]));
    const QDir out(program.filePath(QStringLiteral("images")));
    const QDir files(program.filePath(QStringLiteral("files")));
    if (!QDir().mkpath(out.path()) || !QDir().mkpath(files.path())) {
        std::fprintf(stderr, "无法建立文件夹 %s\n", argv[1]);
        return 1;
    }
    // The tables, read once: the previews, the coloured characters and the
    // diagrams all draw from them.
    QList<art::CodedCharacter> common;
    coaching::CornerTable coded;
    if (argc >= 4) {
        common = art::frequentCharacters(QString::fromLocal8Bit(argv[2]), 80);
        coded = coaching::CornerTable::fromFile(QString::fromLocal8Bit(argv[3]));
        if (common.isEmpty() || coded.isEmpty()) {
            std::fprintf(stderr, "读不出字表 %s 或 %s\n", argv[2], argv[3]);
            return 1;
        }
    }
    // The pictures with text, each with its twin at twice the size
    // ("name@2x.jpg"), which a screen of twice the density shows.
    bool ok = true;
    for (const qreal scale : {1.0, 2.0}) {
        const QString twin = scale == 1.0 ? QString() : QStringLiteral("@2x");
        ok &=
            saveImage(out.filePath("preface" + twin + ".jpg"), art::startBackground(scale), "JPG");
        for (int i = 1; i <= 5; ++i)
            ok &= saveImage(out.filePath(QStringLiteral("%1%2.jpg").arg(i).arg(twin)),
                            art::preview(i, coded, scale), "JPG");
        ok &= saveImage(out.filePath("logo" + twin + ".png"), art::logo(scale), "PNG");
        ok &= saveImage(out.filePath("trainside" + twin + ".png"), art::trainingSide(scale), "PNG");
    }
    ok &= save(out.filePath("show.gif"), encodeAnimatedGif(art::animationFrames(), 45));
    ok &= saveImage(out.filePath("digits.png"), art::digitStrip(), "PNG");
    ok &= saveImage(out.filePath("mark.png"), art::mark(), "PNG");
    ok &= saveImage(out.filePath("smiley.png"), art::smiley(), "PNG");
    ok &= saveImage(files.filePath("facestart.bmp"), art::face(art::Face::Start), "BMP");
    ok &= saveImage(files.filePath("facelaugh.bmp"), art::face(art::Face::Laugh), "BMP");
    ok &= saveImage(files.filePath("facec.bmp"), art::face(art::Face::Cry), "BMP");
    ok &= saveImage(out.filePath("faceclose.png"), art::mascot(false), "PNG");
    ok &= saveImage(out.filePath("faceopen.png"), art::mascot(true), "PNG");
    ok &= saveImage(out.filePath("bike.png"), art::vehicle(0), "PNG");
    ok &= saveImage(out.filePath("car.png"), art::vehicle(1), "PNG");
    ok &= saveImage(out.filePath("plane.png"), art::vehicle(2), "PNG");
    ok &= saveImage(out.filePath("clock.png"), art::clockFace(), "PNG");
    const QString strokeDir = argc == 5 ? QString::fromLocal8Bit(argv[4]) : QString();
    const std::pair<const char*, QList<art::ExercisePicture>> folders[] = {
        {"exercise/bixing", art::strokePictures()},
        {"exercise/fubu", art::componentPictures()},
        {"exercise/caisezi", art::colouredCharacters(common)},
    };
    for (const auto& [folder, pictures] : folders) {
        const QDir dir(program.filePath(QString::fromLatin1(folder)));
        if (pictures.isEmpty())
            continue;
        ok &= QDir().mkpath(dir.path());
        // The code is part of each picture's name: pictures of an earlier
        // build under codes that have changed since would be taught too.
        for (const QString& old : dir.entryList({QStringLiteral("*.bmp")}, QDir::Files))
            ok &= QFile::remove(dir.filePath(old));
        for (const art::ExercisePicture& pic : pictures)
            ok &= saveImage(dir.filePath(pic.name + QStringLiteral(".bmp")), pic.image, "BMP");
    }
    // The diagrams are named by their character (UTF-8 file names).
    const QDir statement(program.filePath(QStringLiteral("statement")));
    if (!coded.isEmpty())
        ok &= QDir().mkpath(statement.path());
    // The strokes' outlines, for the note on a wrong code that lights the
    // stroke making a corner.
    QByteArray outlines;
    for (const QString& character : coded.characters()) {
        const art::CharacterStrokes strokes =
            strokeDir.isEmpty() ? art::CharacterStrokes{} : art::readStrokes(strokeDir, character);
        ok &= saveQuickly(
            statement.filePath(character + QStringLiteral(".bmp")),
            art::fourBitBmp(art::codeDiagram(character, *coded.find(character), strokes)));
        // Its twin at twice the size, as a PNG: a 4-bit bitmap would take
        // four times the diagrams' room again.
        QByteArray twin;
        QBuffer twinBuffer(&twin);
        twinBuffer.open(QIODevice::WriteOnly);
        ok &= art::codeDiagram(character, *coded.find(character), strokes, 2)
                  .save(&twinBuffer, "PNG", 0);
        ok &= saveQuickly(statement.filePath(character + QStringLiteral("@2x.png")), twin);
        if (!strokes.isEmpty())
            outlines += art::outlineLine(character, strokes);
    }
    if (!outlines.isEmpty()) {
        ok &= QDir().mkpath(program.filePath(QStringLiteral("hzlib")));
        ok &= save(program.filePath(QStringLiteral("hzlib/strokes.txt")), outlines);
    }
    if (!ok) {
        std::fprintf(stderr, "无法写入图片到 %s\n", argv[1]);
        return 1;
    }
    return 0;
}
