#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The log of warm-up results, "files/record.txt" in the program folder: one
// GBK line per result, ended by CR LF, in the order they were added.
namespace warmuplog {

// "<date>: <name> 用时：<seconds> 成绩：<score>"
QString line(const QString& date, const QString& name, const QString& timeText,
             const QString& scoreText);

// Appends one line as a single write, so a crash cannot leave half a line.
// Throws UserError naming the file when it cannot be opened or written.
void append(const QString& path, const QString& line);

// The lines of the log, or nullopt when there is no log yet. Throws
// UserError naming the file when it exists but cannot be read.
std::optional<QStringList> read(const QString& path);

} // namespace warmuplog
