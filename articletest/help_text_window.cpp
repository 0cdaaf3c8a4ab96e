#include "help_text_window.h"

#include "window_setup.h"

Tform_help* form_help = nullptr;

Tform_help::Tform_help(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("说明"), 600, 450, Frame::Dialog);
    showPendingNote(this);
}
