#pragma once

#include "history/history_records.h"

#include <QElapsedTimer>

#include <functional>
#include <optional>

class HistoryStore;

// Records one training run as the learner works through it. The calls on the
// key path only add to memory; the run goes to the store in one write when it
// ends (finished or abandoned), so typing never waits for the disk and a crash
// loses at most the run under way.
class TrainingRecorder {
public:
    using Now = std::function<QDateTime()>;
    // `store` may be null (the history could not be opened: the run is still
    // recorded, for the caller to keep until it opens); `now` gives the time
    // of day.
    TrainingRecorder(HistoryStore* store, Now now);

    void setStore(HistoryStore* store) { store_ = store; }
    void setNow(Now now) { now_ = std::move(now); }
    // Whether a run is being recorded (the history is on and a run started).
    bool recording() const { return recording_; }

    // A run starts: reads the learner's switch once, for the whole run (on
    // when the history cannot tell).
    void startRun(int kind, int level);
    // The run under way is dropped (its history was closed under it).
    void drop();
    // The run under way is a step of the course "学习路线".
    void markCourseStep(int step) { run_.courseStep = step; }
    // A new item is shown (the clock of the item starts).
    void itemShown(const QString& item, const QString& code);
    // The learner typed a code for the current item.
    void answerTyped(const QString& code);
    // The learner looked the current item up (F1).
    void lookedUp();
    // The current item is done: right in the end or given up.
    void itemDone(bool right);
    // The run ends; writes it. `speed` is the speed shown. Throws UserError
    // when the write fails (the run is then dropped, not written twice).
    void endRun(int speed, bool finished);
    // The run ends; returns it for the caller to write (nothing when no run
    // was being recorded).
    std::optional<TrainingRunRecord> finishRun(int speed, bool finished);

    const TrainingRunRecord& run() const { return run_; }
    // Whether the learner's switch was read at the run's start (false: the
    // history could not tell, and the switch decides when the run is written).
    bool switchRead() const { return switchRead_; }

private:
    HistoryStore* store_;
    Now now_;
    bool recording_ = false;
    bool itemOpen_ = false;
    bool switchRead_ = false;
    TrainingRunRecord run_;
    QElapsedTimer itemClock_;
};
