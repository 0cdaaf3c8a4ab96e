// The spaced review driven day by day on an injected clock.
#include "history/review_schedule.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class Review : public ::testing::Test {
protected:
    ReviewSchedule schedule{[this] { return today; }};
    QDate today{2026, 3, 2};
    std::mt19937 random{20260302}; // fixed seed
    std::vector<std::pair<QString, QString>> frequent = {
        {QStringLiteral("的"), QStringLiteral("2760")},
        {QStringLiteral("一"), QStringLiteral("1000")},
        {QStringLiteral("是"), QStringLiteral("6080")}};

    QStringList drawn(int count) {
        QStringList items;
        for (const ReviewCard& c : schedule.draw(count, frequent, random).cards)
            items << c.item;
        return items;
    }
};

TEST_F(Review, ACharacterMissedTodayComesBackFirst) {
    for (int i = 0; i < 6; ++i)
        schedule.missed(QStringLiteral("国"), QStringLiteral("60104")); // often, but days ago
    today = today.addDays(3);
    schedule.missed(QStringLiteral("中"), QStringLiteral("50006"));
    for (int round = 0; round < 20; ++round)
        EXPECT_EQ(drawn(2).value(0), QStringLiteral("中"));
    EXPECT_EQ(drawn(5).mid(0, 2), QStringList({QStringLiteral("中"), QStringLiteral("国")}));
    // Of today's misses the most missed comes first, look-ups counting as
    // misses; of two missed as often, the one missed first. The old miss of
    // 国 comes after them all, however often it was.
    struct Slip {
        const char* item;
        int misses, lookups;
    };
    const Slip slips[] = {{"人", 1, 0}, {"日", 1, 2}, {"月", 0, 2}};
    for (const Slip& s : slips) {
        for (int i = 0; i < s.misses; ++i)
            schedule.answered(QString::fromUtf8(s.item), QStringLiteral("1"), false, false);
        for (int i = 0; i < s.lookups; ++i)
            schedule.answered(QString::fromUtf8(s.item), QStringLiteral("1"), true, true);
    }
    const QStringList order = {QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("中"),
                               QStringLiteral("人"), QStringLiteral("国")};
    for (int round = 0; round < 5; ++round)
        EXPECT_EQ(drawn(5), order);
}

// The whole life of a card, day by day: missed on day 0, answered right the
// same day (no step), then on each day it falls due it climbs a box (1, 2, 4,
// 8 days apart); a right answer before it is due moves nothing; from the last
// box it leaves. A miss at any point starts it over in the first box.
TEST_F(Review, ACardClimbsABoxOnEachDueDayAndLeavesOnlyFromTheLast) {
    const QString item = QStringLiteral("中");
    auto right = [&] { schedule.answered(item, QStringLiteral("50006"), true, false); };
    const QDate start = today;
    schedule.missed(item, QStringLiteral("50006"));
    right(); // minutes after the miss
    ASSERT_NE(schedule.find(item), nullptr);
    EXPECT_EQ(schedule.find(item)->box, 1) << "the day of the miss moves nothing";
    EXPECT_EQ(schedule.find(item)->rightDays, 0);

    struct Step {
        int day;    // days after the miss
        int box;    // the box after the day's right answers
        int dueIn;  // days from that day until it is due again
        bool drawn; // due that day, so a review draws it
    };
    const Step steps[] = {{1, 2, 1, true},  {2, 3, 2, true}, {3, 3, 1, false}, {4, 4, 4, true},
                          {7, 4, 1, false}, {8, 5, 8, true}, {15, 5, 1, false}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.day);
        today = start.addDays(s.day);
        EXPECT_EQ(drawn(1).contains(item), s.drawn);
        right();
        right(); // a second right answer the same day proves nothing new
        const ReviewCard* c = schedule.find(item);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->box, s.box);
        EXPECT_EQ(c->due, today.addDays(s.dueIn));
        EXPECT_FALSE(c->retired);
    }
    today = start.addDays(16); // due in the last box
    right();
    ASSERT_NE(schedule.find(item), nullptr);
    EXPECT_TRUE(schedule.find(item)->retired);
    EXPECT_EQ(schedule.find(item)->rightDays, 5);
    today = start.addDays(100);
    EXPECT_FALSE(drawn(10).contains(item));

    // Looked up with F1 (though typed right): back in the first box, due at
    // once, the right days counted anew.
    schedule.answered(item, QStringLiteral("50006"), true, true);
    const ReviewCard* c = schedule.find(item);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->box, 1);
    EXPECT_FALSE(c->retired);
    EXPECT_EQ(c->rightDays, 0);
    EXPECT_EQ(c->lookups, 1);
    EXPECT_EQ(c->misses, 1);
    EXPECT_EQ(c->due, today);
    EXPECT_TRUE(drawn(1).contains(item));
}

TEST_F(Review, ARightAnswerOfAnItemNotUnderReviewAddsNothing) {
    schedule.answered(QStringLiteral("中"), QStringLiteral("50006"), true, false);
    EXPECT_TRUE(schedule.cards().empty());
}

TEST_F(Review, DrawingFollowsTheMisses) {
    for (int i = 0; i < 8; ++i)
        schedule.missed(QStringLiteral("多"), QStringLiteral("2720"));
    schedule.missed(QStringLiteral("少"), QStringLiteral("9020"));
    today = today.addDays(1); // neither missed today: drawn by weight
    EXPECT_GT(schedule.weight(*schedule.find(QStringLiteral("多"))),
              schedule.weight(*schedule.find(QStringLiteral("少"))));
    std::map<QString, int> first;
    for (int round = 0; round < 400; ++round)
        ++first[drawn(1).value(0)];
    EXPECT_GT(first[QStringLiteral("多")], 3 * first[QStringLiteral("少")]);
    EXPECT_GT(first[QStringLiteral("少")], 0); // less often, but not never
}

TEST_F(Review, ARecentMissWeighsMoreThanAnOldOne) {
    schedule.missed(QStringLiteral("旧"), QStringLiteral("2260"));
    today = today.addDays(10);
    schedule.missed(QStringLiteral("新"), QStringLiteral("0292"));
    today = today.addDays(1);
    EXPECT_GT(schedule.weight(*schedule.find(QStringLiteral("新"))),
              schedule.weight(*schedule.find(QStringLiteral("旧"))));
}

TEST_F(Review, TooLittleHistoryIsFilledFromTheFrequentItemsWithoutRepeats) {
    schedule.missed(QStringLiteral("一"), QStringLiteral("1000"));
    const ReviewSelection s = schedule.draw(3, frequent, random);
    ASSERT_EQ(s.cards.size(), 3u);
    EXPECT_EQ(s.filled, 2);
    EXPECT_EQ(s.cards[0].item, QStringLiteral("一"));
    EXPECT_EQ(s.cards[1].item, QStringLiteral("的"));
    EXPECT_EQ(s.cards[2].item, QStringLiteral("是"));
    EXPECT_EQ(s.cards[2].code, QStringLiteral("6080"));

    // More asked than there is at all: everything once, nothing twice.
    const ReviewSelection all = schedule.draw(119, frequent, random);
    EXPECT_EQ(all.cards.size(), 3u);
    // Enough history: nothing filled in.
    EXPECT_EQ(schedule.draw(1, frequent, random).filled, 0);
    // No count: nothing.
    EXPECT_TRUE(schedule.draw(0, frequent, random).cards.empty());
}

} // namespace
