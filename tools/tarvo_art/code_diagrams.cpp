#include "tools/tarvo_art/code_diagrams.h"

#include "platform/fonts.h"
#include "tools/tarvo_art/drawing.h"

#include <QHash>
#include <QPainter>

#include <array>

namespace art {

namespace {

const QColor kInk(20, 20, 30);
const QColor kCorners[4] = {QColor(220, 30, 30), QColor(30, 80, 230), QColor(20, 150, 40),
                            QColor(150, 40, 170)};
const QColor kExtra(215, 120, 0);
const QColor kFrame(200, 200, 200);

// White, ink, the four corners, the fifth digit's orange, the frame, and a
// ramp of greys for the smoothed edges of the glyphs.
QList<QRgb> palette() {
    QList<QRgb> colours = {qRgb(255, 255, 255), kInk.rgb(),        kCorners[0].rgb(),
                           kCorners[1].rgb(),   kCorners[2].rgb(), kCorners[3].rgb(),
                           kExtra.rgb(),        kFrame.rgb()};
    for (int g : {50, 80, 130, 160, 185, 215, 235, 248})
        colours << qRgb(g, g, g);
    return colours;
}

QImage toSixteenColours(const QImage& rgb) {
    static const QList<QRgb> colours = palette();
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setDevicePixelRatio(rgb.devicePixelRatio());
    out.setColorTable(colours);
    QHash<QRgb, uchar> nearest;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = in[x] | 0xFF000000u;
            auto it = nearest.constFind(c);
            if (it == nearest.constEnd()) {
                int best = 0;
                long bestDistance = -1;
                for (int i = 0; i < colours.size(); ++i) {
                    const long dr = qRed(c) - qRed(colours[i]);
                    const long dg = qGreen(c) - qGreen(colours[i]);
                    const long db = qBlue(c) - qBlue(colours[i]);
                    const long d = dr * dr + dg * dg + db * db;
                    if (bestDistance < 0 || d < bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
                it = nearest.insert(c, static_cast<uchar>(best));
            }
            line[x] = *it;
        }
    }
    return out;
}

void put16(QByteArray& b, int at, quint16 v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}
void put32(QByteArray& b, int at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

QString shapeName(int digit) {
    static const char16_t* const names[10] = {u"撇", u"横", u"竖", u"点", u"叉",
                                              u"插", u"方", u"角", u"八", u"小"};
    return digit >= 0 && digit <= 9 ? QString::fromUtf16(names[digit]) : QString();
}

QColor digitColour(int digit) {
    return digit >= 0 && digit < 4 ? kCorners[digit] : kExtra;
}

namespace {

const QColor kGreyStroke(160, 160, 160);

// The character's strokes in `square`: grey, the stroke of each digit in
// that digit's colour (a stroke making two digits keeps the first one's).
void drawStrokes(QPainter& p, const QRectF& square, const coaching::CornerEntry& r,
                 const CharacterStrokes& s) {
    const QTransform box = strokeBoxTo(square);
    for (qsizetype k = 0; k < s.outlines.size(); ++k) {
        QColor colour = kGreyStroke;
        for (int q = static_cast<int>(r.code.size()) - 1; q >= 0; --q)
            if (r.strokes[static_cast<size_t>(q)] == k)
                colour = digitColour(q);
        p.fillPath(box.map(s.outlines[k]), colour);
    }
}

} // namespace

QImage codeDiagram(const QString& character, const coaching::CornerEntry& r,
                   const CharacterStrokes& strokes, qreal scale) {
    QImage img((QSizeF(kDiagramWidth, kDiagramHeight) * scale).toSize(), QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // The character in its square, the corners marked in their colours.
    const QRectF square = kDiagramSquare;
    p.setPen(QPen(kFrame, 1));
    p.drawRect(square);
    if (strokes.isEmpty())
        centredText(p, square.adjusted(0, 1, 0, 1), character, fonts::kai(54), kInk);
    else
        drawStrokes(p, square, r, strokes);
    const QPointF corners[4] = {square.topLeft(), square.topRight(), square.bottomLeft(),
                                square.bottomRight()};
    for (int q = 0; q < 4; ++q) {
        const qreal sx = q % 2 == 0 ? 1 : -1, sy = q < 2 ? 1 : -1;
        const QPointF at = corners[q];
        p.setPen(QPen(kCorners[q], 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPolyline(QList<QPointF>{at + QPointF(11 * sx, 0), at, at + QPointF(0, 11 * sy)});
    }

    // Beside each corner: its digit at the corner, the name of the stroke
    // that makes it towards the middle. Small names are drawn without
    // smoothing, so that they keep their corner's colour.
    QFont small = fonts::hei(12);
    small.setStyleStrategy(QFont::NoAntialias);
    QFont smaller = fonts::hei(10);
    smaller.setStyleStrategy(QFont::NoAntialias);
    auto nameFont = [&](const QString& name) -> const QFont& {
        return name.size() > 1 ? smaller : small;
    };
    for (int q = 0; q < 4 && q < r.code.size(); ++q) {
        const int d = r.code[q].digitValue();
        const qreal x = q % 2 == 0 ? 1 : 87;
        const bool top = q < 2;
        const QRectF digitBox(x, top ? 3 : 49, 24, 19);
        const QRectF nameBox(x - 1, top ? 22 : 35, 26, 13);
        centredText(p, digitBox, QString::number(d), fonts::hei(18, true), kCorners[q]);
        const QString& name = r.names[static_cast<size_t>(q)];
        centredText(p, nameBox, name, nameFont(name), kCorners[q]);
    }

    // The full code underneath, each digit over its stroke's name.
    const int n = static_cast<int>(r.code.size());
    const qreal pitch = 22, left = (kDiagramWidth - pitch * n) / 2;
    for (int i = 0; i < n; ++i) {
        const int d = r.code[i].digitValue();
        const QColor colour = digitColour(i);
        const QString& given = r.names[static_cast<size_t>(i)];
        const QString name = given.isEmpty() ? shapeName(d) : given;
        centredText(p, QRectF(left + i * pitch, 72, pitch, 26), QString::number(d),
                    fonts::hei(24, true), colour);
        centredText(p, QRectF(left + i * pitch - 1, 100, pitch + 2, 16), name, nameFont(name),
                    colour);
    }
    p.end();
    return toSixteenColours(img);
}

QByteArray fourBitBmp(const QImage& indexed) {
    const int w = indexed.width(), h = indexed.height();
    const int rowBytes = ((w + 1) / 2 + 3) / 4 * 4;
    const int offset = 14 + 40 + 16 * 4;
    QByteArray b(offset + rowBytes * h, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<quint32>(b.size()));
    put32(b, 10, offset);
    put32(b, 14, 40);
    put32(b, 18, static_cast<quint32>(w));
    put32(b, 22, static_cast<quint32>(h)); // rows from the bottom up
    put16(b, 26, 1);
    put16(b, 28, 4);
    put32(b, 34, static_cast<quint32>(rowBytes * h));
    put32(b, 38, 2835); // 72 dots per inch
    put32(b, 42, 2835);
    put32(b, 46, 16);
    const QList<QRgb> colours = indexed.colorTable();
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        b[54 + i * 4] = static_cast<char>(qBlue(c));
        b[54 + i * 4 + 1] = static_cast<char>(qGreen(c));
        b[54 + i * 4 + 2] = static_cast<char>(qRed(c));
    }
    for (int y = 0; y < h; ++y) {
        const uchar* in = indexed.constScanLine(y);
        char* out = b.data() + offset + (h - 1 - y) * rowBytes;
        for (int x = 0; x < w; ++x) {
            const auto v = static_cast<uchar>(in[x] & 0x0F);
            out[x / 2] =
                static_cast<char>(static_cast<uchar>(out[x / 2]) | (x % 2 == 0 ? v << 4 : v));
        }
    }
    return b;
}

} // namespace art
