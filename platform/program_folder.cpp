#include "program_folder.h"

#include <QCoreApplication>

namespace {
QString& overridden() {
    static QString folder;
    return folder;
}
} // namespace

void setProgramFolder(const QString& folder) {
    overridden() = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

QString programFolder() {
    if (!overridden().isEmpty())
        return overridden();
    return QCoreApplication::applicationDirPath() + u'/';
}
