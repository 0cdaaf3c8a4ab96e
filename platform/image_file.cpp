#include "image_file.h"

#include "user_error.h"

#include <QImageReader>

QImage readImageFile(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        throw UserError(QStringLiteral("无法读取图片文件 %1：%2").arg(path, reader.errorString()));
    return image;
}
