#include "training/stroke_outlines.h"

#include <QFile>
#include <QPainter>
#include <QPolygonF>
#include <QStringList>

namespace training {

QPainterPath parseOutline(const QString& d) {
    const QStringList t = d.split(u' ', Qt::SkipEmptyParts);
    if (t.size() < 6 || t.size() % 2 != 0)
        return {};
    QPolygonF polygon;
    for (qsizetype i = 0; i < t.size(); i += 2) {
        bool okX = false, okY = false;
        const int x = t[i].toInt(&okX), y = t[i + 1].toInt(&okY);
        if (!okX || !okY || x < 0 || y < 0 || x > kStrokeBox || y > kStrokeBox)
            return {};
        polygon << QPointF(x, y);
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

QList<QPainterPath> strokeOutlines(const QString& file, const QString& character) {
    if (character.isEmpty())
        return {};
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray key = character.toUtf8() + '\t';
    while (!f.atEnd()) {
        const QByteArray line = f.readLine();
        if (!line.startsWith(key))
            continue;
        QList<QPainterPath> out;
        const QString strokes = QString::fromUtf8(line.mid(key.size()).trimmed());
        for (const QString& s : strokes.split(u';')) {
            const QPainterPath p = parseOutline(s);
            if (p.isEmpty())
                return {};
            out << p;
        }
        return out;
    }
    return {};
}

QImage drawStrokes(const QList<QPainterPath>& strokes, int lit, int size) {
    if (strokes.isEmpty() || size <= 0)
        return {};
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(qreal(size) / kStrokeBox, qreal(size) / kStrokeBox);
    p.setPen(Qt::NoPen);
    for (qsizetype s = 0; s < strokes.size(); ++s) {
        p.setBrush(s == lit ? QColor::fromRgb(kLitStroke) : QColor(64, 64, 64));
        p.drawPath(strokes[s]);
    }
    return image;
}

} // namespace training
