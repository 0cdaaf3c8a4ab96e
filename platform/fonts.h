#pragma once

#include <QFont>

// The program's Chinese fonts, each as a family list with fallbacks:
// 宋体 (AR PL UMing), 楷体 (AR PL UKai), 黑体 (WenQuanYi Zen Hei).
namespace fonts {
QFont song(int pixelSize, bool bold = false);
QFont kai(int pixelSize, bool bold = false);
QFont hei(int pixelSize, bool bold = false);
QFont sans(int pixelSize, bool bold = false); // Arial
} // namespace fonts
