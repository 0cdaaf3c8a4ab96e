#pragma once

#include <QString>
#include <QStringList>

#include <chrono>

// The program writes its score files through a temporary file beside each
// ("record.dat.XXXXXX": the name, a dot and six letters or digits) that is
// renamed over the file when complete. A program killed at the last step
// leaves that temporary behind; this removes such leftovers of our own.
//
// Removes, in `folder`, the regular files named after one of `names` followed
// by a dot and six letters or digits that were last written more than
// `olderThan` ago (a younger one may belong to another copy of the program
// that is writing right now). Returns the names removed. Never throws; a file
// that cannot be removed stays.
QStringList removeStaleTemporaries(const QString& folder, const QStringList& names,
                                   std::chrono::seconds olderThan = std::chrono::seconds(60));
