#include "tools/tarvo_art/training_pictures.h"

#include "platform/fonts.h"
#include "tools/tarvo_art/drawing.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextStream>
#include <QtMath>

#include <algorithm>
#include <functional>
#include <map>

namespace art {
namespace {

const QColor kInk(20, 20, 30);

QImage exerciseCanvas() {
    QImage img(kExerciseWidth, kExerciseHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// A brush stroke between two points whose width runs from w0 to w1, with
// rounded ends: wide-to-thin is a 撇, thin-to-wide a 捺, short and heavy a 点.
void taper(QPainter& p, QPointF a, QPointF b, qreal w0, qreal w1) {
    const QPointF d = b - a;
    const qreal len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF n(-d.y() / len, d.x() / len);
    QPolygonF poly;
    poly << a + n * (w0 / 2) << b + n * (w1 / 2) << b - n * (w1 / 2) << a - n * (w0 / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(poly);
    p.drawEllipse(a, w0 / 2, w0 / 2);
    p.drawEllipse(b, w1 / 2, w1 / 2);
}

// A stroke of even width along a path of points.
void line(QPainter& p, const QList<QPointF>& points, qreal w) {
    QPainterPath path(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    p.setPen(QPen(kInk, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A stroke with a brush's press at its start (a small heavier knot).
void pressed(QPainter& p, const QList<QPointF>& points, qreal w) {
    line(p, points, w);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(points.first(), w * 0.75, w * 0.75);
}

void dot(QPainter& p, QPointF at, qreal size, qreal angleDeg) {
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF dir(std::cos(a), std::sin(a));
    taper(p, at, at + dir * size, size * 0.25, size * 0.7);
}

void pie(QPainter& p, QPointF top, QPointF end, qreal w) { // 撇: heavy at the top, thin at the end
    taper(p, top, end, w, w * 0.25);
}

void na(QPainter& p, QPointF top, QPointF end, qreal w) { // 捺: thin at the top, wide at the foot
    taper(p, top, end, w * 0.3, w * 1.3);
}

using Shape = std::function<void(QPainter&, int variant)>;

struct StrokeShape {
    const char* name;
    int digit;
    Shape draw;
};

const StrokeShape kStrokes[] = {
    {"heng", 1,
     [](QPainter& p, int v) {
         const qreal w[] = {9, 14, 8};
         if (v == 2)
             pressed(p, {{18, 58}, {82, 42}}, w[v]); // a rising stroke
         else
             pressed(p, {{v == 1 ? 28.0 : 12.0, 50}, {v == 1 ? 72.0 : 88.0, 48}}, w[v]);
     }},
    {"shu", 2,
     [](QPainter& p, int v) {
         const qreal w[] = {9, 14, 8};
         const qreal top = v == 1 ? 28 : 10, bottom = v == 1 ? 72 : 90;
         pressed(p, {{v == 2 ? 46.0 : 50.0, top}, {v == 2 ? 54.0 : 50.0, bottom}}, w[v]);
     }},
    {"dian", 3,
     [](QPainter& p, int v) {
         const qreal size[] = {30, 40, 24};
         const qreal angle[] = {55, 60, 40};
         dot(p, QPointF(38, 30 + v * 4), size[v], angle[v]);
     }},
    {"na", 3,
     [](QPainter& p, int v) {
         const qreal w[] = {10, 13, 9};
         na(p, QPointF(22 + v * 4, 18), QPointF(80, 78 - v * 6), w[v]);
     }},
    {"cha", 4,
     [](QPainter& p, int v) {
         if (v == 1) { // 乂
             pie(p, QPointF(74, 18), QPointF(22, 84), 12);
             na(p, QPointF(26, 24), QPointF(80, 82), 10);
             return;
         }
         const qreal w = v == 0 ? 11 : 7;
         pressed(p, {{14, 46}, {86, 46}}, w);
         pressed(p, {{50, 12}, {50, 90}}, w);
     }},
    {"charu", 5,
     [](QPainter& p, int v) {
         // A vertical running through two or three horizontals.
         const int bars = v == 1 ? 3 : 2;
         const qreal w = v == 2 ? 7 : 10;
         for (int i = 0; i < bars; ++i) {
             const qreal y = bars == 3 ? 28 + i * 22 : 36 + i * 28;
             pressed(p, {{20, y}, {80, y - (v == 2 ? 4 : 0)}}, w);
         }
         pressed(p, {{50, 10}, {50, 92}}, w);
     }},
    {"fang", 6,
     [](QPainter& p, int v) {
         const QRectF boxes[] = {{22, 22, 56, 56}, {12, 30, 76, 42}, {30, 12, 40, 76}};
         const QRectF r = boxes[v];
         pressed(p, {r.topLeft(), r.bottomLeft()}, 9);
         line(p, {r.topLeft(), r.topRight(), r.bottomRight()}, 9);
         line(p, {r.bottomLeft(), r.bottomRight()}, 9);
     }},
    {"jiao", 7,
     [](QPainter& p, int v) {
         if (v == 0) // ┐ a horizontal turning down
             pressed(p, {{14, 24}, {76, 24}, {76, 86}}, 10);
         else if (v == 1) // └ a vertical turning right
             pressed(p, {{26, 14}, {26, 76}, {88, 76}}, 10);
         else // ┌ a vertical and a horizontal meeting at the top left
         {
             pressed(p, {{24, 20}, {24, 86}}, 9);
             line(p, {{24, 20}, {84, 20}}, 9);
         }
     }},
    {"ba", 8,
     [](QPainter& p, int v) {
         if (v == 0) { // 八
             pie(p, QPointF(40, 22), QPointF(14, 80), 11);
             na(p, QPointF(58, 22), QPointF(86, 80), 10);
         } else if (v == 1) { // 人
             pie(p, QPointF(50, 12), QPointF(14, 86), 11);
             na(p, QPointF(50, 40), QPointF(86, 86), 10);
         } else { // 丷
             dot(p, QPointF(30, 26), 30, 60);
             pie(p, QPointF(74, 24), QPointF(58, 56), 11);
         }
     }},
    {"xiao", 9,
     [](QPainter& p, int v) {
         const qreal s = v == 1 ? 0.75 : 1.0;
         auto at = [s](qreal x, qreal y) { return QPointF(50 + (x - 50) * s, 50 + (y - 50) * s); };
         pressed(p, {at(50, 10), at(50, 82)}, 10 * s);
         taper(p, at(50, 82), at(40, 74), 9 * s, 4 * s); // the hook
         if (v == 2) {                                   // ⺌: short strokes beside
             dot(p, at(28, 32), 26 * s, 110);
             dot(p, at(70, 28), 26 * s, 70);
         } else {
             pie(p, at(30, 36), at(14, 64), 9 * s);
             dot(p, at(70, 36), 28 * s, 50);
         }
     }},
    {"pie", 0,
     [](QPainter& p, int v) {
         const QPointF tops[] = {{74, 12}, {62, 20}, {80, 30}};
         const QPointF ends[] = {{20, 86}, {26, 70}, {14, 66}};
         const qreal w[] = {12, 15, 10};
         pie(p, tops[v], ends[v], w[v]);
     }},
    {"gou", 0,
     [](QPainter& p, int v) {
         // 亅: a vertical with its hook to the left.
         const qreal top = v == 1 ? 24 : 10, bottom = v == 1 ? 74 : 84;
         const qreal w = v == 2 ? 8 : 11;
         pressed(p, {{58, top}, {58, bottom}}, w);
         taper(p, QPointF(58, bottom), QPointF(v == 2 ? 40.0 : 36.0, bottom - 14), w, w * 0.3);
     }},
};

QImage drawShape(const Shape& shape, int variant) {
    QImage img = exerciseCanvas();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kExerciseWidth / 100.0, kExerciseHeight / 100.0);
    shape(p, variant);
    return img;
}

// Whether a font really holds a glyph for the character (no fallback box).
bool fontHolds(const QFont& font, QChar c) {
    const QRawFont raw = QRawFont::fromFont(font);
    return raw.isValid() && raw.supportsCharacter(c);
}

} // namespace

QList<ExercisePicture> strokePictures() {
    QList<ExercisePicture> out;
    for (const StrokeShape& s : kStrokes)
        for (int v = 0; v < 3; ++v)
            out.append({QStringLiteral("%1_%2-%3")
                            .arg(QLatin1String(s.name))
                            .arg(QChar(u'a' + v))
                            .arg(s.digit),
                        drawShape(s.draw, v)});
    return out;
}

QList<ExercisePicture> componentPictures() {
    struct Row {
        int digit;
        const char16_t* glyphs;
    };
    const Row rows[] = {
        {0, u"丿亅"},     {1, u"一二三工"}, {2, u"丨刂"},     {3, u"丶冫氵灬"}, {4, u"十乂艹廿"},
        {5, u"扌丰中串"}, {6, u"口日曰目"}, {7, u"厂匚冂乛"}, {8, u"八人入丷"}, {9, u"小忄⺌"},
    };
    const QFont styles[2] = {fonts::kai(80), fonts::hei(76)};
    const char* styleNames[2] = {"kai", "hei"};
    QList<ExercisePicture> out;
    for (const Row& row : rows) {
        const QString glyphs = QString::fromUtf16(row.glyphs);
        for (qsizetype g = 0; g < glyphs.size(); ++g) {
            for (int s = 0; s < 2; ++s) {
                if (!fontHolds(styles[s], glyphs[g]))
                    continue;
                QImage img = exerciseCanvas();
                QPainter p(&img);
                p.setRenderHint(QPainter::TextAntialiasing);
                centredText(p, QRectF(0, 0, kExerciseWidth, kExerciseHeight), glyphs.mid(g, 1),
                            styles[s], kInk);
                p.end();
                out.append({QStringLiteral("%1_%2-%3")
                                .arg(QLatin1String(styleNames[s]))
                                .arg(glyphs[g].unicode(), 4, 16, QChar(u'0'))
                                .arg(row.digit),
                            img});
            }
        }
    }
    return out;
}

QList<ExercisePicture> colouredCharacters(const QList<CodedCharacter>& characters) {
    const QColor corners[4] = {QColor(220, 30, 30), QColor(30, 80, 230), QColor(20, 150, 40),
                               QColor(150, 40, 170)};
    QList<ExercisePicture> out;
    for (const CodedCharacter& c : characters) {
        // The glyph as a mask, then each quarter painted through it in its colour.
        QImage glyph(kExerciseWidth, kExerciseHeight, QImage::Format_ARGB32_Premultiplied);
        glyph.fill(Qt::transparent);
        {
            QPainter g(&glyph);
            g.setRenderHint(QPainter::TextAntialiasing);
            centredText(g, QRectF(0, 0, kExerciseWidth, kExerciseHeight), c.character,
                        fonts::kai(84, true), Qt::black);
            g.setCompositionMode(QPainter::CompositionMode_SourceIn);
            const qreal hw = kExerciseWidth / 2.0, hh = kExerciseHeight / 2.0;
            for (int q = 0; q < 4; ++q)
                g.fillRect(QRectF((q % 2) * hw, (q / 2) * hh, hw, hh), corners[q]);
        }
        QImage img = exerciseCanvas();
        QPainter p(&img);
        // Faint quarter lines, then the tinted glyph.
        p.setPen(QPen(QColor(215, 215, 215), 1, Qt::DashLine));
        p.drawLine(QPointF(kExerciseWidth / 2.0, 2),
                   QPointF(kExerciseWidth / 2.0, kExerciseHeight - 2));
        p.drawLine(QPointF(2, kExerciseHeight / 2.0),
                   QPointF(kExerciseWidth - 2, kExerciseHeight / 2.0));
        p.drawImage(0, 0, glyph);
        p.end();
        out.append({c.character + u'_' + c.corners, img});
    }
    return out;
}

QList<CodedCharacter> frequentCharacters(const QString& charsTable, int count) {
    QFile f(charsTable);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    struct Entry {
        QStringList codes;
        long long freq = 0;
    };
    std::map<QString, Entry> chars;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QStringList cols = in.readLine().split(u'\t');
        if (cols.size() < 3 || cols[0].size() < 4)
            continue;
        Entry& e = chars[cols[1]];
        e.codes << cols[0];
        e.freq = cols[2].toLongLong();
    }
    std::vector<std::pair<QString, Entry>> ranked(chars.begin(), chars.end());
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.second.freq > b.second.freq; });
    QList<CodedCharacter> out;
    for (const auto& [ch, e] : ranked) {
        if (e.codes.size() != 1)
            continue;
        out.append({ch, e.codes[0].left(4)});
        if (out.size() == count)
            break;
    }
    return out;
}

QImage mascot(bool open) {
    QImage img(72, 72, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A round panda face: ears, face, eye patches.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QRectF(6, 4, 20, 20));
    p.drawEllipse(QRectF(46, 4, 20, 20));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawEllipse(QRectF(8, 10, 56, 54));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QRectF(18, 26, 14, 16));
    p.drawEllipse(QRectF(40, 26, 14, 16));
    if (open) {
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(22, 30, 7, 8));
        p.drawEllipse(QRectF(43, 30, 7, 8));
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(24, 32, 4, 4));
        p.drawEllipse(QRectF(45, 32, 4, 4));
        p.setBrush(QColor(220, 60, 60));
        p.drawEllipse(QRectF(30, 48, 12, 9)); // an open mouth
    } else {
        p.setPen(QPen(Qt::white, 2));
        p.drawArc(QRectF(20, 32, 10, 6), 0, 180 * 16);
        p.drawArc(QRectF(42, 32, 10, 6), 0, 180 * 16);
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.drawArc(QRectF(29, 46, 14, 8), 200 * 16, 140 * 16); // a smile
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QRectF(33, 42, 6, 4)); // nose
    p.setBrush(QColor(255, 170, 180, 140));
    p.drawEllipse(QRectF(13, 44, 9, 6));
    p.drawEllipse(QRectF(50, 44, 9, 6));
    return img;
}

QImage vehicle(int which) {
    QImage img(64, 36, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (which == 0) { // bicycle
        p.setPen(QPen(QColor(30, 30, 30), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(14, 24), 10, 10);
        p.drawEllipse(QPointF(50, 24), 10, 10);
        p.setPen(QPen(QColor(200, 40, 40), 2.5));
        p.drawPolyline(QPolygonF{{14, 24}, {26, 12}, {44, 12}, {50, 24}});
        p.drawPolyline(QPolygonF{{26, 12}, {32, 24}, {44, 12}});
        p.drawLine(QPointF(14, 24), QPointF(32, 24));
        p.setPen(QPen(QColor(30, 30, 30), 2.5));
        p.drawLine(QPointF(22, 8), QPointF(30, 8));
        p.drawLine(QPointF(44, 12), QPointF(42, 5));
        p.drawLine(QPointF(38, 5), QPointF(46, 5));
    } else if (which == 1) { // car
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 110, 200));
        p.drawRoundedRect(QRectF(4, 14, 56, 14), 5, 5);
        QPolygonF roof{{16, 15}, {22, 5}, {42, 5}, {50, 15}};
        p.drawPolygon(roof);
        p.setBrush(QColor(200, 230, 255));
        p.drawPolygon(QPolygonF{{20, 14}, {24, 8}, {31, 8}, {31, 14}});
        p.drawPolygon(QPolygonF{{34, 14}, {34, 8}, {41, 8}, {46, 14}});
        p.setBrush(QColor(30, 30, 30));
        p.drawEllipse(QPointF(17, 28), 6, 6);
        p.drawEllipse(QPointF(47, 28), 6, 6);
        p.setBrush(QColor(180, 180, 180));
        p.drawEllipse(QPointF(17, 28), 2.5, 2.5);
        p.drawEllipse(QPointF(47, 28), 2.5, 2.5);
    } else { // aeroplane
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 220, 230));
        p.drawRoundedRect(QRectF(6, 15, 52, 8), 4, 4);
        p.setBrush(QColor(200, 40, 40));
        p.drawPolygon(QPolygonF{{26, 18}, {40, 18}, {30, 32}, {24, 32}});
        p.drawPolygon(QPolygonF{{28, 18}, {38, 18}, {30, 5}, {25, 5}});
        p.drawPolygon(QPolygonF{{6, 17}, {12, 17}, {8, 7}, {4, 7}});
        p.setBrush(QColor(60, 120, 220));
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(QPointF(38 + i * 3.5, 18), 1.2, 1.2);
    }
    return img;
}

QImage clockFace() {
    QImage img(24, 24, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 120), 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.setPen(QPen(QColor(30, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 12), QPointF(12, 5));
    p.drawLine(QPointF(12, 12), QPointF(17, 14));
    return img;
}

QImage trainingSide(qreal scale) {
    QImage img((QSizeF(171, 158) * scale).toSize(), QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillGradient(p, QRectF(0, 0, 171, 158), QColor(40, 80, 160), QColor(20, 120, 130));
    // The keypad's digits fanned as a reminder of the rhyme.
    const QString rows[4] = {QStringLiteral("一横二竖"), QStringLiteral("三点捺"),
                             QStringLiteral("叉四插五"), QStringLiteral("方块六")};
    // The foot of the picture is left plain: the window's "学习记录" button lies there.
    for (int i = 0; i < 4; ++i)
        centredText(p, QRectF(0, 8 + i * 27, 171, 24), rows[i], fonts::kai(20, true),
                    QColor(255, 225, 120));
    return img;
}

} // namespace art
