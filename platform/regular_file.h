#pragma once

#include <QByteArray>
#include <QString>

// Reading the program's files without waiting and without surprises:
// - only a regular file is read; a FIFO, a device or a socket is refused at
//   once (it is opened without waiting for a writer), a folder is refused too;
// - a file above the caller's limit is refused by its size before anything
//   is read, and never more than the limit is read, even when the file grows.
// Reasons are Chinese, for the learner's messages.
namespace regularfile {

struct Contents {
    enum class Status {
        Read,    // `bytes` holds the file (or its last part, see readTail)
        Missing, // no such file
        Refused, // not a regular file, too large, or not readable: see `reason`
    };
    Status status = Status::Missing;
    QByteArray bytes;
    qint64 size = 0; // the file's size when it was opened
    QString reason;  // why it was not read, for Missing and Refused
    bool ok() const { return status == Status::Read; }
};

// Reads the whole file when it holds at most `maxBytes`.
Contents read(const QString& path, qint64 maxBytes);

// Reads the last `maxBytes` of the file (all of it when it is smaller); the
// file's size tells whether an earlier part was left out.
Contents readTail(const QString& path, qint64 maxBytes);

// Opens the file for appending, creating it when it is missing, without
// waiting on a FIFO. Returns the open descriptor, or -1 with `reason` set.
int openForAppend(const QString& path, QString& reason);

// The reason a file of this type (st_mode) is not read or written: a folder,
// or a FIFO, a device or a socket.
QString notRegularReason(unsigned mode);

// The reason a symbolic link in a file's place is not written through: the
// program writes the learner's files only where they are, never where a link
// planted beside them points.
QString linkReason();

// The reason for a file larger than `limit`: both sizes, in units a person reads.
QString tooLargeReason(qint64 size, qint64 limit);

// A size in bytes as a person reads it: "900 字节", "12 KB", "3.5 MB".
QString sizeText(qint64 bytes);

// The path as messages name it: absolute and clean, so the learner can find
// the file whatever the working folder is.
QString fullPath(const QString& path);

// The data path `relative` ("hzlib/z1.txt") in `folder` (the program folder
// a window or core was given); with no folder, `relative` as it is.
QString inFolder(const QString& folder, const QString& relative);

} // namespace regularfile
