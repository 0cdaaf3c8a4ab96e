#include "app/results_address.h"

#include "platform/profile_ini.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"

std::optional<QString> resultsAddress(const QString& programFolder, const QString& configFolder) {
    QString path = programFolder + QStringLiteral("Server.ini");
    auto file = regularfile::read(path, kMaxServerIniBytes);
    if (!configFolder.isEmpty()) {
        const QString own = configFolder + QStringLiteral("Server.ini");
        auto ownFile = regularfile::read(own, kMaxServerIniBytes);
        if (ownFile.status != regularfile::Contents::Status::Missing) {
            path = own;
            file = std::move(ownFile);
        }
    }
    if (file.status == regularfile::Contents::Status::Missing)
        return std::nullopt;
    if (!file.ok())
        throw UserError(
            QStringLiteral("无法读取文件 %1：%2").arg(regularfile::fullPath(path), file.reason));
    auto value = readProfileValue(
        std::string_view(file.bytes.constData(), static_cast<size_t>(file.bytes.size())),
        "ServerSetup", "Address");
    return value ? *value : QString::fromLatin1(kDefaultResultsAddress);
}

std::optional<QUrl> webAddress(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))
        return std::nullopt;
    return url;
}
