#include "tools/tarvo_art/review_sheet.h"

#include "platform/fonts.h"
#include "tools/tarvo_art/drawing.h"
#include "tools/tarvo_art/stroke_data.h"

#include <QPainter>

namespace art {

namespace {
constexpr int kCellWidth = 220, kCellHeight = 262, kSquare = 200;
const QColor kStrokeColours[] = {QColor(20, 20, 20),  QColor(200, 40, 40),  QColor(30, 90, 210),
                                 QColor(20, 140, 60), QColor(150, 60, 170), QColor(190, 120, 0)};
} // namespace

QImage reviewSheet(const QString& strokeFolder, const QList<ReviewCell>& cells, int columns,
                   int rows) {
    QImage img(columns * kCellWidth, rows * kCellHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < cells.size() && i < columns * rows; ++i) {
        const QPointF origin((i % columns) * kCellWidth + 10, (i / columns) * kCellHeight + 6);
        const QRectF square(origin, QSizeF(kSquare, kSquare));
        p.setPen(QPen(QColor(190, 190, 190), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(square);
        p.drawLine(QPointF(square.center().x(), square.top()),
                   QPointF(square.center().x(), square.bottom()));
        p.drawLine(QPointF(square.left(), square.center().y()),
                   QPointF(square.right(), square.center().y()));
        const CharacterStrokes s = readStrokes(strokeFolder, cells[i].character);
        const QTransform box = strokeBoxTo(square);
        for (int k = 0; k < s.outlines.size(); ++k) {
            const QColor c = kStrokeColours[k % 6];
            p.fillPath(box.map(s.outlines[k]), QColor(c.red(), c.green(), c.blue(), 150));
        }
        QFont number = fonts::hei(11, true);
        for (int k = 0; k < s.medians.size(); ++k) {
            if (s.medians[k].isEmpty())
                continue;
            const QPointF at = box.map(s.medians[k].first());
            centredText(p, QRectF(at - QPointF(8, 8), QSizeF(16, 16)), QString::number(k), number,
                        kStrokeColours[k % 6].darker(130));
        }
        centredText(p, QRectF(origin.x(), origin.y() + kSquare + 4, kSquare, 48),
                    cells[i].character + u' ' + cells[i].caption, fonts::hei(13, true), Qt::black);
    }
    return img;
}

} // namespace art
