#pragma once

#include <QByteArrayView>
#include <QString>

// Every file the program writes whole (the score files, the CSV export of the
// learning history, converted test files, compiled dictionaries) is written
// here, so that no write can leave a file short or report a success that did
// not happen:
//
// 1. a temporary file beside it ("<name>.XXXXXX": six letters or digits,
//    which removeStaleTemporaries knows) receives the bytes;
// 2. it is flushed to the disk and read back: its size and every byte must be
//    what was written (a full disk often fails only at this point);
// 3. only then is it renamed over the file, which keeps its permissions.
// On any failure the temporary file is removed and the old file is untouched.
//
// A file that is writable in a folder that is not (no temporary file can be
// made beside it) is overwritten in place, flushed and read back likewise;
// when that fails its old bytes are written back.
//
// A folder, a FIFO or a device in the file's place, and a file the learner
// made read-only, are never replaced; nor is a symbolic link, which is not
// followed either: a link planted in the file's place is refused by name.
namespace safewrite {

// Who may read the file written: `Anyone` keeps the permissions of the file
// replaced (a new file gets those of any new file); `OwnerOnly` makes it
// readable and writable by its owner alone from its first byte (a file that
// holds a key), and is never written in place.
enum class Readers { Anyone, OwnerOnly };

// Makes `bytes` the whole contents of the file at `path`. Throws UserError,
// having changed nothing, with a Chinese message naming the file by its full
// path: "无法写入<what> <path>：<reason>", and whether the old file was kept.
void replaceFile(const QString& path, QByteArrayView bytes, const QString& what,
                 Readers readers = Readers::Anyone);

} // namespace safewrite
