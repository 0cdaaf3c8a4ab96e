// The results service's storage, the same cases on SQLite and on a real
// PostgreSQL: classes, joining, results stored once, the ranking, a
// learner removed and a class closed, and names that look like SQL.
#include "results/results_store.h"
#include "tests/results/results_databases.h"

#include <gtest/gtest.h>

namespace {

using namespace results;

const QDateTime kNow(QDate(2026, 12, 8), QTime(20, 0), Qt::UTC);

Result resultOf(const QString& key, int speed, const QDateTime& when,
                Kind kind = Kind::ArticleTest) {
    return {key, kind, speed, 95.5, when};
}

class Store : public ::testing::TestWithParam<std::string> {};

TEST_P(Store, ClassesLearnersAndResultsAreKeptAndRanked) {
    FreshDatabase fresh(GetParam());
    ASSERT_TRUE(fresh.problem().isEmpty()) << fresh.problem().toStdString();
    ResultsStore store(fresh.address());
    const NewClass one = store.createClass(QStringLiteral("三年级一班"));
    const NewClass two = store.createClass(QStringLiteral("三年级二班"));
    EXPECT_NE(one.joinCode, two.joinCode);
    EXPECT_EQ(one.joinCode.size(), 8);
    EXPECT_TRUE(store.teaches(one.teacherToken, one.joinCode));
    EXPECT_FALSE(store.teaches(one.teacherToken, two.joinCode));
    EXPECT_FALSE(store.join(QStringLiteral("AAAAAAAA"), QStringLiteral("小明")));

    // A name that looks like SQL is a name like any other.
    const QString sqlName = QStringLiteral("x'); DROP TABLE results;--");
    const QString ming = *store.join(one.joinCode, QStringLiteral("小明"));
    const QString hong = *store.join(one.joinCode, sqlName);
    const QString other = *store.join(two.joinCode, QStringLiteral("小刚"));
    EXPECT_NE(ming, hong);
    const Learner m = *store.learnerOf(ming);
    const Learner h = *store.learnerOf(hong);
    EXPECT_TRUE(store.inClass(m, one.joinCode));
    EXPECT_FALSE(store.inClass(m, two.joinCode));
    EXPECT_FALSE(store.learnerOf(QStringLiteral("not-a-token")));

    // Posted twice with one key: stored once, whatever the second says.
    EXPECT_TRUE(
        store.addResult(m, resultOf(QStringLiteral("key-0001"), 30, kNow.addDays(-20)), kNow));
    EXPECT_FALSE(store.addResult(m, resultOf(QStringLiteral("key-0001"), 99, kNow), kNow));
    EXPECT_TRUE(
        store.addResult(m, resultOf(QStringLiteral("key-0002"), 45, kNow.addDays(-1)), kNow));
    EXPECT_TRUE(
        store.addResult(m, resultOf(QStringLiteral("key-0003"), 40, kNow.addSecs(-60)), kNow));
    // Another learner may use the same key.
    EXPECT_TRUE(
        store.addResult(h, resultOf(QStringLiteral("key-0001"), 50, kNow.addDays(-1)), kNow));
    EXPECT_TRUE(store.addResult(*store.learnerOf(other),
                                resultOf(QStringLiteral("key-0001"), 80, kNow), kNow));
    EXPECT_TRUE(
        store.addResult(m, resultOf(QStringLiteral("key-0004"), 7, kNow, Kind::Warmup), kNow));
    EXPECT_EQ(store.resultCount(), 6);

    const std::vector<Ranked> ranked = store.ranking(one.joinCode, Kind::ArticleTest, kNow);
    ASSERT_EQ(ranked.size(), 2u) << "the other class's learner is not in it";
    EXPECT_EQ(ranked[0].name, sqlName);
    EXPECT_EQ(ranked[0].best, 50);
    EXPECT_EQ(ranked[1].name, QStringLiteral("小明"));
    EXPECT_EQ(ranked[1].best, 45);
    EXPECT_EQ(ranked[1].latest, 40) << "the latest by when it was practised";
    EXPECT_EQ(ranked[1].accuracy, 95.5);
    EXPECT_EQ(ranked[1].daysThisWeek, 2) << "the result of 20 days ago is not this week's";
    EXPECT_EQ(ranked[1].lastSeen, kNow.addSecs(-60));
    ASSERT_EQ(ranked[1].weeks.size(), 2u) << "two weeks with results, the same week's best once";
    EXPECT_EQ(ranked[1].weeks.back().second, 45);
    EXPECT_EQ(store.ranking(one.joinCode, Kind::Warmup, kNow).size(), 1u);
    EXPECT_TRUE(store.ranking(one.joinCode, Kind::Training, kNow).empty());

    // The teacher renames and removes; a removed learner is out of the
    // ranking and can post no more.
    EXPECT_TRUE(store.renameLearner(one.joinCode, m.id, QStringLiteral("王小明")));
    EXPECT_FALSE(store.renameLearner(two.joinCode, m.id, QStringLiteral("别人")))
        << "only within the teacher's own class";
    EXPECT_TRUE(store.removeLearner(one.joinCode, h.id));
    const std::vector<Ranked> after = store.ranking(one.joinCode, Kind::ArticleTest, kNow);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].name, QStringLiteral("王小明"));
    EXPECT_FALSE(store.learnerOf(hong));

    // A closed class takes nobody new and no results; its page stays.
    EXPECT_TRUE(store.closeClass(one.joinCode));
    EXPECT_FALSE(store.join(one.joinCode, QStringLiteral("迟到")));
    EXPECT_FALSE(store.learnerOf(ming));
    EXPECT_EQ(store.className(one.joinCode), QStringLiteral("三年级一班"));
}

// The schema is made once: a second store on the same database (a second
// server process, or a restart) finds it and adds nothing.
TEST_P(Store, ASecondOpeningFindsTheSchemaAndTheRecords) {
    FreshDatabase fresh(GetParam());
    ASSERT_TRUE(fresh.problem().isEmpty()) << fresh.problem().toStdString();
    QString code;
    {
        ResultsStore first(fresh.address());
        code = first.createClass(QStringLiteral("一班")).joinCode;
        ResultsStore second(fresh.address());
        EXPECT_EQ(second.className(code), QStringLiteral("一班"));
    }
    ResultsStore again(fresh.address());
    EXPECT_EQ(again.className(code), QStringLiteral("一班"));
    EXPECT_THROW(ResultsStore(QStringLiteral("mysql://x")), ResultsError);
}

// PostgreSQL restarted under a running server: while it is away each
// statement fails with a clear error; once it is back the store connects
// again by itself, and a result posted again is still stored once.
TEST(PostgresAway, TheStoreConnectsAgainWhenTheDatabaseIsBack) {
    FreshDatabase fresh("postgresql");
    ASSERT_TRUE(fresh.problem().isEmpty()) << fresh.problem().toStdString();
    ResultsStore store(fresh.address());
    const NewClass made = store.createClass(QStringLiteral("一班"));
    const Learner ming = *store.learnerOf(*store.join(made.joinCode, QStringLiteral("小明")));
    EXPECT_TRUE(store.addResult(ming, resultOf(QStringLiteral("key-0001"), 50, kNow), kNow));

    fresh.cluster()->stop();
    EXPECT_THROW(store.addResult(ming, resultOf(QStringLiteral("key-0002"), 55, kNow), kNow),
                 ResultsError);
    fresh.cluster()->start();
    ASSERT_TRUE(fresh.cluster()->started());
    EXPECT_FALSE(store.addResult(ming, resultOf(QStringLiteral("key-0001"), 50, kNow), kNow));
    EXPECT_TRUE(store.addResult(ming, resultOf(QStringLiteral("key-0002"), 55, kNow), kNow));
    EXPECT_EQ(store.resultCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Databases, Store, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& info) { return info.param; });

} // namespace
