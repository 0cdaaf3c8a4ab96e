#include "training/stroke_outlines.h"

#include "platform/regular_file.h"

#include <QDateTime>
#include <QFileInfo>
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

namespace {

// The outline file as last read, kept while its size and time stay: a note
// on every wrong answer does not read six megabytes again.
struct ReadOutlines {
    QString path;
    qint64 size = -1;
    QDateTime modified;
    regularfile::Contents contents;
};

const regularfile::Contents& outlineFile(const QString& file) {
    static ReadOutlines kept;
    const QFileInfo info(file);
    const qint64 size = info.exists() ? info.size() : -1;
    if (kept.path != file || kept.size != size || kept.modified != info.lastModified() ||
        !kept.contents.ok()) {
        kept.path = file;
        kept.size = size;
        kept.modified = info.lastModified();
        kept.contents = regularfile::read(file, kMaxStrokeOutlineBytes);
    }
    return kept.contents;
}

} // namespace

QList<QPainterPath> strokeOutlines(const QString& file, const QString& character,
                                   QString* problem) {
    auto fail = [&](const QString& why) {
        if (problem)
            *problem = QStringLiteral("笔画文件 %1 %2，编码说明里不画笔画。")
                           .arg(regularfile::fullPath(file), why);
        return QList<QPainterPath>();
    };
    if (problem)
        problem->clear();
    if (character.isEmpty())
        return {};
    const regularfile::Contents& c = outlineFile(file);
    if (!c.ok())
        return fail(c.status == regularfile::Contents::Status::Missing
                        ? QStringLiteral("没有找到")
                        : QStringLiteral("读不出来（%1）").arg(c.reason));
    const QByteArray key = character.toUtf8() + '\t';
    qsizetype at = c.bytes.startsWith(key) ? 0 : c.bytes.indexOf('\n' + key);
    if (at < 0)
        return {};
    if (at > 0)
        ++at;
    const qsizetype end = c.bytes.indexOf('\n', at);
    const QByteArray line = c.bytes.mid(at, end < 0 ? -1 : end - at);
    QList<QPainterPath> out;
    const QString strokes = QString::fromUtf8(line.mid(key.size()).trimmed());
    for (const QString& s : strokes.split(u';')) {
        const QPainterPath p = parseOutline(s);
        if (p.isEmpty())
            return fail(QStringLiteral("第 %1 行（“%2”的笔画）坏了")
                            .arg(c.bytes.left(at).count('\n') + 1)
                            .arg(character));
        out << p;
    }
    return out;
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
