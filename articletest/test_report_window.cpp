#include "test_report_window.h"

#include "window_setup.h"

#include <QPlainTextEdit>

TForm_result* Form_result = nullptr;

TForm_result::TForm_result(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("测试报告"), 420, 360, Frame::Dialog);
    showPendingNote(this);
    Mresult = new QPlainTextEdit(this);
    Mresult->setReadOnly(true);
    Mresult->setGeometry(20, 200, 380, 140);
}
