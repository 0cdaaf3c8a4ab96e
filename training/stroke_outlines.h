#pragma once

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QString>

// The strokes of the coded characters, as the note on a wrong code draws
// them. The program folder holds them as "hzlib/strokes.txt", written by
// tarvo-art from the stroke data the code diagrams are drawn from: one line
// per character, the character, a tab, and its strokes in stroke order
// separated by ";", each an outline: a polygon of points "x y x y …" in
// whole units of a box of 128, y pointing down.
namespace training {

inline constexpr char kStrokeOutlineFile[] = "hzlib/strokes.txt";
inline constexpr int kStrokeBox = 128;

// One outline; an empty path for text that is not one.
QPainterPath parseOutline(const QString& d);
// The strokes of `character` in `file`, in stroke order; empty when the
// file is missing or does not hold the character, or its line is damaged.
// `problem` (when given) then says why in Chinese, naming the file (and the
// line): "" when the file is whole and simply lacks the character. The file
// is read once through the regular-file reader (no FIFO, at most
// kMaxStrokeOutlineBytes) and kept until it changes.
QList<QPainterPath> strokeOutlines(const QString& file, const QString& character,
                                   QString* problem = nullptr);
inline constexpr qint64 kMaxStrokeOutlineBytes = 64LL * 1024 * 1024;
// The character drawn `size` pixels square on white: its strokes dark grey,
// stroke `lit` (from 0) red; a null image without strokes.
QImage drawStrokes(const QList<QPainterPath>& strokes, int lit, int size);
// The colour of the lit stroke.
inline constexpr QRgb kLitStroke = 0xffd00000;

} // namespace training
