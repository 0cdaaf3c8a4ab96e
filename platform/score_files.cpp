#include "platform/score_files.h"

#include "platform/file_error_reason.h"
#include "platform/program_folder.h"
#include "platform/user_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

QString learnerDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/';
}

QString scoreFolder() {
    return (runsInstalled() ? learnerDataFolder() : programFolder()) + QStringLiteral("files");
}

QString scoreFilePath(const QString& name) {
    const QString shipped = programFolder() + QStringLiteral("files/") + name;
    if (!runsInstalled())
        return shipped;
    const QString folder = learnerDataFolder() + QStringLiteral("files");
    if (!QDir().mkpath(folder))
        throw UserError(
            QStringLiteral("无法建立成绩文件夹 %1：%2").arg(folder, errnoReason(errno)));
    const QString path = folder + u'/' + name;
    // The first use takes the shipped copy; later uses keep the learner's own.
    if (!QFileInfo::exists(path) && QFileInfo::exists(shipped) && QFile::copy(shipped, path))
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return path;
}
