#include "platform/regular_file.h"

#include "platform/file_descriptor.h"
#include "platform/file_error_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace regularfile {
namespace {

// Opens for reading without waiting and checks that it is a regular file;
// `fd` receives the descriptor when it is.
Contents openChecked(const QString& path, int& fd) {
    Contents c;
    const QByteArray name = QFile::encodeName(path);
    FileDescriptor opened(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (opened.get() < 0) {
        const int err = errno;
        c.status = err == ENOENT ? Contents::Status::Missing : Contents::Status::Refused;
        c.reason = errnoReason(err);
        return c;
    }
    struct stat st {};
    if (::fstat(opened.get(), &st) != 0) {
        c.status = Contents::Status::Refused;
        c.reason = errnoReason(errno);
        return c;
    }
    if (!S_ISREG(st.st_mode)) {
        c.status = Contents::Status::Refused;
        c.reason = notRegularReason(st.st_mode);
        return c;
    }
    c.status = Contents::Status::Read;
    c.size = static_cast<qint64>(st.st_size);
    fd = opened.release();
    return c;
}

// Reads up to `count` bytes from `offset`; false with `reason` on an error.
bool readFrom(int fd, qint64 offset, qint64 count, QByteArray& out, QString& reason) {
    out.resize(static_cast<qsizetype>(count));
    qint64 got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd, out.data() + got, static_cast<size_t>(count - got),
                                  static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            reason = errnoReason(errno);
            return false;
        }
        if (n == 0)
            break; // the file shrank since it was opened
        got += n;
    }
    out.resize(static_cast<qsizetype>(got));
    return true;
}

Contents readPart(const QString& path, qint64 maxBytes, bool tail) {
    int opened = -1;
    Contents c = openChecked(path, opened);
    const FileDescriptor fd(opened);
    if (!c.ok())
        return c;
    if (!tail && c.size > maxBytes) {
        c.status = Contents::Status::Refused;
        c.reason = tooLargeReason(c.size, maxBytes);
        return c;
    }
    // What the file held when it was opened, never more than the limit.
    const qint64 count = std::min(c.size, maxBytes);
    if (!readFrom(fd.get(), c.size - count, count, c.bytes, c.reason)) {
        c.status = Contents::Status::Refused;
        c.bytes.clear();
    }
    return c;
}

} // namespace

Contents read(const QString& path, qint64 maxBytes) {
    return readPart(path, maxBytes, false);
}

Contents readTail(const QString& path, qint64 maxBytes) {
    return readPart(path, maxBytes, true);
}

int openForAppend(const QString& path, QString& reason) {
    const QByteArray name = QFile::encodeName(path);
    // Without O_NONBLOCK, opening a FIFO for writing waits for a reader.
    FileDescriptor fd(
        // A learner's log is private: made readable by its owner only.
        // A symbolic link is not followed (ELOOP).
        ::open(name.constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        const int err = errno;
        // A FIFO without a reader answers "no such device".
        reason = err == ENXIO ? QStringLiteral("这不是普通文件（可能是管道或设备）")
                 : err == ELOOP ? linkReason()
                                : errnoReason(err);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        reason = errnoReason(errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        reason = notRegularReason(st.st_mode);
        return -1;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    return fd.release();
}

QString linkReason() {
    return QStringLiteral("这是一个符号链接，程序不会写进它所指的文件；请先删除或改名它");
}

QString notRegularReason(unsigned mode) {
    if (S_ISDIR(mode))
        return errnoReason(EISDIR);
    return QStringLiteral("这不是普通文件（可能是管道或设备）");
}

QString sizeText(qint64 bytes) {
    constexpr qint64 kKilo = 1024;
    constexpr qint64 kMega = 1024 * 1024;
    if (bytes < kKilo)
        return QStringLiteral("%1 字节").arg(bytes);
    if (bytes < kMega)
        return QStringLiteral("%1 KB").arg(bytes / kKilo);
    const double mega = static_cast<double>(bytes) / static_cast<double>(kMega);
    return QStringLiteral("%1 MB").arg(QString::number(mega, 'f', mega < 10 ? 1 : 0));
}

QString tooLargeReason(qint64 size, qint64 limit) {
    // Sizes that round to the same text are given in bytes.
    const bool same = sizeText(size) == sizeText(limit);
    return QStringLiteral("文件太大（%1，最多 %2）")
        .arg(same ? QStringLiteral("%1 字节").arg(size) : sizeText(size),
             same ? QStringLiteral("%1 字节").arg(limit) : sizeText(limit));
}

QString fullPath(const QString& path) {
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString inFolder(const QString& folder, const QString& relative) {
    return folder.isEmpty() ? relative : QDir(folder).filePath(relative);
}

} // namespace regularfile
