#pragma once

#include <QSize>

#include <optional>

class QWidget;

// The windows have the fixed sizes of their pictures. Under a large scale
// factor (2 on a 1920×1080 screen) the start screen is taller than the
// screen and its bottom row cannot be reached: the program then starts
// again with a scale factor that makes it fit.
namespace screenfit {

// The scale factor to start again with, given the window's size with its
// frame and the screen's room (both in the current scaled pixels), the
// screen's device pixels per scaled pixel and the factor asked for now
// (QT_SCALE_FACTOR, 1 when unset). Nothing when the window fits, or when
// the screen is not scaled up (a smaller factor would not make it sharper,
// only smaller than its pictures). Never below one device pixel a pixel.
std::optional<double> fittingFactor(QSize window, QSize room, double devicePixelRatio,
                                    double askedFactor);

// Before the start screen is first shown: when it does not fit its screen
// under a scale factor, starts the program again (exec, same arguments)
// with one that fits. Once: the program so started goes on as it is.
void startAgainToFit(const QWidget& startScreen, char** argv);

} // namespace screenfit
