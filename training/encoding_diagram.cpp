#include "training/encoding_diagram.h"

#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

Tformdelait* formdelait = nullptr;

Tformdelait::Tformdelait(QWidget* parent) : QDialog(parent) {
    setupWindow(this, QStringLiteral("编码图解"), 148, 172, Frame::Dialog);
    Image1 = new QLabel(this);
    Image1->setGeometry(18, 8, 112, 120); // the diagrams' own size
    Image1->setScaledContents(true);
    BitBtn1 = new QPushButton(QStringLiteral("关  闭"), this);
    BitBtn1->setFont(fonts::song(12, true));
    BitBtn1->setGeometry(34, 134, 80, 28);
    connect(BitBtn1, &QPushButton::clicked, this, &Tformdelait::BitBtn1Click);
}

void Tformdelait::BitBtn1Click() {
    if (closedByButton)
        closedByButton();
    accept();
}

// Every way of closing.
void Tformdelait::FormClose() {
    if (closed)
        closed();
}

void Tformdelait::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        FormClose();
    QDialog::hideEvent(event);
}
