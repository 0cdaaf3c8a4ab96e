#include "history/results_queue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {

enum State { Waiting = 0, Sent = 1, Refused = 2 };

ClassResult made(int lxid, int speed, double accuracy, const QDateTime& when) {
    return {QUuid::createUuid().toString(QUuid::WithoutBraces), lxid, speed, accuracy, when};
}

} // namespace

ResultsQueue::ResultsQueue(const QSqlDatabase& db, std::function<void(const QSqlError&)> fail)
    : db_(db), fail_(std::move(fail)) {}

void ResultsQueue::addRun(const TrainingRunRecord& run) {
    if (!run.finished || run.answered <= 0)
        return;
    const double right = std::max(0, run.answered - run.wrong);
    add(made(3, run.speed, right * 100.0 / run.answered, run.ended));
}

void ResultsQueue::addTest(const ArticleTestRecord& test) {
    if (test.typed <= 0)
        return;
    add(made(4, test.speed, test.accuracy, test.ended));
}

void ResultsQueue::addGame(const WarmupRecord& game) {
    add(made(2, game.score, 100, game.played));
}

void ResultsQueue::add(const ClassResult& r) {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO results_queue(key, lxid, speed, accuracy, practised) "
                             "VALUES(?,?,?,?,?)"));
    for (const QVariant& v :
         {QVariant(r.key), QVariant(r.lxid), QVariant(r.speed), QVariant(r.accuracy),
          QVariant(r.practised.toUTC().toString(Qt::ISODate))})
        q.addBindValue(v);
    if (!q.exec())
        fail_(q.lastError());
}

std::optional<ClassResult> ResultsQueue::next() const {
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT key, lxid, speed, accuracy, practised FROM results_queue "
                               "WHERE state = 0 ORDER BY id LIMIT 1")))
        fail_(q.lastError());
    if (!q.next())
        return std::nullopt;
    return ClassResult{q.value(0).toString(), q.value(1).toInt(), q.value(2).toInt(),
                       q.value(3).toDouble(),
                       QDateTime::fromString(q.value(4).toString(), Qt::ISODate)};
}

void ResultsQueue::markSent(const QString& key) {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("UPDATE results_queue SET state = 1 WHERE key = ?"));
    q.addBindValue(key);
    if (!q.exec())
        fail_(q.lastError());
}

void ResultsQueue::markRefused(const QString& key, const QString& why) {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("UPDATE results_queue SET state = 2, why = ? WHERE key = ?"));
    q.addBindValue(why);
    q.addBindValue(key);
    if (!q.exec())
        fail_(q.lastError());
}

ResultsQueue::Account ResultsQueue::account() const {
    Account a;
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT state, count(*) FROM results_queue GROUP BY state")))
        fail_(q.lastError());
    while (q.next()) {
        const int n = q.value(1).toInt();
        switch (q.value(0).toInt()) {
        case Waiting:
            a.waiting = n;
            break;
        case Sent:
            a.sent = n;
            break;
        default:
            a.refused += n;
            break;
        }
    }
    if (a.refused > 0) {
        if (!q.exec(QStringLiteral("SELECT why FROM results_queue WHERE state = 2 "
                                   "ORDER BY id DESC LIMIT 1")))
            fail_(q.lastError());
        if (q.next())
            a.lastRefusal = q.value(0).toString();
    }
    return a;
}
