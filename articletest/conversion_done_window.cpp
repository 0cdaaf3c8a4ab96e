#include "conversion_done_window.h"

#include "window_setup.h"

TForm_change* Form_change = nullptr;

TForm_change::TForm_change(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("转换完毕"), 300, 140, Frame::Dialog);
    showPendingNote(this);
}
