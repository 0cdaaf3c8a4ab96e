#include "top_ten_window.h"

#include "window_setup.h"

Thighscore* highscore = nullptr;

Thighscore::Thighscore(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("前十名英雄榜"), 320, 300, Frame::Dialog);
    showPendingNote(this);
}
