// The spaced review driven day by day on an injected clock.
#include "review_schedule.h"

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
}

TEST_F(Review, RightAnswersOnThreeDaysRetireAnItem) {
    schedule.missed(QStringLiteral("中"), QStringLiteral("50006"));
    int expectedBox = 1;
    for (int day = 1; day <= ReviewSchedule::kLeaveAfterDays; ++day) {
        today = today.addDays(ReviewSchedule::intervalDays(expectedBox));
        EXPECT_TRUE(drawn(1).contains(QStringLiteral("中"))) << "day " << day;
        schedule.answered(QStringLiteral("中"), QStringLiteral("50006"), true, false);
        // A second right answer on the same day moves nothing.
        schedule.answered(QStringLiteral("中"), QStringLiteral("50006"), true, false);
        ++expectedBox;
        EXPECT_EQ(schedule.find(QStringLiteral("中"))->box, expectedBox);
        EXPECT_EQ(schedule.find(QStringLiteral("中"))->rightDays, day);
    }
    EXPECT_TRUE(schedule.find(QStringLiteral("中"))->retired);
    today = today.addDays(100);
    EXPECT_FALSE(drawn(10).contains(QStringLiteral("中")));
}

TEST_F(Review, AHigherBoxWaitsLongerAndAMissOrLookUpStartsOver) {
    schedule.missed(QStringLiteral("中"), QStringLiteral("50006"));
    schedule.answered(QStringLiteral("中"), QStringLiteral("50006"), true, false); // box 2
    EXPECT_EQ(schedule.find(QStringLiteral("中"))->due, today.addDays(1));
    EXPECT_FALSE(drawn(3).contains(QStringLiteral("中"))); // not due today, not even as filler
    today = today.addDays(1);
    schedule.answered(QStringLiteral("中"), QStringLiteral("50006"), true, false); // box 3
    EXPECT_EQ(schedule.find(QStringLiteral("中"))->due, today.addDays(2));
    today = today.addDays(1);
    // Right, but with F1: back to the first box, the right days count anew.
    schedule.answered(QStringLiteral("中"), QStringLiteral("50006"), true, true);
    const ReviewCard* c = schedule.find(QStringLiteral("中"));
    EXPECT_EQ(c->box, 1);
    EXPECT_EQ(c->rightDays, 0);
    EXPECT_EQ(c->lookups, 1);
    EXPECT_EQ(c->misses, 1);
    EXPECT_EQ(c->due, today);
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
