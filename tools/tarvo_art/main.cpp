// tarvo-art: draws the program's pictures into a program folder's "images".
//   tarvo-art OUTPUT_DIR
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
        std::fprintf(stderr, "用法：tarvo-art OUTPUT_DIR\n");
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "无法建立文件夹 %s\n", argv[1]);
        return 1;
    }
    bool ok = saveImage(out.filePath("preface.jpg"), art::startBackground(), "JPG");
    for (int i = 1; i <= 5; ++i)
        ok &= saveImage(out.filePath(QStringLiteral("%1.jpg").arg(i)), art::preview(i), "JPG");
    ok &= save(out.filePath("show.gif"), encodeAnimatedGif(art::animationFrames(), 45));
    ok &= saveImage(out.filePath("logo.png"), art::logo(), "PNG");
    if (!ok) {
        std::fprintf(stderr, "无法写入图片到 %s\n", argv[1]);
        return 1;
    }
    return 0;
}
