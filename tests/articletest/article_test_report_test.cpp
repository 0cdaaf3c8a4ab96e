#include "articletest/article_test_report.h"

#include <gtest/gtest.h>

namespace {

TEST(TestReport, TimeTexts) {
    struct Row {
        const char* clock;
        const char* time;
    };
    const Row rows[] = {{"15:00", "15分钟"},   {"03:27", "3分27秒"}, {"03:05", "3分5秒"},
                        {"120:00", "120分钟"}, {"0:00", "0分钟"},    {"00:09", "0分9秒"}};
    for (const Row& r : rows)
        EXPECT_EQ(TestReport::compute(QString::fromLatin1(r.clock), 0, 0).time,
                  QString::fromUtf8(r.time))
            << r.clock;
}

TEST(TestReport, CountsAccuracyAndSpeed) {
    const TestReport r = TestReport::compute(QStringLiteral("05:00"), 200, 10);
    EXPECT_EQ(r.total, QStringLiteral("200个字"));
    EXPECT_EQ(r.wrong, QStringLiteral("10个字"));
    EXPECT_EQ(r.right, QStringLiteral("190个字"));
    EXPECT_EQ(r.accuracy, QStringLiteral("95%"));
    EXPECT_EQ(r.speed, 38);
    EXPECT_EQ(r.rate, QStringLiteral("38字/分"));

    EXPECT_EQ(TestReport::compute(QStringLiteral("01:00"), 3, 1).accuracy, QStringLiteral("66%"));

    struct Row {
        const char* clock;
        int right;
        int speed;
    };
    // Halves go to the even neighbour: 1.5 -> 2, 2.5 -> 2, 3.5 -> 4.
    const Row halves[] = {{"00:40", 1, 2}, {"00:24", 1, 2}, {"02:00", 7, 4}, {"01:00", 0, 0}};
    for (const Row& h : halves)
        EXPECT_EQ(TestReport::compute(QString::fromLatin1(h.clock), h.right, 0).speed, h.speed)
            << h.clock;

    const TestReport none = TestReport::compute(QStringLiteral("0:00"), 0, 0);
    EXPECT_EQ(none.accuracy, QStringLiteral("0%"));
    EXPECT_EQ(none.speed, 0);
    EXPECT_EQ(TestReport::compute(QStringLiteral("0:00"), 12, 0).speed, 0) << "no time, no speed";
}

} // namespace
