#pragma once

#include "training_pictures.h"

#include <QByteArray>
#include <QImage>
#include <QList>

// The code diagrams "statement/<character>.bmp" the training shows after F1:
// the character large in a square with its four corners marked, beside each
// corner its digit and the stroke shape the rhyme gives that digit, and the
// full code underneath with each digit under the name of its shape, every
// corner in the colour the coloured-character exercise gives it (top left
// red, top right blue, bottom left green, bottom right purple; the extra
// fifth digit grey).
namespace art {

constexpr int kDiagramWidth = 112, kDiagramHeight = 120;

// Every character of the dictionary source table (chars.txt: code,
// character, frequency) that has a full code (4 or 5 digits), with the first
// of them in table order: the characters of the character exercises.
QList<CodedCharacter> fullCodes(const QString& charsTable);

// The diagram of one character; `c.corners` is its full code. The picture
// uses at most 16 colours (an indexed image).
QImage codeDiagram(const CodedCharacter& c);

// The name of the stroke shape of a digit in the rhyme ("横" for 1).
QString shapeName(int digit);

// An indexed image of at most 16 colours as a 4-bit Windows bitmap, which
// keeps the thousands of diagrams small.
QByteArray fourBitBmp(const QImage& indexed);

} // namespace art
