#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString& overridden() {
    static QString folder;
    return folder;
}
QString& executableOverridden() {
    static QString folder;
    return folder;
}

QString executableFolder() {
    return executableOverridden().isEmpty() ? QCoreApplication::applicationDirPath()
                                            : executableOverridden();
}

QString withSlash(const QString& folder) {
    return folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}
} // namespace

void setProgramFolder(const QString& folder) {
    overridden() = withSlash(folder);
}

void setExecutableFolder(const QString& folder) {
    executableOverridden() = folder;
}

QString installedDataFolder(const QString& executableFolder) {
    return withSlash(QDir::cleanPath(executableFolder + QStringLiteral("/../share/tarvo")));
}

QString programFolder() {
    if (!overridden().isEmpty())
        return overridden();
    // Built: the data folders lie beside the executable. Installed: the
    // executable is in <prefix>/bin and its data in <prefix>/share/tarvo.
    const QString bin = executableFolder();
    if (!QFileInfo::exists(bin + QStringLiteral("/hzlib"))) {
        const QString installed = installedDataFolder(bin);
        if (QFileInfo::exists(installed + QStringLiteral("hzlib")))
            return installed;
    }
    return withSlash(bin);
}

bool runsInstalled() {
    return overridden().isEmpty() && programFolder() != withSlash(executableFolder());
}
