#include "image_file.h"

#include "file_error_reason.h"
#include "user_error.h"

#include <QFileInfo>
#include <QImageReader>

#include <cerrno>

namespace {

QString imageErrorReason(const QString& path, const QImageReader& reader) {
    const QFileInfo info(path);
    if (!info.exists())
        return errnoReason(ENOENT);
    if (info.isDir())
        return errnoReason(EISDIR);
    if (!info.isReadable())
        return errnoReason(EACCES);
    switch (reader.error()) {
    case QImageReader::FileNotFoundError:
        return errnoReason(ENOENT);
    case QImageReader::DeviceError:
        return QStringLiteral("无法读取");
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
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        throw UserError(
            QStringLiteral("无法读取图片文件 %1：%2").arg(path, imageErrorReason(path, reader)));
    return image;
}
