#pragma once

#include <QColor>

#include <cstdint>

// A colour as the program stores it: 24 bits, 0x00BBGGRR (0xFF0000 is blue).
using Colour = uint32_t;

inline QColor toQColor(Colour c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
inline Colour fromQColor(const QColor& q) {
    return static_cast<Colour>(q.red()) | (static_cast<Colour>(q.green()) << 8) |
           (static_cast<Colour>(q.blue()) << 16);
}
