#include "training/encoding_diagram.h"

#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

Tformdelait* formdelait = nullptr;

Tformdelait::Tformdelait(QWidget* parent) : QDialog(parent) {
    // The diagrams (112 × 120) shown twice their size: their stroke names
    // are 9 pixels high, too small to read at their own size; the window
    // wide enough for its whole title.
    setupWindow(this, QStringLiteral("编码图解"), 260, 296, Frame::Dialog);
    Image1 = new QLabel(this);
    Image1->setGeometry(18, 8, 224, 240);
    Image1->setScaledContents(true);
    BitBtn1 = new QPushButton(QStringLiteral("关  闭"), this);
    BitBtn1->setFont(fonts::song(12, true));
    BitBtn1->setGeometry(90, 258, 80, 28);
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
