#include "history/history_schema.h"

#include "history/sqlite_reason.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace history_schema {

namespace {

// The schema, one step per version: step i brings version i-1 to version i.
const char* const kMigrations[][10] = {
    {
        "CREATE TABLE training_runs(id INTEGER PRIMARY KEY, kind INTEGER NOT NULL, level "
        "INTEGER, started TEXT, ended TEXT, speed INTEGER, answered INTEGER, wrong INTEGER, "
        "hints INTEGER, finished INTEGER)",
        "CREATE TABLE training_items(run_id INTEGER NOT NULL REFERENCES training_runs(id) ON "
        "DELETE CASCADE, item TEXT, code TEXT, answers TEXT, right INTEGER, seconds REAL, "
        "hinted INTEGER)",
        "CREATE TABLE article_tests(id INTEGER PRIMARY KEY, article TEXT, ended TEXT, seconds "
        "INTEGER, typed INTEGER, wrong INTEGER, speed INTEGER, accuracy REAL)",
        "CREATE TABLE test_errors(test_id INTEGER NOT NULL REFERENCES article_tests(id) ON "
        "DELETE CASCADE, expected TEXT, entered TEXT, code TEXT, typed_code TEXT)",
        "CREATE TABLE warmups(played TEXT, mode TEXT, seconds INTEGER, score INTEGER)",
        nullptr,
    },
    {
        "CREATE TABLE review(words INTEGER NOT NULL, item TEXT NOT NULL, code TEXT, box "
        "INTEGER, due TEXT, right_days INTEGER, last_right TEXT, misses INTEGER, lookups "
        "INTEGER, last_miss TEXT, retired INTEGER, PRIMARY KEY(words, item))",
        "CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT)",
        "CREATE INDEX training_items_run ON training_items(run_id)",
        "CREATE INDEX test_errors_test ON test_errors(test_id)",
        nullptr,
        nullptr,
    },
    {
        // A wrong candidate (the right code, the wrong choice) apart from a
        // wrong code.
        "ALTER TABLE test_errors ADD COLUMN wrong_candidate INTEGER NOT NULL DEFAULT 0",
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
    },
    {
        // The items with a slip (a wrong answer or F1), marked and indexed:
        // the statistics read them without a walk over a year of items.
        "ALTER TABLE training_items ADD COLUMN slip INTEGER NOT NULL DEFAULT 0",
        "UPDATE training_items SET slip = 1 WHERE right = 0 OR hinted = 1 OR answers <> code",
        "CREATE INDEX training_items_slips ON training_items(run_id) WHERE slip = 1",
        nullptr,
        nullptr,
        nullptr,
    },
    {
        // The step of the course a run was (0: none).
        "ALTER TABLE training_runs ADD COLUMN course_step INTEGER NOT NULL DEFAULT 0",
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
    },
    {
        // What the start screen's plan line asks, found without reading the
        // whole history: the days practised, the course's runs, the due cards.
        "CREATE INDEX training_runs_days ON training_runs(substr(ended, 1, 10)) WHERE answered > 0",
        "CREATE INDEX training_runs_course ON training_runs(course_step) WHERE course_step > 0",
        "CREATE INDEX article_tests_days ON article_tests(substr(ended, 1, 10))",
        "CREATE INDEX warmups_days ON warmups(substr(played, 1, 10))",
        "CREATE INDEX review_due ON review(words, due) WHERE retired = 0",
        // The character and word items answered right at once, counted: the
        // corners' error rates read a few thousand rows, not every item.
        "CREATE TABLE right_at_once(item TEXT NOT NULL, code TEXT NOT NULL, times INTEGER NOT "
        "NULL, PRIMARY KEY(item, code)) WITHOUT ROWID",
        "INSERT INTO right_at_once SELECT i.item, i.code, count(*) FROM training_items i JOIN "
        "training_runs r ON r.id = i.run_id WHERE i.slip = 0 AND r.kind >= 3 GROUP BY i.item, "
        "i.code",
    },
    {
        // What "学习记录", the drill and the plan read, kept up to date at
        // each run's and test's end (and rebuilt from the records when the
        // settings do not say they are built): a few hundred rows whatever
        // the history's age.
        // The mean speed of each day on each line (a kind, a course step, -1:
        // the article test).
        "CREATE TABLE day_speeds(line INTEGER NOT NULL, day TEXT NOT NULL, total REAL NOT NULL, "
        "runs INTEGER NOT NULL, PRIMARY KEY(line, day)) WITHOUT ROWID",
        // The items missed or looked up, and the wrong codes typed for them.
        "CREATE TABLE missed_items(item TEXT PRIMARY KEY, code TEXT NOT NULL, misses INTEGER NOT "
        "NULL, lookups INTEGER NOT NULL, wrong_candidates INTEGER NOT NULL, last_seen INTEGER NOT "
        "NULL) WITHOUT ROWID",
        "CREATE TABLE missed_codes(item TEXT NOT NULL, typed TEXT NOT NULL, times INTEGER NOT "
        "NULL, PRIMARY KEY(item, typed)) WITHOUT ROWID",
        // Each digit typed for another, at any place of a code.
        "CREATE TABLE digit_slips(right INTEGER NOT NULL, typed INTEGER NOT NULL, times INTEGER "
        "NOT NULL, PRIMARY KEY(right, typed)) WITHOUT ROWID",
        // The corners: answers and slips of each, the digits and shapes read
        // wrong, and the characters missed at each corner (the drill's).
        "CREATE TABLE corner_rates(corner INTEGER PRIMARY KEY, answers INTEGER NOT NULL, wrong "
        "INTEGER NOT NULL)",
        "CREATE TABLE corner_confusions(corner INTEGER NOT NULL, right TEXT NOT NULL, typed TEXT "
        "NOT NULL, right_name TEXT NOT NULL, count INTEGER NOT NULL, last INTEGER NOT NULL, "
        "examples TEXT NOT NULL, PRIMARY KEY(corner, right, typed)) WITHOUT ROWID",
        "CREATE TABLE shape_confusions(right_name TEXT NOT NULL, typed_name TEXT NOT NULL, count "
        "INTEGER NOT NULL, last INTEGER NOT NULL, examples TEXT NOT NULL, PRIMARY KEY(right_name, "
        "typed_name)) WITHOUT ROWID",
        "CREATE TABLE corner_misses(corner INTEGER NOT NULL, right TEXT NOT NULL, right_name TEXT "
        "NOT NULL, character TEXT NOT NULL, times INTEGER NOT NULL, last INTEGER NOT NULL, "
        "PRIMARY KEY(corner, right, right_name, character)) WITHOUT ROWID",
        nullptr,
        nullptr,
    },
    {
        // The results waiting to go to the learner's class, in the order
        // they were made; state 0 waiting, 1 sent, 2 refused (with why).
        "CREATE TABLE results_queue(id INTEGER PRIMARY KEY, key TEXT NOT NULL UNIQUE, lxid "
        "INTEGER NOT NULL, speed INTEGER NOT NULL, accuracy REAL NOT NULL, practised TEXT NOT "
        "NULL, state INTEGER NOT NULL DEFAULT 0, why TEXT NOT NULL DEFAULT '')",
        "CREATE INDEX results_queue_waiting ON results_queue(id) WHERE state = 0",
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
    },
};
static_assert(std::size(kMigrations) == kVersion);

} // namespace

void migrate(QSqlDatabase& db, int version, const QString& path) {
    auto failed = [&](const QSqlError& e) {
        return UserError(QStringLiteral("无法读写学习记录 %1：%2")
                             .arg(regularfile::fullPath(path), sqliteReason(e)));
    };
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        throw failed(q.lastError());
    // Only versions this program wrote are brought forward (the opening
    // refuses the others before they come here).
    for (int from = std::max(0, q.value(0).toInt()); from < version; ++from) {
        if (!db.transaction())
            throw failed(db.lastError());
        QSqlQuery step(db);
        for (const char* sql : kMigrations[from]) {
            if (sql && !step.exec(QString::fromLatin1(sql))) {
                const QSqlError e = step.lastError();
                db.rollback();
                throw failed(e);
            }
        }
        if (!step.exec(QStringLiteral("PRAGMA user_version=%1").arg(from + 1)) || !db.commit()) {
            const QSqlError e = step.lastError().isValid() ? step.lastError() : db.lastError();
            db.rollback();
            throw failed(e);
        }
    }
}

} // namespace history_schema
