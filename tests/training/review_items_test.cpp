// A review's items from what the history drew: the messages for no history,
// nothing due and what is due; a character shown with its full code, its
// other codes (and the one the history kept) right too; the kept codes when
// the dictionary cannot be read; words as the history kept them.
#include "training/review_items.h"

#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

using Items = std::vector<std::pair<QString, QString>>;

struct Drawn : training::HistoryLink {
    std::optional<training::ReviewDraw> draw;
    training::RunObserver none;
    training::RunObserver& runs() override { return none; }
    std::optional<training::ReviewDraw> drawReview(bool, int, const Items&) override {
        return draw;
    }
    void showWindow() override {}
    std::pair<int, int> dueCounts() override { return {0, 0}; }
    std::optional<training::ReviewDraw> drawDrill(const std::optional<training::DrillTarget>&, int,
                                                  const QStringList&) override {
        return draw;
    }
};

TEST(ReviewItems, MessagesAndCodesOfWhatTheHistoryDrew) {
    const Items frequent = {{QStringLiteral("的"), QStringLiteral("07600")}};
    // 国's codes in the dictionary: a short code and the full code.
    const training::CodesOf dictionary = [](const QString& c) -> std::optional<QStringList> {
        if (c == QStringLiteral("国"))
            return QStringList{QStringLiteral("60"), QStringLiteral("60104")};
        return QStringList();
    };
    const training::CodesOf unreadable = [](const QString&) { return std::nullopt; };

    training::ReviewItems r =
        training::reviewItems(nullptr, false, 10, frequent, false, dictionary);
    EXPECT_EQ(r.items, frequent);
    EXPECT_EQ(r.message.value(0), QStringLiteral("学习记录无法打开，"));

    Drawn history;
    history.draw = training::ReviewDraw{};
    r = training::reviewItems(&history, true, 10, frequent, false, dictionary);
    EXPECT_EQ(r.items, frequent);
    EXPECT_EQ(r.message.value(0), QStringLiteral("今天没有要复习的词，"));

    // Kept with a code the dictionary no longer gives: shown with the full
    // code, the short code and the kept one right too.
    history.draw->items = {{QStringLiteral("国"), QStringLiteral("60105")},
                           {QStringLiteral("甲"), QStringLiteral("60500")}};
    r = training::reviewItems(&history, false, 10, frequent, false, dictionary);
    EXPECT_FALSE(r.wholeGrid);
    EXPECT_EQ(r.message.value(0), QStringLiteral("今天要复习2个字，"));
    EXPECT_EQ(r.items, (Items{{QStringLiteral("国"), QStringLiteral("60104")},
                              {QStringLiteral("甲"), QStringLiteral("60500")}}));
    EXPECT_EQ(r.otherCodes[QStringLiteral("国")],
              (QStringList{QStringLiteral("60"), QStringLiteral("60105")}));
    EXPECT_FALSE(r.otherCodes.count(QStringLiteral("甲")));

    // No readable dictionary, or words: the codes the history kept.
    for (const bool words : {false, true}) {
        r = training::reviewItems(&history, words, 10, frequent, true,
                                  words ? dictionary : unreadable);
        EXPECT_EQ(r.items.front().second, QStringLiteral("60105")) << words;
        EXPECT_TRUE(r.otherCodes.empty()) << words;
    }

    EXPECT_TRUE(training::drillItems(nullptr, std::nullopt, 10, {}).items.empty());
    history.draw->drilled = training::DrillTarget{1, QChar(u'6'), QStringLiteral("方块")};
    EXPECT_EQ(training::drillItems(&history, std::nullopt, 10, {}).items.size(), 2u);
}

} // namespace
