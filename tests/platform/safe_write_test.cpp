// The one writer of whole files: what it leaves in place of each kind of old
// file, on a sound and on a full disk, and in a folder that takes no new file.
#include "platform/regular_file.h"
#include "platform/safe_write.h"
#include "platform/user_error.h"
#include "tests/support/child_process.h"
#include "tests/support/full_disk.h"
#include "tests/support/qt_printers.h"
#include "tests/support/user_error_message.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

namespace {

const QByteArray kOld("the old contents");
const QByteArray kNew("the new contents, longer than the old");

// The bytes of a regular file (never opens a FIFO, which would wait).
QByteArray readBytes(const QString& path) {
    if (!QFileInfo(path).isFile())
        return QByteArray("<not a file>");
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The writer's message, "" when it wrote.
QString write(const QString& path) {
    return userErrorMessage(
        [&] { safewrite::replaceFile(path, kNew, QStringLiteral("测试文件")); });
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
}

// The message: the file by its full path, the reason, and whether an old file was kept.
QString failure(const QString& path, const char* reason, bool existed) {
    return QStringLiteral("无法写入测试文件 %1：%2%3")
        .arg(regularfile::fullPath(path), QString::fromUtf8(reason),
             existed ? QStringLiteral("，原来的文件没有改动。") : QStringLiteral("。"));
}

TEST(SafeWrite, WhatEachOldFileBecomes) {
    struct Row {
        const char* name;
        std::function<void(const QString&)> before; // makes what is at the path
        bool fullDisk;
        const char* says; // nullptr: written; else the reason the message gives
    };
    auto oldFile = [](const QString& p) {
        put(p, kOld);
        QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ReadGroup);
    };
    auto nothing = [](const QString&) {};
    const Row rows[] = {
        {"no file", nothing, false, nullptr},
        {"an old file", oldFile, false, nullptr},
        {"no file, the disk full", nothing, true, "文件太大"},
        {"an old file, the disk full", oldFile, true, "文件太大"},
        {"a folder", [](const QString& p) { QDir().mkpath(p); }, false, "这是一个文件夹，不是文件"},
        {"a FIFO", [](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0644); },
         false, "这不是普通文件（可能是管道或设备）"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("scores.txt");
        r.before(path);
        const bool existed = QFileInfo::exists(path);
        const QStringList namesBefore = entries(dir.path());
        const QByteArray bytesBefore = readBytes(path);
        QString message;
        {
            std::optional<FullDisk> disk;
            if (r.fullDisk)
                disk.emplace();
            message = write(path);
        }
        if (!r.says) {
            EXPECT_TRUE(message.isEmpty()) << message.toStdString();
            EXPECT_EQ(readBytes(path), kNew);
            EXPECT_EQ(entries(dir.path()), QStringList{"scores.txt"}) << "no temporary file left";
            if (existed) {
                EXPECT_EQ(QFileInfo(path).permissions() & 0x0FFF, 0x0640) << "permissions kept";
            }
            continue;
        }
        EXPECT_EQ(message, failure(path, r.says, existed));
        EXPECT_EQ(entries(dir.path()), namesBefore) << "no temporary file left";
        EXPECT_EQ(readBytes(path), bytesBefore);
    }
}

// A symbolic link planted in the file's place is refused by name, whether it
// points to a file (which keeps its bytes) or nowhere (nothing is made there).
TEST(SafeWrite, ALinkIsRefusedAndAMissingFolderNamed) {
    QTemporaryDir dir;
    put(dir.filePath("real.txt"), kOld);
    ASSERT_TRUE(QFile::link(dir.filePath("real.txt"), dir.filePath("link.txt")));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere.txt"), dir.filePath("dangling.txt")));
    EXPECT_EQ(write(dir.filePath("link.txt")),
              failure(dir.filePath("link.txt"), qPrintable(regularfile::linkReason()), true));
    EXPECT_EQ(write(dir.filePath("dangling.txt")),
              failure(dir.filePath("dangling.txt"), qPrintable(regularfile::linkReason()), false));
    EXPECT_EQ(readBytes(dir.filePath("real.txt")), kOld);
    EXPECT_EQ(entries(dir.path()), (QStringList{"dangling.txt", "link.txt", "real.txt"}));

    const QString lost = dir.filePath("no/such/scores.txt");
    EXPECT_EQ(write(lost), failure(lost, "所在的文件夹不存在", false));
}

// A writable file in a folder that takes no new file is written in place; on
// a full disk its old bytes are put back. A file the learner may not write is
// never replaced, also where the folder would let it be.
TEST(SafeWrite, AFolderThatTakesNoNewFile) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("scores");
    const QString path = folder + "/scores.txt";
    ASSERT_TRUE(QDir().mkpath(folder));
    auto prepare = [&](bool fileWritable, bool folderWritable, bool exists) {
        QFile::remove(path);
        if (exists)
            put(path, kOld);
        // The child writes as nobody when the tests run as root.
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        ::chmod(QFile::encodeName(folder).constData(), folderWritable ? 0777 : 0555);
        ::chmod(QFile::encodeName(path).constData(), fileWritable ? 0666 : 0444);
    };
    struct Row {
        const char* name;
        bool fileWritable, folderWritable, fullDisk;
        QByteArray bytes;
        const char* says; // nullptr: written
        bool exists = true;
    };
    const Row rows[] = {
        {"written in place", true, false, false, kNew, nullptr},
        // Shorter than the old: no tail of the old is left.
        {"written in place, shorter", true, false, false, "short", nullptr},
        {"in place on a full disk", true, false, true, kNew, "文件太大"},
        {"a read-only file", false, true, false, kNew, "没有访问权限"},
        {"a new file in a read-only folder", true, false, false, kNew,
         "所在的文件夹不能写入（没有访问权限）", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        prepare(r.fileWritable, r.folderWritable, r.exists);
        const QString message = inChildProcess([&] {
            std::optional<FullDisk> disk;
            if (r.fullDisk)
                disk.emplace(static_cast<rlim_t>(kOld.size()));
            return userErrorMessage(
                [&] { safewrite::replaceFile(path, r.bytes, QStringLiteral("测试文件")); });
        });
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        if (!r.says) {
            EXPECT_EQ(message, QString());
            EXPECT_EQ(readBytes(path), r.bytes);
        } else {
            EXPECT_EQ(message, failure(path, r.says, r.exists));
            if (r.exists)
                EXPECT_EQ(readBytes(path), kOld);
            else
                EXPECT_FALSE(QFile::exists(path));
        }
        EXPECT_EQ(entries(folder), r.exists ? QStringList{"scores.txt"} : QStringList{});
    }
}

} // namespace
