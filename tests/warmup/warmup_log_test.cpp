#include "platform/user_error.h"
#include "tests/support/user_error_message.h"
#include "warmup/warmup_log.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(WarmupLog, LinesAreAppendedInGbkWithCrLf) {
    EXPECT_EQ(warmuplog::line("2026-12-6", QStringLiteral("小明"), "60", "25"),
              QStringLiteral("2026-12-6: 小明 用时：60 成绩：25"));
    EXPECT_EQ(warmuplog::line("2026-12-6", QString(), "60", "0"),
              QStringLiteral("2026-12-6:  用时：60 成绩：0"));

    QTemporaryDir dir;
    const QString path = dir.path() + "/record.txt";
    EXPECT_EQ(warmuplog::read(path), std::nullopt);
    warmuplog::append(path, QStringLiteral("第一行"));
    warmuplog::append(path, QStringLiteral("second"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\xB5\xDA\xD2\xBB\xD0\xD0\r\nsecond\r\n"));
    EXPECT_FALSE(f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
        << "a learner's log is private";
    const auto shown = warmuplog::read(path);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->lines, (QStringList{QStringLiteral("第一行"), QStringLiteral("second")}));
    EXPECT_FALSE(shown->earlierLeftOut);

    // A missing folder is reported, by the file's path.
    const QString message = userErrorMessage(
        [&] { warmuplog::append(dir.path() + "/files/record.txt", QStringLiteral("x")); });
    EXPECT_TRUE(message.contains(dir.path() + "/files/record.txt")) << message.toStdString();
}

// A long log shows only its newest lines, from the first whole line of the
// part read, so opening it costs the same whatever its size.
TEST(WarmupLog, ALongLogShowsItsNewestWholeLines) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/record.txt";
    QByteArray bytes;
    int written = 0;
    while (bytes.size() < warmuplog::kShownBytes * 3)
        bytes += "2026-12-6: line" + QByteArray::number(written++) + " 60 25\r\n";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    const auto shown = warmuplog::read(path);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->earlierLeftOut);
    ASSERT_FALSE(shown->lines.isEmpty());
    EXPECT_EQ(shown->lines.last(), QStringLiteral("2026-12-6: line%1 60 25").arg(written - 1));
    // The first line shown is whole: the line before it ends just before the part read.
    const QString first = shown->lines.first();
    EXPECT_TRUE(first.startsWith(QStringLiteral("2026-12-6: line"))) << first.toStdString();
    const int firstNumber = first.mid(15).section(u' ', 0, 0).toInt();
    EXPECT_EQ(shown->lines.size(), written - firstNumber);
    qint64 shownBytes = 0;
    for (const QString& l : shown->lines)
        shownBytes += l.size() + 2;
    EXPECT_LE(shownBytes, warmuplog::kShownBytes);

    // Exactly the limit is still read whole.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.right(warmuplog::kShownBytes));
    f.close();
    EXPECT_FALSE(warmuplog::read(path)->earlierLeftOut);
}

} // namespace
