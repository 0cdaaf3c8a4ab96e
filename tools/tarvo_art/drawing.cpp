#include "tools/tarvo_art/drawing.h"

#include "platform/fonts.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace art {

void fillGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void centredText(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
                 const QColor& colour) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

void drawPlate(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
               const QColor& fill, const QColor& textColour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, fill.lighter(130));
    g.setColorAt(1, fill.darker(115));
    p.setBrush(g);
    p.setPen(QPen(fill.darker(160), 1.5));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 8, 8);
    p.restore();
    centredText(p, r, text, font, textColour);
}

void drawKeypad(QPainter& p, const QRectF& area, const QString& lit) {
    struct Key {
        const char* text;
        int col, row, w, h;
    };
    static const Key keys[] = {
        {"Num", 0, 0, 1, 1}, {"/", 1, 0, 1, 1}, {"*", 2, 0, 1, 1},     {"-", 3, 0, 1, 1},
        {"7", 0, 1, 1, 1},   {"8", 1, 1, 1, 1}, {"9", 2, 1, 1, 1},     {"+", 3, 1, 1, 2},
        {"4", 0, 2, 1, 1},   {"5", 1, 2, 1, 1}, {"6", 2, 2, 1, 1},     {"1", 0, 3, 1, 1},
        {"2", 1, 3, 1, 1},   {"3", 2, 3, 1, 1}, {"Enter", 3, 3, 1, 2}, {"0", 0, 4, 2, 1},
        {".", 2, 4, 1, 1},
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(70, 74, 82));
    p.drawRoundedRect(area, 10, 10);
    const QRectF inner = area.adjusted(8, 8, -8, -8);
    const qreal cw = inner.width() / 4;
    const qreal ch = inner.height() / 5;
    for (const Key& k : keys) {
        const QRectF r(inner.left() + k.col * cw + 3, inner.top() + k.row * ch + 3, k.w * cw - 6,
                       k.h * ch - 6);
        const bool on = lit == QLatin1String(k.text);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, on ? QColor(255, 230, 120) : QColor(250, 250, 250));
        g.setColorAt(1, on ? QColor(240, 170, 30) : QColor(200, 203, 210));
        p.setBrush(g);
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.drawRoundedRect(r, 5, 5);
        const bool word = qstrlen(k.text) > 1;
        QFont f = fonts::sans(static_cast<int>(ch * (word ? 0.22 : 0.42)), true);
        centredText(p, r, QString::fromLatin1(k.text), f, QColor(30, 30, 60));
    }
    p.restore();
}

void drawHand(QPainter& p, const QPointF& wrist, qreal s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(wrist);
    p.scale(s, s);
    const QColor skin(250, 214, 176, 215);
    p.setPen(QPen(QColor(150, 100, 70, 230), 2.2));
    p.setBrush(skin);
    // Fingers: index, middle, ring, little, reaching up from the palm.
    const QRectF fingers[] = {
        {-62, -190, 30, 110}, {-26, -205, 31, 122}, {10, -195, 30, 114}, {44, -168, 27, 92}};
    for (const QRectF& f : fingers)
        p.drawRoundedRect(f, 14, 14);
    // Thumb reaching left.
    p.save();
    p.rotate(-55);
    p.drawRoundedRect(QRectF(-40, -120, 30, 88), 14, 14);
    p.restore();
    QPainterPath palm;
    palm.moveTo(-70, -100);
    palm.cubicTo(-75, -30, -55, 20, -20, 40);
    palm.lineTo(40, 40);
    palm.cubicTo(70, 10, 78, -50, 72, -100);
    palm.closeSubpath();
    p.drawPath(palm);
    // Sleeve.
    p.setBrush(QColor(60, 110, 190, 230));
    p.drawRoundedRect(QRectF(-34, 36, 84, 44), 10, 10);
    p.restore();
}

} // namespace art
