#pragma once

#include <QImage>
#include <QString>

// Reads a picture file (JPEG, BMP, PNG, GIF) afresh from disk, never from a
// cache. Throws UserError naming the file (full path) when it cannot be read
// or decoded, is not a regular file, or is larger than kMaxImageFileBytes.
QImage readImageFile(const QString& path);
inline constexpr qint64 kMaxImageFileBytes = 32 * 1024 * 1024;
