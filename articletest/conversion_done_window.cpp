#include "articletest/conversion_done_window.h"

#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QLabel>
#include <QPushButton>

TForm_change* Form_change = nullptr;

TForm_change::TForm_change(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("转换完毕"), 300, 140, Frame::Dialog);
    setFont(fonts::song(14));
    Label1 = new QLabel(this);
    Label1->setGeometry(0, 18, 300, 24);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel(QStringLiteral("你想用该文章进行测试吗？"), this);
    Label2->setGeometry(0, 50, 300, 24);
    Label2->setAlignment(Qt::AlignCenter);
    BitBtnok = new QPushButton(QStringLiteral("确定"), this);
    BitBtnok->setGeometry(50, 94, 90, 30);
    BitBtnok->setDefault(true);
    BitBtn1 = new QPushButton(QStringLiteral("否"), this);
    BitBtn1->setGeometry(160, 94, 90, 30);
    connect(BitBtnok, &QPushButton::clicked, this, [this] {
        UseConverted = true;
        accept();
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        UseConverted = false;
        reject();
    });
}
