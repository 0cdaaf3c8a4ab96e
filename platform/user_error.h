#pragma once

#include <QString>

#include <stdexcept>

// An error to show the learner: a Chinese message that names the file
// concerned. Thrown by event handlers; the error handler shows it.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};
