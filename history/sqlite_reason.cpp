#include "history/sqlite_reason.h"

#include <QSqlError>

namespace {

// SQLite's primary result codes (the low byte of an extended code).
enum Code {
    kPerm = 3,
    kBusy = 5,
    kLocked = 6,
    kNoMem = 7,
    kReadOnly = 8,
    kIoErr = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kProtocol = 15,
    kAuth = 23,
    kNotADb = 26,
};

int primaryCode(const QSqlError& error) {
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number);
    return number ? code & 0xFF : -1;
}

} // namespace

QString sqliteReason(const QSqlError& error) {
    const int code = primaryCode(error);
    switch (code) {
    case kBusy:
    case kLocked:
        return QStringLiteral("数据库正被另一个程序占用");
    case kReadOnly:
        return QStringLiteral("数据库只读，不能写入");
    case kPerm:
    case kAuth:
        return QStringLiteral("没有访问权限");
    case kNoMem:
        return QStringLiteral("内存不足");
    case kIoErr:
        return QStringLiteral("磁盘读写错误");
    case kCorrupt:
        return QStringLiteral("数据库已损坏");
    case kFull:
        return QStringLiteral("磁盘空间已满");
    case kCantOpen:
        return QStringLiteral("无法打开数据库文件");
    case kProtocol:
        return QStringLiteral("数据库的锁出错（可能有别的程序在改动它）");
    case kNotADb:
        return QStringLiteral("这不是学习记录的数据库，文件已损坏");
    case -1:
        return QStringLiteral("数据库出错");
    default:
        return QStringLiteral("数据库出错（错误号 %1）").arg(code);
    }
}

bool isDamage(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == kCorrupt || code == kNotADb;
}
