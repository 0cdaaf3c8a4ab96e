#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's general error handler: an error raised while an event is
// handled is shown in a message box, and the program goes on with the next
// event. Event handlers run their bodies through guarded().
namespace errors {

// Shows `message` to the learner (a message box unless a test replaced it).
void report(QWidget* parent, const QString& message);

// Replaces how errors are shown; an empty function restores the message box.
using Reporter = std::function<void(QWidget* parent, const QString& message)>;
void setReporter(Reporter reporter);

// The message for any exception: its own text for the program's errors
// (UserError, DictionaryError), a general Chinese text otherwise.
QString messageOf(const std::exception& e);

// Runs `body`; an exception it throws is reported and stops only this event.
template <typename Body> void guarded(QWidget* parent, Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        report(parent, messageOf(e));
    } catch (...) {
        report(parent, QStringLiteral("程序遇到了未知的错误。"));
    }
}

} // namespace errors
