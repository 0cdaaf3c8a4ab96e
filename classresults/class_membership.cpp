#include "classresults/class_membership.h"

#include "platform/regular_file.h"
#include "platform/safe_write.h"
#include "platform/user_error.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace classmembership {

namespace {

constexpr qint64 kMaxBytes = 16 * 1024;

UserError damaged(const QString& path, const QString& why) {
    return UserError(QStringLiteral("班级设置文件 %1 %2，请删除它后重新加入班级。")
                         .arg(regularfile::fullPath(path), why));
}

} // namespace

QString learnersPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tarvo/") + QLatin1String(kFileName);
}

std::optional<ClassMembership> read(const QString& path) {
    const regularfile::Contents file = regularfile::read(path, kMaxBytes);
    if (file.status == regularfile::Contents::Status::Missing)
        return std::nullopt;
    if (!file.ok())
        throw UserError(
            QStringLiteral("无法读取文件 %1：%2").arg(regularfile::fullPath(path), file.reason));
    const QJsonObject o = QJsonDocument::fromJson(file.bytes).object();
    ClassMembership m;
    m.server = QUrl(o.value(QStringLiteral("server")).toString(), QUrl::StrictMode);
    m.code = o.value(QStringLiteral("code")).toString();
    m.className = o.value(QStringLiteral("class")).toString();
    m.name = o.value(QStringLiteral("name")).toString();
    m.token = o.value(QStringLiteral("token")).toString();
    const QString scheme = m.server.scheme();
    if (!m.server.isValid() || m.server.host().isEmpty() ||
        (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")) ||
        m.code.isEmpty() || m.token.isEmpty())
        throw damaged(path, QStringLiteral("内容不完整"));
    return m;
}

void write(const QString& path, const ClassMembership& m) {
    const QJsonObject o{{QStringLiteral("server"), m.server.toString()},
                        {QStringLiteral("code"), m.code},
                        {QStringLiteral("class"), m.className},
                        {QStringLiteral("name"), m.name},
                        {QStringLiteral("token"), m.token}};
    safewrite::replaceFile(path, QJsonDocument(o).toJson(), QStringLiteral("班级设置文件"),
                           safewrite::Readers::OwnerOnly);
}

void forget(const QString& path) {
    QFile file(path);
    if (file.exists() && !file.remove())
        throw UserError(QStringLiteral("无法删除班级设置文件 %1：%2")
                            .arg(regularfile::fullPath(path), file.errorString()));
}

QUrl serverOf(const QUrl& pageAddress) {
    QUrl server;
    server.setScheme(pageAddress.scheme());
    server.setHost(pageAddress.host());
    server.setPort(pageAddress.port());
    return server;
}

QUrl classPage(const ClassMembership& m, int lxid) {
    QUrl page = m.server;
    page.setPath(QStringLiteral("/class/") + m.code);
    page.setQuery(QStringLiteral("lxid=%1").arg(lxid));
    return page;
}

} // namespace classmembership
