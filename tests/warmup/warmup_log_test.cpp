#include "user_error.h"
#include "warmup_log.h"

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
    EXPECT_EQ(warmuplog::read(path),
              (QStringList{QStringLiteral("第一行"), QStringLiteral("second")}));

    try {
        warmuplog::append(dir.path() + "/files/record.txt", QStringLiteral("x"));
        FAIL() << "a missing folder must be reported";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(dir.path() + "/files/record.txt"));
    }
}

} // namespace
