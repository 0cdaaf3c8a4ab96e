#include "tools/tarvo_art/pictures.h"

#include "platform/fonts.h"
#include "tools/tarvo_art/drawing.h"

#include <QPainter>
#include <QStringList>

namespace art {
namespace {

const QColor kNavy(16, 42, 84);
const QColor kTeal(22, 110, 130);
const QColor kGold(255, 214, 92);

struct Entry {
    QRectF rect;
    const char* label;
};

// The hot areas of the start screen, with the labels drawn under them.
const Entry kEntries[] = {
    {{83, 126, 106, 39}, "Tarvo教程"}, {{83, 186, 106, 39}, "指法热身"},
    {{83, 245, 106, 39}, "字词训练"},  {{83, 304, 106, 39}, "文章练习"},
    {{83, 363, 106, 39}, "在线竞技"},  {{611, 639, 78, 34}, "帮助"},
    {{731, 639, 78, 34}, "关于"},      {{847, 639, 78, 34}, "退出"},
    {{83, 580, 106, 39}, "学习记录"},
};

// A white picture of w × h pixels, drawn at `scale` device pixels a pixel
// (a painter on it draws in the w × h pixels all the same).
QImage canvas(int w, int h, qreal scale = 1) {
    QImage img((QSizeF(w, h) * scale).toSize(), QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    img.fill(Qt::white);
    return img;
}

void previewFrame(QPainter& p, const QString& title, const QColor& accent) {
    fillGradient(p, QRectF(0, 0, 297, 424), QColor(250, 248, 240), QColor(226, 234, 244));
    p.fillRect(QRectF(0, 0, 297, 54), accent);
    centredText(p, QRectF(0, 0, 297, 54), title, fonts::kai(28, true), Qt::white);
    p.setPen(QPen(accent.darker(130), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 294, 421));
}

void previewCourse(QPainter& p) {
    previewFrame(p, QStringLiteral("Tarvo教程"), QColor(176, 60, 40));
    const QStringList rhyme = {QStringLiteral("一横二竖三点捺"), QStringLiteral("叉四插五方块六"),
                               QStringLiteral("七角八八九是小"), QStringLiteral("撇与左钩都是零")};
    for (int i = 0; i < rhyme.size(); ++i)
        centredText(p, QRectF(0, 66 + i * 34, 297, 32), rhyme[i], fonts::kai(24),
                    QColor(60, 30, 20));
    const QStringList shapes = {QStringLiteral("0 撇、左钩"), QStringLiteral("1 横"),
                                QStringLiteral("2 竖"),       QStringLiteral("3 点、捺"),
                                QStringLiteral("4 叉"),       QStringLiteral("5 插"),
                                QStringLiteral("6 方块"),     QStringLiteral("7 角"),
                                QStringLiteral("8 八"),       QStringLiteral("9 小")};
    p.setFont(fonts::song(16));
    p.setPen(QColor(30, 30, 30));
    for (int i = 0; i < shapes.size(); ++i)
        p.drawText(QPointF(40 + (i / 5) * 120, 232 + (i % 5) * 24), shapes[i]);
    p.setPen(QPen(QColor(176, 60, 40), 2));
    p.drawRoundedRect(QRectF(40, 356, 217, 50), 8, 8);
    centredText(p, QRectF(40, 356, 217, 50), QStringLiteral("中 → 5 0 0 0 6"),
                fonts::song(22, true), QColor(176, 60, 40));
}

void previewWarmup(QPainter& p) {
    previewFrame(p, QStringLiteral("指法热身"), QColor(30, 120, 60));
    p.fillRect(QRectF(24, 70, 249, 70), Qt::black);
    const QString digits = QStringLiteral("386029");
    for (int i = 0; i < 6; ++i)
        centredText(p, QRectF(30 + i * 40, 74, 38, 62), digits.mid(i, 1), fonts::sans(46, true),
                    QColor(40, 255, 60));
    drawKeypad(p, QRectF(48, 158, 200, 236), QStringLiteral("6"));
}

void previewTraining(QPainter& p, const coaching::CornerTable& corners) {
    previewFrame(p, QStringLiteral("字词训练"), QColor(40, 80, 160));
    const QString chars = QStringLiteral("的一是在不了有和人这中大为上个国");
    // The codes by the rhyme, from the table the dictionary is made of: the
    // first four digits of the answered ones, the start of the current one's
    // in its box.
    auto codeOf = [&](qsizetype i) {
        const coaching::CornerEntry* e = corners.find(chars.mid(i, 1));
        return e ? e->code : QString();
    };
    constexpr int kCurrent = 6;
    for (int i = 0; i < 16; ++i) {
        const QRectF cell(22 + (i % 4) * 64, 70 + (i / 4) * 84, 60, 78);
        const bool current = i == kCurrent;
        p.setPen(QPen(QColor(120, 140, 180), 1));
        p.setBrush(current ? QColor(255, 236, 150)
                           : (i < kCurrent ? QColor(214, 236, 214) : QColor(255, 255, 255)));
        p.drawRect(cell);
        centredText(p, cell.adjusted(0, 0, 0, -24), chars.mid(i, 1), fonts::kai(36), Qt::black);
        if (i < kCurrent)
            centredText(p, cell.adjusted(0, 52, 0, 0), codeOf(i), fonts::sans(14),
                        QColor(0, 110, 0));
    }
    p.setPen(QPen(Qt::red, 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(100, 398, 97, 20));
    centredText(p, QRectF(100, 398, 97, 20), codeOf(kCurrent).left(3), fonts::sans(14), Qt::black);
}

void previewArticle(QPainter& p) {
    previewFrame(p, QStringLiteral("文章练习"), QColor(120, 50, 140));
    const QStringList lines = {QStringLiteral("床前明月光，"), QStringLiteral("疑是地上霜。"),
                               QStringLiteral("举头望明月，"), QStringLiteral("低头思故乡。")};
    const QStringList typed = {QStringLiteral("床前明月光，"), QStringLiteral("疑是地上双。"),
                               QStringLiteral("举头望"), QString()};
    for (int i = 0; i < lines.size(); ++i) {
        const qreal y = 74 + i * 80;
        p.setFont(fonts::song(28));
        p.setPen(Qt::black);
        p.drawText(QPointF(30, y + 28), lines[i]);
        for (int k = 0; k < typed[i].size(); ++k) {
            const bool wrong = typed[i][k] != lines[i][k];
            p.setPen(wrong ? Qt::red : QColor(0, 0, 220));
            p.drawText(QPointF(30 + k * 29, y + 64), typed[i].mid(k, 1));
        }
    }
    p.fillRect(QRectF(30 + 3 * 29, 74 + 2 * 80 + 38, 29, 32), QColor(0, 120, 215, 90));
}

void previewOnline(QPainter& p) {
    previewFrame(p, QStringLiteral("在线竞技"), QColor(200, 120, 0));
    const QStringList names = {QStringLiteral("王小明"), QStringLiteral("李红"),
                               QStringLiteral("张伟"),   QStringLiteral("刘洋"),
                               QStringLiteral("陈静"),   QStringLiteral("杨帆")};
    const int speeds[] = {96, 88, 81, 77, 70, 64};
    p.setFont(fonts::song(18));
    for (int i = 0; i < names.size(); ++i) {
        const QRectF row(24, 78 + i * 52, 249, 44);
        p.setPen(Qt::NoPen);
        p.setBrush(i % 2 ? QColor(255, 244, 220) : QColor(255, 232, 190));
        p.drawRoundedRect(row, 6, 6);
        p.setPen(QColor(90, 50, 0));
        p.drawText(row.adjusted(12, 0, 0, 0), Qt::AlignVCenter, QStringLiteral("%1").arg(i + 1));
        p.drawText(row.adjusted(50, 0, 0, 0), Qt::AlignVCenter, names[i]);
        p.drawText(row.adjusted(0, 0, -12, 0), Qt::AlignVCenter | Qt::AlignRight,
                   QStringLiteral("%1 字/分").arg(speeds[i]));
    }
    centredText(p, QRectF(0, 392, 297, 24), QStringLiteral("与各地的同学比一比"), fonts::kai(18),
                QColor(120, 60, 0));
}

} // namespace

QImage startBackground(qreal scale) {
    QImage img = canvas(1002, 712, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillGradient(p, QRectF(0, 0, 1002, 712), kNavy, kTeal);
    // Title.
    centredText(p, QRectF(0, 22, 1002, 70), QStringLiteral("Tarvo码输入法教学训练软件"),
                fonts::kai(50, true), kGold);
    centredText(p, QRectF(0, 88, 1002, 28),
                QStringLiteral("一横二竖三点捺，叉四插五方块六，七角八八九是小，撇与左钩都是零"),
                fonts::kai(20), QColor(220, 236, 255));
    // Frame of the preview area.
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawRoundedRect(QRectF(202, 122, 309, 436), 10, 10);
    // Keypad under a hand.
    drawKeypad(p, QRectF(600, 180, 300, 380));
    drawHand(p, QPointF(775, 520), 1.1);
    // The labels of the nine hot areas: the modules and the learning history
    // in gold, help, about and quit in blue.
    for (size_t i = 0; i < std::size(kEntries); ++i) {
        const bool module = i < 5 || i == 8;
        drawPlate(p, kEntries[i].rect, QString::fromUtf8(kEntries[i].label),
                  fonts::kai(module ? 20 : 18, true),
                  module ? QColor(230, 160, 40) : QColor(60, 130, 190), Qt::white);
    }
    return img;
}

QImage preview(int entry, const coaching::CornerTable& corners, qreal scale) {
    QImage img = canvas(297, 424, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (entry) {
    case 1:
        previewCourse(p);
        break;
    case 2:
        previewWarmup(p);
        break;
    case 3:
        previewTraining(p, corners);
        break;
    case 4:
        previewArticle(p);
        break;
    default:
        previewOnline(p);
        break;
    }
    return img;
}

QList<QImage> animationFrames() {
    // The code of 中 typed key by key, then the character appears.
    const QString code = QStringLiteral("50006");
    QList<QImage> frames;
    for (int step = 0; step <= code.size() + 3; ++step) {
        QImage img = canvas(129, 129);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        fillGradient(p, QRectF(0, 0, 129, 129), kNavy, kTeal);
        const int typed = std::min<int>(step, code.size());
        const QString lit = step < code.size() ? code.mid(step, 1) : QString();
        drawKeypad(p, QRectF(8, 36, 113, 88), lit);
        p.fillRect(QRectF(8, 6, 113, 26), Qt::black);
        centredText(p, QRectF(8, 6, 113, 26), code.left(typed), fonts::sans(20, true),
                    QColor(40, 255, 60));
        if (step > code.size()) {
            p.setBrush(QColor(255, 255, 255, 230));
            p.setPen(QPen(kGold, 3));
            p.drawEllipse(QRectF(24, 30, 80, 80));
            centredText(p, QRectF(24, 30, 80, 80), QStringLiteral("中"), fonts::kai(56, true),
                        QColor(176, 30, 20));
        }
        frames.append(img);
    }
    return frames;
}

QImage logo(qreal scale) {
    QImage img = canvas(201, 49, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillGradient(p, QRectF(0, 0, 201, 49), kNavy, kTeal);
    p.setFont(fonts::sans(30, true));
    p.setPen(kGold);
    p.drawText(QRectF(10, 0, 110, 49), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Tarvo"));
    centredText(p, QRectF(112, 0, 80, 49), QStringLiteral("码教学"), fonts::kai(22, true),
                Qt::white);
    return img;
}

QImage digitStrip() {
    QImage img(600, 60, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Seven segments, lit in green, dimmed where off, as on a pocket game.
    static const bool segments[10][7] = {
        {1, 1, 1, 0, 1, 1, 1}, {0, 0, 1, 0, 0, 1, 0}, {1, 0, 1, 1, 1, 0, 1}, {1, 0, 1, 1, 0, 1, 1},
        {0, 1, 1, 1, 0, 1, 0}, {1, 1, 0, 1, 0, 1, 1}, {1, 1, 0, 1, 1, 1, 1}, {1, 0, 1, 0, 0, 1, 0},
        {1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1, 1}};
    // top, upper left, upper right, middle, lower left, lower right, bottom
    const QRectF bars[7] = {{16, 6, 28, 6},  {11, 10, 6, 20}, {43, 10, 6, 20}, {16, 27, 28, 6},
                            {11, 31, 6, 20}, {43, 31, 6, 20}, {16, 48, 28, 6}};
    for (int d = 0; d < 10; ++d) {
        for (int s = 0; s < 7; ++s) {
            p.setPen(Qt::NoPen);
            p.setBrush(segments[d][s] ? QColor(40, 255, 60) : QColor(0, 45, 10));
            p.drawRoundedRect(bars[s].translated(d * 60, 0), 3, 3);
        }
    }
    return img;
}

QImage mark() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 90, 90), 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(9, 1, 6, 16)); // ears
    p.drawEllipse(QRectF(17, 1, 6, 16));
    p.drawEllipse(QRectF(5, 11, 22, 19)); // head
    p.setBrush(QColor(255, 170, 190));
    p.drawEllipse(QRectF(11, 3, 2, 10));
    p.drawEllipse(QRectF(19, 3, 2, 10));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(10, 17, 3.5, 3.5));
    p.drawEllipse(QRectF(18.5, 17, 3.5, 3.5));
    p.setBrush(QColor(255, 120, 150));
    p.drawEllipse(QRectF(14.5, 22, 3, 2.5));
    return img;
}

namespace {
void drawFace(QPainter& p, const QRectF& r, Face f) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 100, 0), 2));
    p.setBrush(QColor(255, 215, 40));
    p.drawEllipse(r.adjusted(2, 2, -2, -2));
    const qreal w = r.width();
    p.setBrush(QColor(60, 40, 0));
    p.setPen(Qt::NoPen);
    if (f == Face::Laugh) {
        p.setPen(QPen(QColor(60, 40, 0), 2.5));
        p.drawArc(QRectF(r.left() + w * 0.22, r.top() + w * 0.3, w * 0.18, w * 0.14), 0, 180 * 16);
        p.drawArc(QRectF(r.left() + w * 0.6, r.top() + w * 0.3, w * 0.18, w * 0.14), 0, 180 * 16);
        p.setBrush(QColor(200, 40, 40));
        p.drawChord(QRectF(r.left() + w * 0.24, r.top() + w * 0.42, w * 0.52, w * 0.4), 180 * 16,
                    180 * 16);
    } else if (f == Face::Cry) {
        p.drawEllipse(QRectF(r.left() + w * 0.28, r.top() + w * 0.3, w * 0.1, w * 0.14));
        p.drawEllipse(QRectF(r.left() + w * 0.62, r.top() + w * 0.3, w * 0.1, w * 0.14));
        p.setPen(QPen(QColor(60, 40, 0), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(r.left() + w * 0.3, r.top() + w * 0.62, w * 0.4, w * 0.25), 0, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 160, 255));
        p.drawEllipse(QRectF(r.left() + w * 0.27, r.top() + w * 0.46, w * 0.08, w * 0.14));
    } else {
        p.drawEllipse(QRectF(r.left() + w * 0.28, r.top() + w * 0.3, w * 0.1, w * 0.14));
        p.drawEllipse(QRectF(r.left() + w * 0.62, r.top() + w * 0.3, w * 0.1, w * 0.14));
        p.setPen(QPen(QColor(60, 40, 0), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(r.left() + w * 0.28, r.top() + w * 0.45, w * 0.44, w * 0.3), 200 * 16,
                  140 * 16);
    }
}
} // namespace

QImage smiley() {
    QImage img(48, 48, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    drawFace(p, QRectF(0, 0, 48, 48), Face::Start);
    return img;
}

QImage face(Face f) {
    QImage img(48, 48, QImage::Format_RGB32);
    img.fill(QColor(192, 192, 192));
    QPainter p(&img);
    drawFace(p, QRectF(0, 0, 48, 48), f);
    return img;
}

} // namespace art
