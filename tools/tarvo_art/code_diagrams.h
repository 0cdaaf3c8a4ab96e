#pragma once

#include "coaching/corner_table.h"
#include "tools/tarvo_art/stroke_data.h"
#include "tools/tarvo_art/training_pictures.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>

#include <array>

// The code diagrams "statement/<character>.bmp" the training shows after F1:
// the character large in a square with its four corners marked, beside each
// corner its digit and the stroke shape the rhyme gives that digit, and the
// full code underneath with each digit under the name of its shape, every
// corner in the colour the coloured-character exercise gives it (top left
// red, top right blue, bottom left green, bottom right purple; the extra
// fifth digit orange).
namespace art {

constexpr int kDiagramWidth = 112, kDiagramHeight = 120;
// The square the character is drawn in.
constexpr QRectF kDiagramSquare(26, 6, 60, 60);

// The colour of each digit of a code in the diagrams: the four corners as in
// the coloured characters, the extra corner orange.
QColor digitColour(int digit);

// The diagram of one character, read as its corner table entry says. Drawn
// from its strokes when `strokes` holds them: the character in grey with the
// stroke that makes each digit in that digit's colour (a stroke making two
// keeps the first one's); otherwise from the 楷 font. The picture uses at
// most 16 colours (an indexed image). Drawn at `scale` device pixels a pixel
// (2: the twin "statement/<character>@2x.png" of dense screens).
QImage codeDiagram(const QString& character, const coaching::CornerEntry& reading,
                   const CharacterStrokes& strokes, qreal scale = 1);

// The name of the stroke shape of a digit in the rhyme ("横" for 1).
QString shapeName(int digit);

// An indexed image of at most 16 colours as a 4-bit Windows bitmap, which
// keeps the thousands of diagrams small.
QByteArray fourBitBmp(const QImage& indexed);

} // namespace art
