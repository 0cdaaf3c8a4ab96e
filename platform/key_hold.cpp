#include "platform/key_hold.h"

#include <QCoreApplication>
#include <QEvent>

KeyHold::KeyHold(std::chrono::milliseconds quiet) : quiet_(quiet) {
    lastKey_.start();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

KeyHold::~KeyHold() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool KeyHold::holding() const {
    return !released_ && lastKey_.elapsed() < quiet_.count();
}

bool KeyHold::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        if (holding()) {
            // A key still coming: the quiet time starts again. (Releases and
            // shortcut checks belong to a press already counted.)
            if (event->type() == QEvent::KeyPress)
                lastKey_.restart();
            return true;
        }
        released_ = true; // once quiet, the hold is over for good
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
