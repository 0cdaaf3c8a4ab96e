#include "results_address.h"

#include "file_error_reason.h"
#include "profile_ini.h"
#include "user_error.h"

#include <QFile>

std::optional<QString> resultsAddress(const QString& programFolder) {
    const QString path = programFolder + QStringLiteral("Server.ini");
    if (!QFile::exists(path))
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("无法读取文件 %1：%2").arg(path, fileErrorReason(f)));
    const QByteArray bytes = f.readAll();
    auto value =
        readProfileValue(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                         "ServerSetup", "Address");
    return value ? *value : QString::fromLatin1(kDefaultResultsAddress);
}
