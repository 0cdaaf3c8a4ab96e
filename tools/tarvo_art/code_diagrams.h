#pragma once

#include "tools/tarvo_art/stroke_data.h"
#include "tools/tarvo_art/training_pictures.h"

#include <QByteArray>
#include <QImage>
#include <QList>

#include <array>

// The code diagrams "statement/<character>.bmp" the training shows after F1:
// the character large in a square with its four corners marked, beside each
// corner its digit and the stroke shape the rhyme gives that digit, and the
// full code underneath with each digit under the name of its shape, every
// corner in the colour the coloured-character exercise gives it (top left
// red, top right blue, bottom left green, bottom right purple; the extra
// fifth digit grey).
namespace art {

constexpr int kDiagramWidth = 112, kDiagramHeight = 120;

// How a character's code is read, from the corner table (corners.txt: the
// character, its main code, the stroke making each of the four corners in
// stroke order from 0 or "-", and each corner's shape name by the rhyme:
// "横" … "小", "撇" and "左钩" for a 0, and "亠", "已用", "空角" for the 0s
// the rhyme does not name).
struct CornerReading {
    QString character;
    QString code;               // the main code, 4 or 5 digits
    std::array<int, 4> strokes; // -1: no stroke
    std::array<QString, 4> names;
};

// Every row of a corner table; rows that do not hold a character, a code
// of 4 or 5 digits, four strokes and four names are left out.
QList<CornerReading> readCornerTable(const QString& path);

// The diagram of one character. Drawn from its strokes when `strokes` holds
// them: the character in grey with the stroke that makes each corner in that
// corner's colour; otherwise from the 楷 font. The picture uses at most 16
// colours (an indexed image).
QImage codeDiagram(const CornerReading& reading, const CharacterStrokes& strokes);

// The name of the stroke shape of a digit in the rhyme ("横" for 1).
QString shapeName(int digit);

// An indexed image of at most 16 colours as a 4-bit Windows bitmap, which
// keeps the thousands of diagrams small.
QByteArray fourBitBmp(const QImage& indexed);

} // namespace art
