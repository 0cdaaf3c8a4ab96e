#pragma once

#include "coaching/confusion_counts.h"
#include "coaching/corner_table.h"
#include "coaching/weak_drill.h"
#include "history/history_records.h"
#include "history/history_stats.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QSqlError;
class QSqlQuery;

// The counts that "学习记录", the drill and the plan show, kept in the
// history beside the records they come from and brought up to date at each
// run's and test's end, inside that record's transaction: what they show is
// read from a few hundred rows, whatever the history's age. Each equals the
// same count made from the records (history_stats, confusion_counts).
//
// The corner counts need the corner table: they are kept while the history
// has one, and made again from the records when it gets another (or after
// a run recorded without one).
class KeptCounts {
public:
    // `fail` throws the store's error, naming its file.
    KeptCounts(const QSqlDatabase& db, std::function<void(const QSqlError&)> fail);

    // Inside the record's transaction. `corners` is the history's corner
    // table, nullptr when it has none.
    void addRun(const TrainingRunRecord& run, const coaching::CornerTable* corners);
    void addTest(const ArticleTestRecord& test);

    // Whether the counts that need no corner table are made; makes them from
    // the records (the runs with their slips, the tests with their errors).
    bool built() const;
    void rebuild(const std::vector<TrainingRunRecord>& runs,
                 const std::vector<ArticleTestRecord>& tests);
    // The fingerprint of the corner table the corner counts were made with
    // ("" when they are stale); makes them from the answered items.
    QString cornersMadeWith() const;
    void rebuildCorners(const std::vector<coaching::AnsweredItem>& answered,
                        const coaching::CornerTable& table, const QString& fingerprint);

    std::map<int, std::vector<history_stats::DayValue>> speedPerDay() const;
    std::vector<history_stats::MissedItem> mostMissed(int limit) const;
    history_stats::DigitMistakes digitMistakes() const;
    coaching::ConfusionReport confusions() const;
    std::vector<coaching::CharacterMiss> misses(const coaching::DrillTarget& target) const;

    // The tables this class keeps (emptied with the records).
    static const std::vector<const char*>& tables();

private:
    void run(QSqlQuery& q) const;
    QString settingText(const char* key) const;
    qint64 number(const char* key) const;
    void setText(const char* key, const QString& value) const;
    void addDaySpeed(int line, const QDate& day, double speed) const;
    void saveMissed(const history_stats::MissedTally& tally) const;
    void saveDigits(const history_stats::DigitMistakes& digits) const;
    void addCorners(const std::vector<coaching::AnsweredItem>& answered,
                    const coaching::CornerTable& table) const;
    void saveConfusions(const coaching::ConfusionReport& merged,
                        const coaching::ConfusionReport& changed) const;
    void saveMisses(const std::vector<coaching::CornerAnswer>& answers) const;

    // The store's connection, which it opens again after setting a damaged
    // file aside: held by reference, never copied.
    const QSqlDatabase& db_;
    std::function<void(const QSqlError&)> fail_;
};
