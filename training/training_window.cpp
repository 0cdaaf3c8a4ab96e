#include "training_window.h"

#include "window_setup.h"

#include <QDir>
#include <QPushButton>
#include <QTimer>

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("字词训练窗口"), 843, 620, Frame::Dialog);
    showPendingNote(this);
    SBtnStart = new QPushButton(QStringLiteral("开始"), this);
    SBtnStart->setGeometry(700, 560, 100, 32);
    BitBtn1 = new QPushButton(QStringLiteral("编码图解"), this);
    BitBtn1->setGeometry(700, 500, 100, 32);
    BitBtn1->hide();
    Timer1 = new QTimer(this);
    Timer1->setInterval(1200);
    Timer3 = new QTimer(this);
    Timer3->setInterval(1000);
}

void TForm1::showEvent(QShowEvent* event) {
    // Data paths of the training are relative to the program folder.
    if (!HomeDir.isEmpty())
        QDir::setCurrent(HomeDir);
    QDialog::showEvent(event);
}
