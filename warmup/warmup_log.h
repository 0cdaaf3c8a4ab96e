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

// Appends one line as a single write, so a crash cannot leave half a line;
// after a log that does not end with a line end, the line starts a new one.
// Throws UserError naming the file when it cannot be opened or written.
void append(const QString& path, const QString& line);

// What the list shows: the last kShownBytes of the log, so a log of any
// size opens at once. Without the cut, a partial first line is left out.
inline constexpr qint64 kShownBytes = 128 * 1024;

struct Shown {
    QStringList lines;
    bool earlierLeftOut = false; // the log is longer than what was read
};

// The last lines of the log, or nullopt when there is no log yet. Throws
// UserError naming the file (full path) when it exists but cannot be read:
// a folder, a FIFO, no permission.
std::optional<Shown> read(const QString& path);

} // namespace warmuplog
