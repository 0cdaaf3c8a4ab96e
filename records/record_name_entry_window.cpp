#include "record_name_entry_window.h"

#include "window_setup.h"

TFPhbin* FPhbin = nullptr;

TFPhbin::TFPhbin(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("提示"), 300, 150, Frame::Dialog);
    showPendingNote(this);
}
