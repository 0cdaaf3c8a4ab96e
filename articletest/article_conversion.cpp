#include "article_conversion.h"

#include "file_error_reason.h"
#include "user_error.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace conversion {

Result convert(std::string_view src, int perLine) {
    Result r;
    std::string& out = r.bytes;
    out.reserve(src.size() + src.size() / 30 + 64);
    int k = 0; // characters on the current line
    int full = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(src.data());
    const size_t n = src.size();
    if (n > 0) {
        unsigned char a = p[0];
        size_t i = 1;
        while (i < n) {
            const unsigned char b = p[i++];
            if (a >= 0xB0 && a <= 0xF0 && b >= 0xA1 && b <= 0xFE) {
                out.push_back(static_cast<char>(a));
                out.push_back(static_cast<char>(b));
                if (++k == perLine) {
                    out += "\r\r";
                    ++full;
                    k = 0;
                }
                if (i < n)
                    a = p[i++];
            } else {
                a = b;
            }
        }
    }
    out.append(static_cast<size_t>(2 * perLine - 2 * k - 1), ' ');
    out += "\r\r \r";
    r.characters = full * perLine + k;
    return r;
}

std::string targetPath(const std::string& source) {
    const size_t keep = source.size() >= 3 ? source.size() - 3 : 0;
    return source.substr(0, keep) + "tvm";
}

Result convertFile(const std::string& sourcePath, std::string* writtenPath) {
    const QString source = QString::fromStdString(sourcePath);
    const std::string target = targetPath(sourcePath);
    if (target == sourcePath)
        throw UserError(
            QStringLiteral("文件 %1 的名字以 tvm 结尾，转换会覆盖它自己。请先把它改名。")
                .arg(source));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("无法读取文件 %1：%2").arg(source, fileErrorReason(in)));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        throw UserError(QStringLiteral("无法读取文件 %1：%2").arg(source, fileErrorReason(in)));
    Result r = convert(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    const QString targetName = QString::fromStdString(target);
    QSaveFile out(targetName);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(r.bytes.data(), static_cast<qint64>(r.bytes.size())) !=
            static_cast<qint64>(r.bytes.size()) ||
        !out.commit())
        throw UserError(
            QStringLiteral("无法写入文件 %1：%2").arg(targetName, fileErrorReason(out)));
    if (writtenPath)
        *writtenPath = target;
    return r;
}

} // namespace conversion
