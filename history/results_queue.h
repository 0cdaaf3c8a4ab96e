#pragma once

#include "classresults/class_result.h"
#include "history/history_records.h"

#include <QSqlDatabase>

#include <functional>
#include <optional>

class QSqlError;

// The results waiting to go to the learner's class, kept in the history in
// the order they were made: a result made offline is posted later, once, in
// order. A result stays until the service has it (sent) or refuses it for
// good (refused, with the reason); those are kept as the queue's account.
class ResultsQueue {
public:
    // `fail` throws the store's error, naming its file.
    ResultsQueue(const QSqlDatabase& db, std::function<void(const QSqlError&)> fail);

    // Inside the record's transaction. Results with nothing in them (a run
    // not finished or without answers, a test with nothing typed) are not
    // queued.
    void addRun(const TrainingRunRecord& run);
    void addTest(const ArticleTestRecord& test);
    void addGame(const WarmupRecord& game);

    // The oldest result still waiting.
    std::optional<ClassResult> next() const;
    // The service has it, or refused it for good (`why`).
    void markSent(const QString& key);
    void markRefused(const QString& key, const QString& why);

    struct Account {
        int waiting = 0;
        int sent = 0;
        int refused = 0;
        QString lastRefusal; // the reason of the last result refused
    };
    Account account() const;

    static constexpr const char* kTable = "results_queue";

private:
    void add(const ClassResult& result);

    const QSqlDatabase& db_; // the store's, opened again after a set-aside
    std::function<void(const QSqlError&)> fail_;
};
