#pragma once

#include <QFont>

// The program's Chinese fonts, each as a family list with fallbacks:
// 宋体 (AR PL UMing), 楷体 (AR PL UKai), 黑体 (WenQuanYi Zen Hei).
namespace fonts {
QFont song(int pixelSize, bool bold = false);
QFont kai(int pixelSize, bool bold = false);
QFont hei(int pixelSize, bool bold = false);
QFont sans(int pixelSize, bool bold = false); // Arial

// `font`, made smaller a pixel at a time (not below `minPixelSize`) until
// `text` fits `width`: a line is drawn whole instead of cut.
QFont fitting(QFont font, const QString& text, int width, int minPixelSize);
} // namespace fonts
