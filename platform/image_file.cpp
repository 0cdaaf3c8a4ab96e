#include "platform/image_file.h"

#include "platform/regular_file.h"
#include "platform/user_error.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString imageErrorReason(const QImageReader& reader) {
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
        return QStringLiteral("不是可识别的图片，文件可能已损坏");
    case QImageReader::InvalidDataError:
        return QStringLiteral("图片数据已损坏");
    default:
        return QStringLiteral("图片无法识别");
    }
}

} // namespace

QImage readImageFile(const QString& path) {
    // Read through the regular-file reader: a FIFO is refused at once and a
    // huge file by its size, before any decoding.
    regularfile::Contents file = regularfile::read(path, kMaxImageFileBytes);
    if (!file.ok())
        throw UserError(QStringLiteral("无法读取图片文件 %1：%2")
                            .arg(regularfile::fullPath(path), file.reason));
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        throw UserError(QStringLiteral("无法读取图片文件 %1：%2")
                            .arg(regularfile::fullPath(path), imageErrorReason(reader)));
    return image;
}

QString doubleSizeName(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= path.lastIndexOf(u'/'))
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

QImage readImageFileFor(const QString& path, qreal devicePixelRatio) {
    if (devicePixelRatio <= 1.0)
        return readImageFile(path);
    QString twin = doubleSizeName(path);
    if (!QFileInfo::exists(twin)) {
        const QString png = twin.left(twin.lastIndexOf(u'@') + 3) + QStringLiteral(".png");
        if (!QFileInfo::exists(png))
            return readImageFile(path);
        twin = png;
    }
    QImage image = readImageFile(twin);
    const QSizeF logical = QSizeF(image.size()) / 2.0;
    const QSize device = (logical * devicePixelRatio).toSize();
    if (device != image.size())
        image = image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}
