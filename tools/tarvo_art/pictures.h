#pragma once

#include <QImage>
#include <QList>

// The pictures of the start screen and the about box.
namespace art {

// The start screen's background: title, keypad under a hand, and the labels
// under the eight hot areas.
QImage startBackground();
// Preview picture of module entry 1-5 (297 × 424).
QImage preview(int entry);
// Frames of the course entry's animation (129 × 129).
QList<QImage> animationFrames();
// The about box's logo (201 × 49).
QImage logo();

} // namespace art
