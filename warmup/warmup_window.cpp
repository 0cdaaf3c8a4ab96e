#include "warmup_window.h"

#include "window_setup.h"

TFHot* FHot = nullptr;

TFHot::TFHot(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("热身"), 640, 480, Frame::Dialog);
    showPendingNote(this);
}
