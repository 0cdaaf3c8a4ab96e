// tarvo-art: draws the program's pictures into a program folder's "images"
// and "files".
//   tarvo-art PROGRAM_DIR
#include "gif_writer.h"
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool save(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

bool saveImage(const QString& path, const QImage& image, const char* format) {
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && image.save(&f, format, 92) && f.commit();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "用法：tarvo-art PROGRAM_DIR\n");
        return 1;
    }
    const QDir program(QString::fromLocal8Bit(argv[1]));
    const QDir out(program.filePath(QStringLiteral("images")));
    const QDir files(program.filePath(QStringLiteral("files")));
    if (!QDir().mkpath(out.path()) || !QDir().mkpath(files.path())) {
        std::fprintf(stderr, "无法建立文件夹 %s\n", argv[1]);
        return 1;
    }
    bool ok = saveImage(out.filePath("preface.jpg"), art::startBackground(), "JPG");
    for (int i = 1; i <= 5; ++i)
        ok &= saveImage(out.filePath(QStringLiteral("%1.jpg").arg(i)), art::preview(i), "JPG");
    ok &= save(out.filePath("show.gif"), encodeAnimatedGif(art::animationFrames(), 45));
    ok &= saveImage(out.filePath("logo.png"), art::logo(), "PNG");
    ok &= saveImage(out.filePath("digits.png"), art::digitStrip(), "PNG");
    ok &= saveImage(out.filePath("mark.png"), art::mark(), "PNG");
    ok &= saveImage(out.filePath("smiley.png"), art::smiley(), "PNG");
    ok &= saveImage(files.filePath("facestart.bmp"), art::face(art::Face::Start), "BMP");
    ok &= saveImage(files.filePath("facelaugh.bmp"), art::face(art::Face::Laugh), "BMP");
    ok &= saveImage(files.filePath("facec.bmp"), art::face(art::Face::Cry), "BMP");
    if (!ok) {
        std::fprintf(stderr, "无法写入图片到 %s\n", argv[1]);
        return 1;
    }
    return 0;
}
