#include "training/training_help_panel.h"

#include "platform/fonts.h"
#include "platform/window_setup.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextEdit>
#include <QVBoxLayout>

TFormSM* FormSM = nullptr;

TFormSM::TFormSM(QWidget* parent) : QWidget(parent) {
    setupWindow(this, QStringLiteral("说明"), 473, 353, Frame::Borderless, true,
                Placement::ByCaller);
    // Shown beside the training without taking its keys.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
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
    RichEdit1->viewport()->installEventFilter(this);
    RichEdit1->installEventFilter(this);
    panel->installEventFilter(this);
}

// A click on the panel closes it and goes on to whatever the panel covered
// there (an exercise button, a tab), as if the panel had not been there.
bool TFormSM::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && keysTo) {
        hide();
        keysTo->activateWindow();
        const auto* key = static_cast<QKeyEvent*>(event);
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), key->text(),
                       key->isAutoRepeat(), static_cast<quint16>(key->count()));
        QWidget* target = keysTo->focusWidget() ? keysTo->focusWidget() : keysTo;
        QApplication::sendEvent(target, &copy);
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(watched, event);
    const auto* press = static_cast<QMouseEvent*>(event);
    const QPointF global = press->globalPosition();
    const Qt::MouseButton button = press->button();
    hide();
    QWidget* below = QApplication::widgetAt(global.toPoint());
    if (below && below->window() != this && below->isEnabled()) {
        const QPointF local = below->mapFromGlobal(global);
        QMouseEvent down(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
        QMouseEvent up(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(below, &down);
        QApplication::sendEvent(below, &up);
    }
    return true;
}
