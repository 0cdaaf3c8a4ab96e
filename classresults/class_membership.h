#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The learner's place in a class of the results service, kept in
// "class.json" in the learner's own settings folder ($XDG_CONFIG_HOME/tarvo/),
// readable by the learner alone: it holds the key the service gave at the
// join, which stands for the learner and is never shown or logged.
struct ClassMembership {
    QUrl server;       // the service, e.g. http://school.example:8080
    QString code;      // the class's join code
    QString className; // as the service named it
    QString name;      // the learner's name in the class
    QString token;     // the learner's key
};

namespace classmembership {

inline constexpr const char* kFileName = "class.json";

// The learner's own: $XDG_CONFIG_HOME/tarvo/class.json.
QString learnersPath();

// The membership kept in `path`; nullopt when there is no such file. Throws
// UserError naming the file when it cannot be read or is not a membership.
std::optional<ClassMembership> read(const QString& path);
// Writes it whole, readable by its owner alone. Throws UserError naming the file.
void write(const QString& path, const ClassMembership& membership);
// Forgets the class: the file is removed. Throws UserError naming the file.
void forget(const QString& path);

// The service's address from an address of its pages ("Server.ini"'s, such
// as http://host:8080/tvm.asp?lxid=4): its scheme, host and port only.
QUrl serverOf(const QUrl& pageAddress);
// The class's page of results of kind `lxid`.
QUrl classPage(const ClassMembership& membership, int lxid);

} // namespace classmembership
