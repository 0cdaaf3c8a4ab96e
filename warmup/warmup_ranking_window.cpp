#include "warmup_ranking_window.h"

#include "window_setup.h"

TFHot_Sort* FHot_Sort = nullptr;

TFHot_Sort::TFHot_Sort(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("成绩排行"), 360, 300, Frame::Dialog);
    showPendingNote(this);
}
