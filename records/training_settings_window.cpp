#include "training_settings_window.h"

#include "window_setup.h"

Tform_sz* Form_sz = nullptr;

Tform_sz::Tform_sz(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("设置"), 419, 318, Frame::Dialog, true);
    showPendingNote(this);
}
