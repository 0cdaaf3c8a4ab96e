#pragma once

#include <functional>

class QWidget;

// Runs `then` once, at the turn of the event loop after `window` has been
// painted for the first time.
void afterFirstPaint(QWidget* window, std::function<void()> then);

// For start-up measurements, after the first paint of the start screen: the
// program ends there when the environment variable TARVO_QUIT_AFTER_FIRST_PAINT
// is "1", after the other windows have been made when it is "ready", and
// once the plan line has read the history when it is "plan". `stage` is
// "painted", "ready" or "plan". Returns whether the program is ending.
// ("modules" goes on to load the modules loaded at their first use, and ends
// with 0 when they load.)
bool quitHereWhenAsked(const char* stage);
