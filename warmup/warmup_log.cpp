#include "warmup/warmup_log.h"

#include "platform/file_error_reason.h"
#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"

#include <unistd.h>

#include <cerrno>

namespace warmuplog {

QString line(const QString& date, const QString& name, const QString& timeText,
             const QString& scoreText) {
    return date + QStringLiteral(": ") + name + QStringLiteral(" 用时：") + timeText +
           QStringLiteral(" 成绩：") + scoreText;
}

void append(const QString& path, const QString& text) {
    std::string bytes = gbk::fromUnicodeLossy(text) + "\r\n";
    // A log cut off inside its last line gets the line end first, so the
    // new result stands on a line of its own.
    const auto last = regularfile::readTail(path, 1);
    if (last.ok() && !last.bytes.isEmpty() && last.bytes.back() != '\n')
        bytes.insert(0, "\r\n");
    QString reason;
    const int fd = regularfile::openForAppend(path, reason);
    if (fd < 0)
        throw UserError(
            QStringLiteral("无法打开排行文件 %1：%2").arg(regularfile::fullPath(path), reason));
    // One write call, so a crash cannot leave half a line; a short write (a
    // full disk) is taken back.
    const off_t end = ::lseek(fd, 0, SEEK_END);
    ssize_t written;
    do
        written = ::write(fd, bytes.data(), bytes.size());
    while (written < 0 && errno == EINTR);
    int err = 0;
    if (written < 0)
        err = errno;
    else if (written != static_cast<ssize_t>(bytes.size()))
        err = ENOSPC;
    if (err != 0 && written > 0 && end >= 0 && ::ftruncate(fd, end) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        throw UserError(QStringLiteral("无法写入排行文件 %1：%2")
                            .arg(regularfile::fullPath(path), errnoReason(err)));
}

std::optional<Shown> read(const QString& path) {
    const auto file = regularfile::readTail(path, kShownBytes);
    if (file.status == regularfile::Contents::Status::Missing)
        return std::nullopt;
    if (!file.ok())
        throw UserError(QStringLiteral("无法读取排行文件 %1：%2")
                            .arg(regularfile::fullPath(path), file.reason));
    std::string_view bytes(file.bytes.constData(), static_cast<size_t>(file.bytes.size()));
    Shown shown;
    shown.earlierLeftOut = file.size > file.bytes.size();
    if (shown.earlierLeftOut) {
        // The cut falls inside a line: start at the next whole one.
        const size_t eol = bytes.find('\n');
        bytes = eol == std::string_view::npos ? std::string_view() : bytes.substr(eol + 1);
    }
    QString text = gbk::toUnicode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.lines = text.split(u'\n');
    if (!shown.lines.isEmpty() && shown.lines.last().isEmpty())
        shown.lines.removeLast();
    return shown;
}

} // namespace warmuplog
