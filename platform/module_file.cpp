#include "platform/module_file.h"

#include <QCoreApplication>
#include <QFileInfo>

QString moduleFile(const QString& name) {
    const QString here = QCoreApplication::applicationDirPath();
    const QString beside = here + u'/' + name;
    if (QFileInfo::exists(beside))
        return beside;
    return QFileInfo(here + QStringLiteral("/../lib/tarvo/modules/") + name).absoluteFilePath();
}
