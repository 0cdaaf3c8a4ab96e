// A training run recorded through the calls the training window makes.
#include "history/history_store.h"
#include "history/training_recorder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Recorder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    HistoryStore store{dir.filePath(QStringLiteral("h.sqlite"))};
    QDateTime now{QDate(2026, 3, 2), QTime(9, 0)};
    TrainingRecorder recorder{&store, [this] { return now; }};
};

TEST_F(Recorder, ARunIsWrittenOnlyWhenItEnds) {
    recorder.startRun(3, 2);
    recorder.itemShown(QStringLiteral("中"), QStringLiteral("50006"));
    recorder.answerTyped(QStringLiteral("50007"));
    recorder.answerTyped(QStringLiteral("50006"));
    recorder.itemDone(true);
    recorder.itemShown(QStringLiteral("国"), QStringLiteral("60104"));
    recorder.lookedUp();
    recorder.lookedUp(); // one look-up of one item counts once
    recorder.answerTyped(QStringLiteral("60104"));
    recorder.itemDone(true);
    recorder.itemShown(QStringLiteral("人"), QStringLiteral("8000")); // shown, never answered
    EXPECT_TRUE(store.trainingRuns().empty());

    now = now.addSecs(90);
    recorder.endRun(37, false);
    EXPECT_FALSE(recorder.recording());
    const auto runs = store.trainingRuns();
    ASSERT_EQ(runs.size(), 1u);
    const TrainingRunRecord& r = runs[0];
    EXPECT_EQ(r.kind, 3);
    EXPECT_EQ(r.level, 2);
    EXPECT_EQ(r.speed, 37);
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.answered, 2);
    EXPECT_EQ(r.wrong, 1);
    EXPECT_EQ(r.hints, 1);
    EXPECT_EQ(r.started.secsTo(r.ended), 90);
    ASSERT_EQ(r.items.size(), 2u);
    EXPECT_EQ(r.items[0].answers.size(), 2);
    EXPECT_TRUE(r.items[1].hinted);
    // Both went into the review: 中 after a wrong try, 国 looked up.
    const ReviewSchedule s = store.reviewSchedule(false, [] { return QDate(2026, 3, 2); });
    EXPECT_EQ(s.cards().size(), 2u);

    // A second end writes nothing more.
    recorder.endRun(37, true);
    EXPECT_EQ(store.trainingRuns().size(), 1u);
}

TEST_F(Recorder, AnItemLeftForTheNextCountsAsWrongAndAnswersOutsideARunAreIgnored) {
    recorder.answerTyped(QStringLiteral("1")); // before any run
    recorder.startRun(7, 1);
    recorder.answerTyped(QStringLiteral("1")); // before any item
    recorder.itemShown(QStringLiteral("我们"), QStringLiteral("230800"));
    recorder.answerTyped(QStringLiteral("230801"));
    recorder.itemShown(QStringLiteral("一起"), QStringLiteral("104780"));
    recorder.answerTyped(QStringLiteral("104780"));
    recorder.itemDone(true);
    recorder.endRun(12, true);
    const auto runs = store.trainingRuns();
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].items.size(), 2u);
    EXPECT_FALSE(runs[0].items[0].right);
    EXPECT_EQ(runs[0].answered, 2);
    EXPECT_EQ(runs[0].wrong, 1);
}

TEST_F(Recorder, SwitchedOffAtTheStartNothingOfTheRunIsKept) {
    store.setEnabled(false);
    recorder.startRun(3, 1);
    EXPECT_FALSE(recorder.recording());
    recorder.itemShown(QStringLiteral("中"), QStringLiteral("50006"));
    recorder.answerTyped(QStringLiteral("1"));
    // Switched on during the run: the run started off stays off.
    store.setEnabled(true);
    recorder.endRun(10, true);
    EXPECT_TRUE(store.trainingRuns().empty());

    // Without a history (it could not be opened) the run is kept for later.
    TrainingRecorder none(nullptr, [this] { return now; });
    none.startRun(3, 1);
    EXPECT_TRUE(none.recording());
    none.itemShown(QStringLiteral("中"), QStringLiteral("50006"));
    none.answerTyped(QStringLiteral("50006"));
    const std::optional<TrainingRunRecord> kept = none.finishRun(1, true);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->items.size(), 1u);
}

} // namespace
