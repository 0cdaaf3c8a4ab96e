// The items of the reviews: the history's schedule, filled up from an
// exercise file of frequent items when the history has too few.
#include "history/history_store.h"
#include "history/review_source.h"
#include "platform/user_error.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QDate kDay(2026, 3, 2);

class ReviewSource : public ::testing::Test {
protected:
    void SetUp() override {
        // z1.txt records: code in 6 bytes, a GBK character, CR LF; the last
        // line without its line end.
        QFile f(dir.filePath(QStringLiteral("z1.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("2760  \xB5\xC4\r\n" // 的
                "1000  \xD2\xBB\r\n" // 一
                "      \xCA\xC7\r\n" // no code: skipped
                "6080  \xCA\xC7\r\n" // 是
                "8000  \xC8\xCB");   // 人, no CR LF
    }
    QString z1() const { return dir.filePath(QStringLiteral("z1.txt")); }
    QTemporaryDir dir;
    std::mt19937 random{7};
};

TEST_F(ReviewSource, FrequentItemsAreReadInFileOrderUpToTheLimit) {
    const auto all = review_source::frequentItems(z1(), 10, 100);
    // (size + 1) / 10 records: the last line, without its line end, is not one.
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], std::make_pair(QStringLiteral("的"), QStringLiteral("2760")));
    EXPECT_EQ(all[2], std::make_pair(QStringLiteral("是"), QStringLiteral("6080")));
    EXPECT_EQ(review_source::frequentItems(z1(), 10, 2).size(), 2u);
    EXPECT_TRUE(review_source::frequentItems(z1(), 10, 0).empty());
    try {
        review_source::frequentItems(dir.filePath(QStringLiteral("z9.txt")), 10, 5);
        FAIL();
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("z9.txt")));
    }
}

TEST_F(ReviewSource, TheHistoryComesFirstAndTheMessageSaysWhatWasFilledIn) {
    HistoryStore store(dir.filePath(QStringLiteral("h.sqlite")));
    const auto frequent = review_source::frequentItems(z1(), 10, 119);
    auto today = [] { return kDay; };

    auto empty = review_source::draw(store, false, 119, frequent, today, random);
    EXPECT_EQ(empty.items.size(), 3u);
    ASSERT_EQ(empty.message.size(), 2);
    EXPECT_EQ(empty.message.join(QString()), QStringLiteral("复习记录只有0个字，另加3个常用字。"));

    ArticleTestRecord test;
    test.typed = 10;
    test.errors = {{QStringLiteral("国"), QStringLiteral("果"), QStringLiteral("60104"), {}}};
    store.addArticleTest(test, today);
    auto some = review_source::draw(store, false, 3, frequent, today, random);
    ASSERT_EQ(some.items.size(), 3u);
    EXPECT_EQ(some.items[0].item, QStringLiteral("国"));
    EXPECT_TRUE(some.message.join(QString()).startsWith(QStringLiteral("复习记录只有1个字，")));

    // 中 missed twice in a later test comes before 国 missed once.
    test.errors = {{QStringLiteral("中"), QStringLiteral("种"), QStringLiteral("50006"), {}},
                   {QStringLiteral("中"), QStringLiteral("钟"), QStringLiteral("50006"), {}}};
    store.addArticleTest(test, today);
    const auto both = review_source::draw(store, false, 2, frequent, today, random);
    ASSERT_EQ(both.items.size(), 2u);
    EXPECT_EQ(both.items[0].item, QStringLiteral("中"));
    EXPECT_EQ(both.items[1].item, QStringLiteral("国"));

    auto full = review_source::draw(store, false, 1, frequent, today, random);
    EXPECT_EQ(full.items.size(), 1u);
    EXPECT_TRUE(full.message.isEmpty());
    // Words come from their own schedule.
    auto words = review_source::draw(store, true, 2, {}, today, random);
    EXPECT_TRUE(words.items.empty());
}

} // namespace
