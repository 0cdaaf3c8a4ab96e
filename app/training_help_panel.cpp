#include "training_help_panel.h"

#include "fonts.h"
#include "window_setup.h"

#include <QFrame>
#include <QTextEdit>
#include <QVBoxLayout>

TFormSM* FormSM = nullptr;

TFormSM::TFormSM(QWidget* parent) : QWidget(parent) {
    setupWindow(this, QString(), 473, 353, Frame::Borderless, true, Placement::ByCaller);
    auto* panel = new QFrame(this);
    panel->setGeometry(0, 0, 473, 353);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setStyleSheet(QStringLiteral("QFrame { background: #c0c0c0; }"));
    RichEdit1 = new QTextEdit(panel);
    RichEdit1->setGeometry(2, 2, 469, 349);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFont(fonts::song(16));
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setStyleSheet(QStringLiteral("QTextEdit { background: #ffffe1; border: none; }"));
    RichEdit1->setPlainText(initialText());
}
