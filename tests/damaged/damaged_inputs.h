#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <set>
#include <vector>

// One shared set of damaged and unusual files, put in place of any file the
// program reads, and a check that runs a reader over all of them.
namespace damaged {

enum class Kind { Empty, Truncated, RandomBytes, Huge, Folder, Fifo, NoPermission };

struct Input {
    const char* name;
    Kind kind;
};

// Every damaged input, in a fixed order.
const std::vector<Input>& inputs();

// The size of the huge input: a sparse file, so it costs no disk space but
// any reader that reads it whole would take this much memory and time.
constexpr qint64 kHugeBytes = 600LL * 1024 * 1024;
// Random bytes come from this seed, printed with every failure.
constexpr unsigned kSeed = 20261208;

// Puts the damaged form of `good` at `path`, replacing whatever is there:
// the empty file, `good` without its last byte, as many random bytes as
// `good` has (at least 100), a huge file, a folder, a FIFO, a file nobody
// may read. Returns false when the input cannot be made here (no
// permission, when the tests run as root, who reads every file).
bool make(Kind kind, const QString& path, const QByteArray& good);

// Each file and folder under `folder` (recursively, by relative path) with
// its kind, size and contents (contents only of files below 1 MB).
using Snapshot = std::map<QString, QByteArray>;
Snapshot snapshot(const QString& folder);

// What one run of a reader gave: the message the learner saw ("" for none).
using Reader = std::function<QString()>;

struct Expected {
    Kind kind;
    // A text the message must hold; nullptr: no message may appear;
    // "" : either no message or one naming the file.
    const char* says;
};

// Makes each input at `folder`/`relative`, runs `read`, and checks: the
// expected message, which names the file by its full path; the run took
// less than a second; then `after(kind)` (the program goes on); and that no
// file under `folder` changed except `relative` and the names `mayChange`
// returns for the input. Each input is made afresh from a folder where
// `relative` holds `good`.
void checkReader(const QString& folder, const QString& relative, const QByteArray& good,
                 const Reader& read, const std::vector<Expected>& expected,
                 const std::function<void(Kind)>& after = {},
                 const std::function<std::set<QString>(Kind)>& mayChange = {});

} // namespace damaged
