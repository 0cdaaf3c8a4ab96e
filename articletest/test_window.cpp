#include "test_window.h"

#include "window_setup.h"

#include <QDir>

Tform_test* form_test = nullptr;

Tform_test::Tform_test(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("Tarvo码文章练习"), 837, 613, Frame::Dialog);
    showPendingNote(this);
}

void Tform_test::showEvent(QShowEvent* event) {
    // Data paths of the test ("hzlib/…", "files/…") are relative to the program folder.
    if (!HomeDir.isEmpty())
        QDir::setCurrent(HomeDir);
    QDialog::showEvent(event);
}
