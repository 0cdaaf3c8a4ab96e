#include "tools/tarvo_art/stroke_data.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

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

} // namespace art
