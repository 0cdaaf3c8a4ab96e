#include "tools/tarvo_art/stroke_data.h"

#include <QFile>
#include <QLineF>
#include <QPolygonF>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cmath>

namespace art {

namespace {

constexpr qreal kBoxTop = 900, kBoxSize = 1024;
constexpr qint64 kMaxFileBytes = 1 << 20; // the largest character is about 30 KB

} // namespace

QPainterPath parseSvgPath(const QString& d) {
    const QStringList t = d.split(u' ', Qt::SkipEmptyParts);
    QPainterPath path;
    auto number = [&](qsizetype i, bool* ok) { return t.value(i).toDouble(ok); };
    qsizetype i = 0;
    while (i < t.size()) {
        const QString op = t[i++];
        const int args = op == u"M" || op == u"L" ? 2 : op == u"Q" ? 4 : op == u"C" ? 6 : 0;
        if (op == u"Z") {
            path.closeSubpath();
            continue;
        }
        if (args == 0 || i + args > t.size())
            return {};
        qreal v[6];
        for (int k = 0; k < args; ++k) {
            bool ok = false;
            v[k] = number(i + k, &ok);
            if (!ok)
                return {};
        }
        i += args;
        if (op == u"M")
            path.moveTo(v[0], v[1]);
        else if (op == u"L")
            path.lineTo(v[0], v[1]);
        else if (op == u"Q")
            path.quadTo(v[0], v[1], v[2], v[3]);
        else
            path.cubicTo(v[0], v[1], v[2], v[3], v[4], v[5]);
    }
    return path;
}

CharacterStrokes readStrokes(const QString& folder, const QString& character) {
    QFile f(folder + u'/' + character + QStringLiteral(".json"));
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxFileBytes)
        return {};
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    const QJsonArray strokes = o.value(u"strokes").toArray();
    const QJsonArray medians = o.value(u"medians").toArray();
    if (strokes.isEmpty() || strokes.size() != medians.size())
        return {};
    CharacterStrokes out;
    for (qsizetype s = 0; s < strokes.size(); ++s) {
        const QPainterPath path = parseSvgPath(strokes[s].toString());
        if (path.isEmpty())
            return {};
        out.outlines << path;
        QList<QPointF> line;
        for (const QJsonValue& p : medians[s].toArray())
            line << QPointF(p.toArray().at(0).toDouble(), p.toArray().at(1).toDouble());
        out.medians << line;
    }
    return out;
}

QTransform strokeBoxTo(const QRectF& square) {
    const qreal k = square.width() / kBoxSize;
    // y' = top + (900 - y) * k
    return QTransform(k, 0, 0, -square.height() / kBoxSize, square.left(),
                      square.top() + kBoxTop * square.height() / kBoxSize);
}

namespace {

// Drops the points of `line` that lie within `tolerance` of the line
// between the points kept around them (Douglas and Peucker).
void simplify(const QPolygonF& line, qsizetype from, qsizetype to, qreal tolerance,
              QList<bool>& keep) {
    if (to <= from + 1)
        return;
    const QLineF chord(line[from], line[to]);
    qreal farthest = -1;
    qsizetype at = from;
    for (qsizetype i = from + 1; i < to; ++i) {
        const QPointF d = chord.p2() - chord.p1();
        const qreal length = std::hypot(d.x(), d.y());
        const QPointF v = line[i] - chord.p1();
        const qreal distance = length > 0 ? std::abs(d.x() * v.y() - d.y() * v.x()) / length
                                          : std::hypot(v.x(), v.y());
        if (distance > farthest) {
            farthest = distance;
            at = i;
        }
    }
    if (farthest <= tolerance)
        return;
    keep[at] = true;
    simplify(line, from, at, tolerance, keep);
    simplify(line, at, to, tolerance, keep);
}

} // namespace

QByteArray outlineLine(const QString& character, const CharacterStrokes& strokes) {
    const QTransform t = strokeBoxTo(QRectF(0, 0, 128, 128));
    QByteArray line = character.toUtf8() + '\t';
    for (qsizetype s = 0; s < strokes.outlines.size(); ++s) {
        if (s > 0)
            line += ';';
        const QPolygonF polygon = strokes.outlines[s].toFillPolygon(t);
        QList<bool> keep(polygon.size(), false);
        if (!polygon.isEmpty()) {
            keep.front() = keep.back() = true;
            simplify(polygon, 0, polygon.size() - 1, 0.5, keep);
        }
        QPoint last(-1, -1);
        bool first = true;
        for (qsizetype i = 0; i < polygon.size(); ++i) {
            const QPoint p = polygon[i].toPoint();
            if (!keep[i] || p == last)
                continue;
            last = p;
            if (!first)
                line += ' ';
            first = false;
            line += QByteArray::number(p.x()) + ' ' + QByteArray::number(p.y());
        }
    }
    line += '\n';
    return line;
}

} // namespace art
