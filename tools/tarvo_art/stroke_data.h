#pragma once

#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QTransform>

// The strokes of a character from the hanzi-writer-data package (derived from
// Make Me a Hanzi; Arphic Public License): one JSON file a character,
// "<character>.json", holding for each stroke, in stroke order, its outline
// as an SVG path ("strokes") and its median line ("medians"), in a box of
// 1024 units whose y axis points up (the top edge at 900, the bottom at -124).
namespace art {

struct CharacterStrokes {
    QList<QPainterPath> outlines; // in the data's own units, y up
    QList<QList<QPointF>> medians;
    bool isEmpty() const { return outlines.isEmpty(); }
};

// Reads "<character>.json" from `folder`; empty when the file is missing or
// not stroke data.
CharacterStrokes readStrokes(const QString& folder, const QString& character);

// An SVG path of the data's subset (M, L, Q, C, Z with absolute coordinates)
// as a painter path; an empty path for anything else.
QPainterPath parseSvgPath(const QString& d);

// Maps the data's box onto `square` (y pointing down as on screen).
QTransform strokeBoxTo(const QRectF& square);

// A character's strokes as one line of the program's stroke outline file
// "hzlib/strokes.txt": the character, a tab, and each stroke's outline as a
// polygon of points "x y x y …" in whole units of a box of 128, y down,
// the strokes separated by ";".
QByteArray outlineLine(const QString& character, const CharacterStrokes& strokes);

} // namespace art
