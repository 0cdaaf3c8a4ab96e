#pragma once

#include <QString>

// A damaged file the program cannot use is never deleted: it is renamed to
// "<name>.damaged" (".damaged.2", … when that name is taken, so earlier
// copies are kept) for the learner to look at, and the program starts afresh.
namespace damagedcopy {

struct Moved {
    QString copy;   // the full path of the copy; empty when the file stayed
    QString reason; // why it stayed, in Chinese
    bool ok() const { return !copy.isEmpty(); }
};

// Renames the file at `path` to the first free name of its damaged copies.
Moved setAside(const QString& path);

} // namespace damagedcopy
