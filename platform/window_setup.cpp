#include "window_setup.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Centres its window the first time it is shown, then removes itself: a
// window shown again stays where it was, so it neither drifts by its frame
// nor jumps back from where the learner moved it.
class CentreOnFirstShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            centreOnScreen(static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void centreOnScreen(QWidget* w) {
    const QScreen* screen = w->screen();
    if (!screen)
        return;
    QRect frame = w->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    w->move(frame.topLeft());
}

void setupWindow(QWidget* w, const QString& caption, int width, int height, Frame frame,
                 bool stayOnTop, Placement placement) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    switch (frame) {
    case Frame::Main:
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint;
        break;
    case Frame::Dialog:
        flags |=
            Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    case Frame::DialogNoClose:
        flags |= Qt::Dialog | Qt::WindowTitleHint;
        break;
    case Frame::Borderless:
        flags = Qt::Tool | Qt::FramelessWindowHint;
        break;
    }
    if (stayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    w->setWindowFlags(flags);
    w->setWindowTitle(caption);
    w->setFixedSize(width, height);
    if (placement == Placement::Centred)
        w->installEventFilter(new CentreOnFirstShow(w));
}

void ownWindow(QWidget* window, QWidget* owner) {
    const Qt::WindowFlags flags = window->windowFlags();
    window->setParent(owner, flags);
}

QLabel* placeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

QPushButton* placeButton(QWidget* parent, const QString& text, int x, int y, int w, int h) {
    auto* b = new QPushButton(text, parent);
    b->setGeometry(x, y, w, h);
    return b;
}

void showPendingNote(QWidget* w) {
    auto* note = new QLabel(QStringLiteral("尚未完成"), w);
    note->setObjectName(QStringLiteral("pendingNote"));
    note->setAlignment(Qt::AlignCenter);
    note->setGeometry(0, 0, w->width(), w->height());
}
