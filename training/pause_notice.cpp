#include "training/pause_notice.h"

#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

TFormstop* Formstop = nullptr;

TFormstop::TFormstop(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("暂停"), 337, 177, Frame::DialogNoClose);
    setFont(fonts::song(12));

    auto* label1 = new QLabel(QStringLiteral("暂停训练"), this);
    label1->setFont(fonts::hei(21, true));
    label1->setStyleSheet(QStringLiteral("color: red;"));
    label1->setAlignment(Qt::AlignCenter);
    label1->setGeometry(0, 16, 337, 30);

    auto* label2 = new QLabel(QStringLiteral("你可以作片刻休息，不会影响你的训练速度"), this);
    label2->setAlignment(Qt::AlignCenter);
    label2->setGeometry(0, 62, 337, 20);

    auto* label4 = new QLabel(QStringLiteral("按“继续”键可继续训练"), this);
    label4->setAlignment(Qt::AlignCenter);
    label4->setGeometry(0, 88, 337, 20);

    BitBtn1 = new QPushButton(QStringLiteral("继续"), this);
    BitBtn1->setGeometry(128, 128, 81, 30);
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormstop::closeEvent(QCloseEvent* event) {
    // Only "继续" ends the pause; it hides the window through accept().
    if (result() != QDialog::Accepted)
        event->ignore();
}
