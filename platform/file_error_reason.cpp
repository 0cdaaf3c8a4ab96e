#include "platform/file_error_reason.h"

#include <QFileDevice>

#include <cerrno>
#include <cstring>

namespace {

struct Reason {
    int error;
    const char* text;
};

constexpr Reason kReasons[] = {
    {ENOENT, "文件或文件夹不存在"},
    {EACCES, "没有访问权限"},
    {EPERM, "没有访问权限"},
    {EISDIR, "这是一个文件夹，不是文件"},
    {ENOTDIR, "路径中有一项不是文件夹"},
    {ENOSPC, "磁盘空间已满"},
    {EDQUOT, "磁盘配额已满"},
    {EROFS, "所在的磁盘只读"},
    {ENAMETOOLONG, "文件名太长"},
    {EMFILE, "打开的文件太多"},
    {ENFILE, "打开的文件太多"},
    {EIO, "磁盘读写错误"},
    {EEXIST, "文件已经存在"},
    {EFBIG, "文件太大"},
    {ETXTBSY, "文件正被占用"},
    {EBUSY, "文件正被占用"},
    {ELOOP, "符号链接层数太多"},
    {ENXIO, "设备不存在"},
};

} // namespace

QString errnoReason(int error) {
    for (const Reason& r : kReasons) {
        if (r.error == error)
            return QString::fromUtf8(r.text);
    }
    return QStringLiteral("读写出错（错误号 %1）").arg(error);
}

QString fileErrorReason(const QFileDevice& file) {
    // Qt words a file error as the system's text of its error number: find
    // the number whose text it is.
    const QString text = file.errorString();
    for (const Reason& r : kReasons) {
        if (text == QString::fromLocal8Bit(std::strerror(r.error)))
            return QString::fromUtf8(r.text);
    }
    switch (file.error()) {
    case QFileDevice::ReadError:
        return QStringLiteral("读取出错");
    case QFileDevice::WriteError:
        return QStringLiteral("写入出错");
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有访问权限");
    case QFileDevice::ResourceError:
        return QStringLiteral("磁盘空间不足或系统资源不足");
    case QFileDevice::OpenError:
        return QStringLiteral("无法打开");
    default:
        return QStringLiteral("读写出错");
    }
}
