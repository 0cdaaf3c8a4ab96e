#pragma once

#include <QImage>
#include <QString>

// Reads a picture file (JPEG, BMP, PNG, GIF) afresh from disk, never from a
// cache. Throws UserError naming the file (full path) when it cannot be read
// or decoded, is not a regular file, or is larger than kMaxImageFileBytes.
QImage readImageFile(const QString& path);

// The picture at `path` for a screen of `devicePixelRatio` device pixels a
// pixel. Above 1, its twin drawn at twice the size ("name@2x.ext", Qt's
// convention, or "name@2x.png", which keeps the twins of thousands of small
// bitmaps small) when there is one: brought smoothly to the ratio's own size and
// marked with the ratio, so it covers the plain picture's size, sharp.
// Otherwise the plain picture, at ratio 1 (the window scales it). Throws as
// readImageFile, naming whichever file it read.
QImage readImageFileFor(const QString& path, qreal devicePixelRatio);

// The name of the twin drawn at twice the size: "images/preface.jpg" ->
// "images/preface@2x.jpg".
QString doubleSizeName(const QString& path);
inline constexpr qint64 kMaxImageFileBytes = 32 * 1024 * 1024;
