#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Writes an animated GIF (GIF89a, looping forever) from frames of one size.
// Each frame is mapped to one fixed 256-colour palette (a 6×6×6 colour cube
// and 40 greys), then LZW-compressed.
QByteArray encodeAnimatedGif(const QList<QImage>& frames, int delayCentiseconds);

// The palette the frames are mapped to.
QList<QRgb> gifPalette();
