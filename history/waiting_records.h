#pragma once

#include <QString>

#include <deque>
#include <functional>

class HistoryStore;

// The runs, tests and games whose write to the learning history failed (the
// database locked by another program, read-only, not openable), kept in
// memory and written at the next chance, oldest first, so none is lost while
// the program runs. The learner is told of a failure once, until writing
// works again.
class WaitingRecords {
public:
    using Write = std::function<void(HistoryStore&)>;

    // Writes the waiting records, then `write` (when given). A record that
    // fails waits, with every record after it. `store` is null when the
    // history could not be opened; `problem` says why. Returns the message
    // for the learner: only for the first failure since writing last worked.
    QString write(HistoryStore* store, Write write = {}, const QString& problem = {});

    size_t count() const { return waiting_.size(); }
    // Why the last write failed, naming the file; "" when none waits.
    const QString& problem() const { return problem_; }

private:
    std::deque<Write> waiting_;
    QString problem_;
    bool told_ = false;
};
