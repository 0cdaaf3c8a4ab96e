#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

// Shared drawing pieces of the program's pictures.
namespace art {

// A numeric keypad (Num Lock, /, *, -, 7 8 9 +, 4 5 6, 1 2 3 Enter, 0 .) in
// `area`; `lit` is a key's text to draw highlighted ("" for none).
void drawKeypad(QPainter& p, const QRectF& area, const QString& lit = QString());

// A right hand resting over a keypad: palm and fingers, drawn half transparent.
void drawHand(QPainter& p, const QPointF& wrist, qreal scale);

// A rounded label plate with centred text.
void drawPlate(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
               const QColor& fill, const QColor& textColour);

// A vertical gradient filling `r`.
void fillGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom);

// Text centred in `r`.
void centredText(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
                 const QColor& colour);

} // namespace art
