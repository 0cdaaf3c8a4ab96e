#pragma once

#include "coaching/corner_table.h"

#include <QImage>
#include <QList>

// The pictures of the start screen and the about box. Those with text are
// drawn at `scale` device pixels a pixel as well (2: the twin a screen of
// twice the density shows sharp), over the same w × h pixels.
namespace art {

// The start screen's background: title, keypad under a hand, and the labels
// under the nine hot areas.
QImage startBackground(qreal scale = 1);
// Preview picture of module entry 1-5 (297 × 424). The training's shows the
// codes the corner table gives its characters (none without a table).
QImage preview(int entry, const coaching::CornerTable& corners = {}, qreal scale = 1);
// Frames of the course entry's animation (129 × 129).
QList<QImage> animationFrames();
// The about box's logo (201 × 49).
QImage logo(qreal scale = 1);

// The warm-up game: the digits 0-9 side by side, green on black, 60 × 60
// each (600 × 60); the mark of the fun mode (32 × 32, a little rabbit); the
// smiley of the start buttons (48 × 48); the faces of the classic mode
// (start, laughing, crying; 48 × 48).
QImage digitStrip();
QImage mark();
QImage smiley();
enum class Face { Start, Laugh, Cry };
QImage face(Face f);

} // namespace art
