#include "key_hold.h"

#include <QCoreApplication>
#include <QEvent>

KeyHold::KeyHold(std::chrono::milliseconds length) : length_(length) {
    since_.start();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

KeyHold::~KeyHold() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool KeyHold::holding() const {
    return since_.elapsed() < length_.count();
}

bool KeyHold::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        if (holding())
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
