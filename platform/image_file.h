#pragma once

#include <QImage>
#include <QString>

// Reads a picture file (JPEG, BMP, PNG, GIF) afresh from disk, never from a
// cache. Throws UserError naming the file when it cannot be read or decoded.
QImage readImageFile(const QString& path);
