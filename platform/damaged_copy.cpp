#include "platform/damaged_copy.h"

#include "platform/file_error_reason.h"
#include "platform/regular_file.h"

#include <QFile>
#include <QFileInfo>

namespace damagedcopy {

namespace {
constexpr int kMaxCopies = 100;
}

Moved setAside(const QString& path) {
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        const QString target = path + QStringLiteral(".damaged") +
                               (copy == 1 ? QString() : QStringLiteral(".%1").arg(copy));
        if (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
            continue; // an earlier damaged copy: keep it
        QFile f(path);
        if (f.rename(target))
            return {regularfile::fullPath(target), {}};
        return {{}, fileErrorReason(f)};
    }
    return {{}, QStringLiteral("已有太多损坏文件的副本")};
}

} // namespace damagedcopy
