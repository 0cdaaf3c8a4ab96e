#include "app/tarvo_application.h"

#include "platform/chinese_translations.h"
#include "platform/error_report.h"
#include "platform/window_setup.h"

#include <QWidget>

TarvoApplication::TarvoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Names the learner's data folder: $XDG_DATA_HOME/tarvo.
    setApplicationName(QStringLiteral("tarvo"));
    setOrganizationName(QString());
    // The desktop groups every window under the menu entry (the icon, which
    // loads Qt's SVG libraries, comes with the module windows after the first
    // paint).
    setDesktopFileName(QStringLiteral("org.tarvo.tutor"));
    installChineseTranslations();
    keepStyleReadable(*this);
}

bool TarvoApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    errors::guarded(qobject_cast<QWidget*>(receiver),
                    [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
