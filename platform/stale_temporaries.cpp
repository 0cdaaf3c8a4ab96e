#include "platform/stale_temporaries.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

QStringList removeStaleTemporaries(const QString& folder, const QStringList& names,
                                   std::chrono::seconds olderThan) {
    QStringList removed;
    const QDir dir(folder);
    const QDateTime cutoff = QDateTime::currentDateTimeUtc().addSecs(-olderThan.count());
    for (const QString& name : names) {
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(name) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
        const QFileInfoList found =
            dir.entryInfoList({name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
        for (const QFileInfo& info : found) {
            if (!pattern.match(info.fileName()).hasMatch() || info.isSymLink())
                continue;
            if (info.lastModified().toUTC() >= cutoff)
                continue;
            if (QFile::remove(info.absoluteFilePath()))
                removed << info.fileName();
        }
    }
    return removed;
}
