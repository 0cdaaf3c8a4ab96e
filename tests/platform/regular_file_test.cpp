#include "platform/regular_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Sizes in the units a person reads, at each unit's limit.
TEST(RegularFile, SizesAndTheTooLargeReason) {
    EXPECT_EQ(regularfile::sizeText(0), QStringLiteral("0 字节"));
    EXPECT_EQ(regularfile::sizeText(1023), QStringLiteral("1023 字节"));
    EXPECT_EQ(regularfile::sizeText(1024), QStringLiteral("1 KB"));
    EXPECT_EQ(regularfile::sizeText(1024 * 1024 - 1), QStringLiteral("1023 KB"));
    EXPECT_EQ(regularfile::sizeText(1024 * 1024), QStringLiteral("1.0 MB"));
    EXPECT_EQ(regularfile::sizeText(600LL * 1024 * 1024), QStringLiteral("600 MB"));
    EXPECT_EQ(regularfile::tooLargeReason(600LL * 1024 * 1024, 64LL * 1024 * 1024),
              QStringLiteral("文件太大（600 MB，最多 64 MB）"));
    EXPECT_EQ(regularfile::tooLargeReason(17000000, 16LL * 1024 * 1024),
              QStringLiteral("文件太大（17000000 字节，最多 16777216 字节）"))
        << "sizes that read the same are given in bytes";
}

// The whole file up to its limit exactly; the tail reader keeps the last bytes.
TEST(RegularFile, LimitsAndTails) {
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("0123456789");
    f.close();

    auto whole = regularfile::read(path, 10);
    EXPECT_TRUE(whole.ok());
    EXPECT_EQ(whole.bytes, QByteArray("0123456789"));
    auto over = regularfile::read(path, 9);
    EXPECT_EQ(over.status, regularfile::Contents::Status::Refused);
    EXPECT_TRUE(over.bytes.isEmpty()) << "nothing is read from a file over the limit";
    EXPECT_EQ(over.size, 10);
    EXPECT_EQ(over.reason, QStringLiteral("文件太大（10 字节，最多 9 字节）"));
    auto tail = regularfile::readTail(path, 3);
    EXPECT_EQ(tail.bytes, QByteArray("789"));
    EXPECT_EQ(tail.size, 10);
    EXPECT_EQ(regularfile::readTail(path, 20).bytes, QByteArray("0123456789"));

    auto missing = regularfile::read(dir.filePath("none"), 10);
    EXPECT_EQ(missing.status, regularfile::Contents::Status::Missing);
    EXPECT_EQ(missing.reason, QStringLiteral("文件或文件夹不存在"));

    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0644), 0);
    EXPECT_EQ(regularfile::read(dir.filePath("fifo"), 10).reason,
              QStringLiteral("这不是普通文件（可能是管道或设备）"));
    QString reason;
    EXPECT_EQ(regularfile::openForAppend(dir.filePath("fifo"), reason), -1);
    EXPECT_EQ(reason, QStringLiteral("这不是普通文件（可能是管道或设备）"));
    // A log is never appended through a link planted in its place.
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere.txt"), dir.filePath("log.txt")));
    EXPECT_EQ(regularfile::openForAppend(dir.filePath("log.txt"), reason), -1);
    EXPECT_EQ(reason, regularfile::linkReason());
    EXPECT_FALSE(QFile::exists(dir.filePath("elsewhere.txt")));
}

TEST(RegularFile, FullPathsAreAbsoluteAndClean) {
    const QString here = QDir::currentPath();
    EXPECT_EQ(regularfile::fullPath("files/record.dat"), here + "/files/record.dat");
    EXPECT_EQ(regularfile::fullPath("/a/./b/../c"), QStringLiteral("/a/c"));
    EXPECT_EQ(regularfile::fullPath(QString()), QString());
}

} // namespace
