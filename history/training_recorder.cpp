#include "history/training_recorder.h"

#include "history/history_store.h"
#include "platform/user_error.h"

TrainingRecorder::TrainingRecorder(HistoryStore* store, Now now)
    : store_(store), now_(std::move(now)) {}

void TrainingRecorder::startRun(int kind, int level) {
    // A history that cannot be read now (locked, missing) does not lose the
    // run: it waits in memory for the history like any failed write.
    recording_ = true;
    switchRead_ = false;
    if (store_) {
        try {
            recording_ = store_->enabled();
            switchRead_ = true;
        } catch (const UserError&) {
        }
    }
    itemOpen_ = false;
    run_ = TrainingRunRecord();
    if (!recording_)
        return;
    run_.kind = kind;
    run_.level = level;
    run_.started = now_();
    run_.items.reserve(128);
}

void TrainingRecorder::drop() {
    recording_ = itemOpen_ = false;
    run_ = TrainingRunRecord();
}

void TrainingRecorder::itemShown(const QString& item, const QString& code) {
    if (!recording_)
        return;
    if (itemOpen_)
        itemDone(false);
    TrainingItemRecord r;
    r.item = item;
    r.code = code;
    run_.items.push_back(std::move(r));
    itemOpen_ = true;
    itemClock_.start();
}

void TrainingRecorder::answerTyped(const QString& code) {
    if (!recording_ || !itemOpen_)
        return;
    TrainingItemRecord& r = run_.items.back();
    r.answers.append(code);
    if (code != r.code)
        ++run_.wrong;
}

void TrainingRecorder::lookedUp() {
    if (!recording_ || !itemOpen_)
        return;
    TrainingItemRecord& r = run_.items.back();
    if (!r.hinted)
        ++run_.hints;
    r.hinted = true;
}

void TrainingRecorder::itemDone(bool right) {
    if (!recording_ || !itemOpen_)
        return;
    TrainingItemRecord& r = run_.items.back();
    r.right = right;
    r.seconds = static_cast<double>(itemClock_.elapsed()) / 1000.0;
    ++run_.answered;
    itemOpen_ = false;
}

void TrainingRecorder::endRun(int speed, bool finished) {
    std::optional<TrainingRunRecord> run = finishRun(speed, finished);
    if (run && store_)
        store_->addTrainingRun(*run, [t = run->ended] { return t.date(); });
    if (run)
        run_.id = run->id;
}

std::optional<TrainingRunRecord> TrainingRecorder::finishRun(int speed, bool finished) {
    if (!recording_)
        return std::nullopt;
    recording_ = false;
    if (itemOpen_ && !run_.items.back().answers.isEmpty())
        itemDone(false);
    else if (itemOpen_)
        run_.items.pop_back(); // shown but never answered: not part of the run
    itemOpen_ = false;
    run_.ended = now_();
    run_.speed = speed;
    run_.finished = finished;
    return run_;
}
