#include "platform/file_error_reason.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// The learner reads why a file failed in Chinese, whatever the system's language.
TEST(FileErrorReason, CommonCausesInChinese) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    QFile missing(dir.filePath("missing.txt"));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_EQ(fileErrorReason(missing), QStringLiteral("文件或文件夹不存在"));

    QDir(dir.path()).mkdir("folder");
    QFile folder(dir.filePath("folder"));
    ASSERT_FALSE(folder.open(QIODevice::WriteOnly));
    EXPECT_EQ(fileErrorReason(folder), QStringLiteral("这是一个文件夹，不是文件"));

    QFile inMissingFolder(dir.filePath("nowhere/file.txt"));
    ASSERT_FALSE(inMissingFolder.open(QIODevice::WriteOnly));
    EXPECT_EQ(fileErrorReason(inMissingFolder), QStringLiteral("文件或文件夹不存在"));

    if (geteuid() != 0) { // root reads every file
        QFile locked(dir.filePath("locked.txt"));
        ASSERT_TRUE(locked.open(QIODevice::WriteOnly));
        locked.close();
        locked.setPermissions(QFileDevice::Permissions());
        ASSERT_FALSE(locked.open(QIODevice::ReadOnly));
        EXPECT_EQ(fileErrorReason(locked), QStringLiteral("没有访问权限"));
    }

    EXPECT_EQ(errnoReason(ENOSPC), QStringLiteral("磁盘空间已满"));
    EXPECT_EQ(errnoReason(12345), QStringLiteral("读写出错（错误号 12345）"));
}

} // namespace
