#include "warmup_log.h"

#include "file_error_reason.h"
#include "gbk_codec.h"
#include "user_error.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace warmuplog {

QString line(const QString& date, const QString& name, const QString& timeText,
             const QString& scoreText) {
    return date + QStringLiteral(": ") + name + QStringLiteral(" 用时：") + timeText +
           QStringLiteral(" 成绩：") + scoreText;
}

void append(const QString& path, const QString& text) {
    const std::string bytes = gbk::fromUnicodeLossy(text) + "\r\n";
    const QByteArray name = QFile::encodeName(path);
    std::FILE* f = std::fopen(name.constData(), "ab");
    if (!f)
        throw UserError(QStringLiteral("无法打开排行文件 %1：%2").arg(path, errnoReason(errno)));
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    const int err = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed)
        throw UserError(QStringLiteral("无法写入排行文件 %1：%2").arg(path, errnoReason(err)));
}

std::optional<QStringList> read(const QString& path) {
    QFile f(path);
    if (!f.exists())
        return std::nullopt;
    if (!f.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("无法读取排行文件 %1：%2").arg(path, fileErrorReason(f)));
    const QByteArray bytes = f.readAll();
    QString text =
        gbk::toUnicode(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace warmuplog
