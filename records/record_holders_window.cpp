#include "record_holders_window.h"

#include "window_setup.h"

TFPhb* FPhb = nullptr;

TFPhb::TFPhb(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("记录保持者名单"), 420, 380, Frame::Dialog);
    showPendingNote(this);
}
