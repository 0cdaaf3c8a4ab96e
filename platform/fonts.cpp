#include "platform/fonts.h"

#include <QFontMetrics>
#include <QStringList>

namespace fonts {
namespace {
QFont make(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
} // namespace

QFont song(int px, bool bold) {
    return make({"AR PL UMing CN", "AR PL UMing TW", "WenQuanYi Zen Hei", "Droid Sans Fallback"},
                px, bold);
}
QFont kai(int px, bool bold) {
    return make({"AR PL UKai CN", "AR PL UKai TW", "AR PL UMing CN", "WenQuanYi Zen Hei"}, px,
                bold);
}
QFont hei(int px, bool bold) {
    return make({"WenQuanYi Zen Hei", "WenQuanYi Zen Hei Sharp", "Droid Sans Fallback"}, px, bold);
}
QFont sans(int px, bool bold) {
    return make({"Liberation Sans", "DejaVu Sans", "WenQuanYi Zen Hei"}, px, bold);
}

QFont fitting(QFont font, const QString& text, int width, int minPixelSize) {
    while (font.pixelSize() > minPixelSize && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}
} // namespace fonts
