#pragma once

#include <QApplication>

// The application object. Its event delivery is the last net of the error
// handler: an exception that escapes an event handler is shown in a message
// box and the program goes on with the next event. It speaks Chinese, also in
// Qt's own dialogs.
class TarvoApplication : public QApplication {
public:
    TarvoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
