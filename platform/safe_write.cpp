#include "platform/safe_write.h"

#include "platform/file_descriptor.h"
#include "platform/file_error_reason.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

namespace safewrite {
namespace {

constexpr int kNameAttempts = 100;

// Writes all of `bytes` from the file's start. 0, or the error.
int writeAll(int fd, QByteArrayView bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done),
                     static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        done += n;
    }
    return 0;
}

// The whole file read from its start; nullopt on a read error.
std::optional<QByteArray> readAll(int fd, qint64 size) {
    QByteArray out(static_cast<qsizetype>(size), '\0');
    qint64 got = 0;
    while (got < size) {
        const ssize_t n =
            ::pread(fd, out.data() + got, static_cast<size_t>(size - got), static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        got += n;
    }
    return out;
}

// Sends the file to the disk and checks that it holds exactly `bytes`.
// 0, or the error.
int flushAndCheck(int fd, QByteArrayView bytes) {
    // A file system that cannot sync (EINVAL) has nothing more to write.
    if (::fsync(fd) != 0 && errno != EINVAL)
        return errno;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    if (st.st_size != bytes.size())
        return EIO;
    const auto back = readAll(fd, st.st_size);
    if (!back || QByteArrayView(*back) != bytes)
        return EIO;
    return 0;
}

// Makes `bytes` the file's contents, flushed and checked. 0, or the first error.
int fill(int fd, QByteArrayView bytes) {
    if (const int err = writeAll(fd, bytes); err != 0)
        return err;
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        return errno;
    return flushAndCheck(fd, bytes);
}

// A new, empty temporary file beside `target`, made with the permissions a
// new file gets (or those of `mode` when it replaces a file).
int makeTemporary(const QString& target, std::optional<mode_t> mode, QString& name) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        QString suffix;
        for (int i = 0; i < 6; ++i)
            suffix += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(62)]);
        name = target + u'.' + suffix;
        const int fd = ::open(QFile::encodeName(name).constData(),
                              O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (mode)
                ::fchmod(fd, *mode & 07777);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

void syncFolder(const QString& target) {
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The reason a temporary file could not be made beside the file.
QString folderReason(int err) {
    switch (err) {
    case ENOENT:
        return QStringLiteral("所在的文件夹不存在");
    case EACCES:
    case EPERM:
        return QStringLiteral("所在的文件夹不能写入（没有访问权限）");
    default:
        return errnoReason(err);
    }
}

struct Failure {
    QString reason;
    bool oldKept = true;
};

// Overwrites the file in place; on a failure its old bytes are put back.
std::optional<Failure> overwrite(const QString& target, QByteArrayView bytes) {
    FileDescriptor fd(::open(QFile::encodeName(target).constData(),
                             O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        return Failure{errnoReason(errno)};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return Failure{errnoReason(errno)};
    const auto old = readAll(fd.get(), st.st_size);
    if (!old)
        return Failure{errnoReason(EIO)};
    const int err = fill(fd.get(), bytes);
    if (err == 0)
        return std::nullopt;
    // The old bytes go back: they never need more room than they had.
    return Failure{errnoReason(err), fill(fd.get(), *old) == 0};
}

std::optional<Failure> replace(const QString& path, QByteArrayView bytes, Readers readers) {
    const QString& target = path;
    const QByteArray targetName = QFile::encodeName(target);
    struct stat st {};
    // A link planted in the file's place would have the learner's bytes
    // written wherever it points.
    if (::lstat(targetName.constData(), &st) == 0 && S_ISLNK(st.st_mode))
        return Failure{regularfile::linkReason()};
    std::optional<mode_t> mode;
    if (::stat(targetName.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return Failure{regularfile::notRegularReason(st.st_mode)};
        if (::access(targetName.constData(), W_OK) != 0)
            return Failure{errnoReason(errno)};
        mode = st.st_mode;
    } else if (errno != ENOENT) {
        return Failure{errnoReason(errno)};
    }

    const bool ownerOnly = readers == Readers::OwnerOnly;
    QString temporary;
    FileDescriptor fd(makeTemporary(
        target, ownerOnly ? std::optional<mode_t>(S_IRUSR | S_IWUSR) : mode, temporary));
    if (fd.get() < 0) {
        const int err = errno;
        // A writable file in a folder that takes no new files.
        if (mode && !ownerOnly && (err == EACCES || err == EPERM))
            return overwrite(target, bytes);
        return Failure{folderReason(err)};
    }
    const QByteArray temporaryName = QFile::encodeName(temporary);
    int err = fill(fd.get(), bytes);
    if (const int closeErr = fd.close(); err == 0)
        err = closeErr;
    if (err == 0 && ::rename(temporaryName.constData(), targetName.constData()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temporaryName.constData());
        return Failure{errnoReason(err)};
    }
    syncFolder(target);
    return std::nullopt;
}

} // namespace

void replaceFile(const QString& path, QByteArrayView bytes, const QString& what, Readers readers) {
    const bool existed = QFileInfo::exists(path);
    const auto failure = replace(path, bytes, readers);
    if (!failure)
        return;
    QString message =
        QStringLiteral("无法写入%1 %2：%3").arg(what, regularfile::fullPath(path), failure->reason);
    if (existed)
        message += failure->oldKept ? QStringLiteral("，原来的文件没有改动")
                                    : QStringLiteral("，原来的内容可能已不完整");
    throw UserError(message + QStringLiteral("。"));
}

} // namespace safewrite
