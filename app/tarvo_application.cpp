#include "tarvo_application.h"

#include "error_report.h"

#include <QWidget>

bool TarvoApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    errors::guarded(qobject_cast<QWidget*>(receiver),
                    [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
