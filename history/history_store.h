#pragma once

#include "history/history_records.h"
#include "history/history_schema.h"
#include "history/kept_counts.h"
#include "history/results_queue.h"
#include "history/review_schedule.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <future>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The learning history on disk: one SQLite database (write-ahead log), its
// schema versioned in `PRAGMA user_version` and brought up to date when it
// is opened. Every record is written in one transaction, so a run or test is
// either all there or not at all: a crash loses at most the run under way.
//
// It is checked when opened (PRAGMA quick_check): a damaged file is never
// written into nor deleted; it is renamed to "history.sqlite.damaged"
// (".damaged.2", … when taken), its write-ahead log with it, and a fresh
// history starts; notice() says so. A lock held by another process is waited
// for only kBusyMilliseconds. Errors (a database that cannot be opened,
// locked, read-only, or newer than this program) throw UserError naming the
// file, with the reason in Chinese.
class HistoryStore {
public:
    // When the file's pages and indexes are checked: before the constructor
    // returns, or in the background, the program's way (a three-year history
    // takes 60 ms to check, on the start screen's path). Either way nothing
    // is written before the check is done: a write waits for it, and a
    // damaged file is set aside first. A file of an older version is
    // checked at once (it is written to when brought up to date).
    enum class Check { AtOpening, InBackground };
    explicit HistoryStore(const QString& path, Check check = Check::AtOpening);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    static constexpr int kSchemaVersion = history_schema::kVersion;
    static constexpr int kBusyMilliseconds = 200;

    // The message of a damaged file set aside when it was opened ("" for none).
    const QString& notice() const { return notice_; }
    // Starts the check in the background now, when it is to be made in the
    // background and has not started (the program starts it a moment after
    // the start screen is ready; a write before then checks first).
    void startCheck();
    // The notice once: a damaged file found by the check in the background
    // is told at the write that waited for it.
    QString takeNotice() { return std::exchange(notice_, QString()); }
    // How many damaged files this store has set aside (a read that met one
    // set it aside and threw: the caller may read again, from the fresh one).
    int setAsideCount() const { return setAsideCount_; }
    // Brings a database of an older version up to `version` (tests make old
    // databases with it). Throws UserError.
    static void migrate(QSqlDatabase& db, int version, const QString& path);
    int schemaVersion() const;
    const QString& path() const { return path_; }

    // The learner's switch: when off, nothing is recorded.
    bool enabled() const;
    void setEnabled(bool on);
    // The speed goal drawn in the charts (characters per minute; 0: none).
    int goal() const;
    void setGoal(int charactersPerMinute);

    // Writes a run with its items, or a test with its errors, and updates the
    // review schedule from them, in one transaction. Nothing when switched off.
    void addTrainingRun(TrainingRunRecord& run, const ReviewSchedule::Clock& today);
    void addArticleTest(ArticleTestRecord& test, const ReviewSchedule::Clock& today);
    void addWarmup(const WarmupRecord& warmup);

    // Whether each run, test and game recorded from now on is also queued
    // for the learner's class (once the learner has joined one), in the
    // record's transaction; queued even while the history records nothing.
    void setQueueingResults(bool on) { queueing_ = on; }
    // The oldest result waiting for the class, and what the service made of it.
    std::optional<ClassResult> nextResultToPost() const;
    void resultPosted(const QString& key, PostOutcome outcome, const QString& why);
    ResultsQueue::Account resultsAccount() const;

    // Which answered items come with the runs: all, only those missed or
    // looked up (what the statistics of slips need), or none.
    enum class Items { All, Missed, None };
    std::vector<TrainingRunRecord> trainingRuns(Items which = Items::All) const; // oldest first
    std::vector<ArticleTestRecord> articleTests() const; // oldest first, with errors
    std::vector<WarmupRecord> warmups() const;

    // What the plan line needs, by queries on indexes: their time does not
    // grow with the years of practice.
    // The days practised (a run with answers, a test, a game) in the streak
    // that reaches `today` or the day before, oldest first; empty when
    // neither was practised.
    std::vector<QDate> streakDays(QDate today) const;
    // The runs of the course's steps that had answers, oldest first, without items.
    std::vector<TrainingRunRecord> courseRuns() const;
    // The article tests, oldest first, without their errors.
    std::vector<ArticleTestRecord> articleTestTotals() const;
    // The review cards of characters (words: false) due on `today` or before.
    int dueCount(bool words, QDate today) const;
    // The items of the character and word runs answered right at once (their
    // one answer their code, no F1), each item and code once with how often:
    // a few thousand rows where a year holds a hundred thousand items.
    struct ItemCount {
        QString item;
        QString code;
        int times = 0;
    };
    std::vector<ItemCount> rightAtOnceCounts() const;

    // What "学习记录" and the drill show, from the counts kept at each
    // record's end (equal to history_stats and countConfusions over the
    // records).
    std::map<int, std::vector<history_stats::DayValue>> speedPerDay() const;
    std::vector<history_stats::MissedItem> mostMissed(int limit) const;
    history_stats::DigitMistakes digitMistakes() const;
    // The runs with answers.
    int trainedRuns() const;
    // Each way of playing the warm-up that was played: how often, the best
    // score and the last five, newest first.
    struct WarmupTotal {
        QString mode;
        int games = 0;
        int best = 0;
        QList<int> recent;
    };
    std::vector<WarmupTotal> warmupTotals() const;

    // The answered items of the character and word runs, as the corner
    // counts read them: the slips (items answered wrong or looked up), after
    // them with `withRightOnes` the items answered right at once, each item
    // once with how often.
    std::vector<coaching::AnsweredItem> answeredItems(bool withRightOnes) const;

    // The corner table the corner counts are kept by (the program gives the
    // one it reads at the history's opening); counts made by another table,
    // or left stale by a run recorded without one, are made again from the
    // records here.
    void setCornerTable(std::shared_ptr<const coaching::CornerTable> table);
    // The corners read wrong, and the characters missed at a drill's corner;
    // nothing while the store has no corner table.
    std::optional<coaching::ConfusionReport> confusions();
    std::vector<coaching::CharacterMiss> cornerMisses(const coaching::DrillTarget& target);

    // The review schedule of characters (words: false) on the given clock.
    ReviewSchedule reviewSchedule(bool words, ReviewSchedule::Clock today) const;
    // What a review draws from: the cards due on the clock's day (or never
    // given one), and the cards of `alsoItems` (the frequent items it tops
    // up with, which it skips while they wait for a later day).
    ReviewSchedule dueSchedule(bool words, ReviewSchedule::Clock today,
                               const QStringList& alsoItems) const;

    // Deletes everything recorded (the switch and the goal stay).
    void clear();

private:
    void exec(const QString& sql) const;
    // The runs (without items) that meet an SQL condition on training_runs.
    std::vector<TrainingRunRecord> runsWhere(const QString& condition) const;
    void saveCards(bool words, const ReviewSchedule& schedule);
    // The cards of the given items only (all of them when `only` is empty of
    // value): a run's end reads and writes just the cards it touches.
    // With `dueToo`, the cards due on the clock's day besides those of `only`.
    ReviewSchedule reviewSchedule(bool words, ReviewSchedule::Clock today,
                                  const std::optional<QStringList>& only,
                                  bool dueToo = false) const;
    QString setting(const QString& key, const QString& fallback) const;
    void setSetting(const QString& key, const QString& value);
    void open();
    void buildKeptCounts();
    // Waits for the check in the background, if any; sets a damaged file
    // aside and starts afresh. Before every write.
    void settleCheck();
    // Queues a result for the class alone, when the history records nothing.
    void queueOnly(const std::function<void()>& add);
    // Sets the damaged file aside and opens a fresh one in its place.
    void startAfresh(const QString& why);
    void refreshCorners();
    void close();
    void setAside(const QString& why);
    [[noreturn]] void fail(const QSqlError& error) const;

    QString path_;
    QString notice_;
    QString connection_;
    QSqlDatabase db_;
    KeptCounts kept_{db_, [this](const QSqlError& e) { fail(e); }};
    ResultsQueue queue_{db_, [this](const QSqlError& e) { fail(e); }};
    bool queueing_ = false;
    std::shared_ptr<const coaching::CornerTable> corners_;
    Check checkWhen_;
    bool checkPending_ = false;
    bool opening_ = false; // damage met now is set aside, not reported
    int setAsideCount_ = 0;
    std::future<QString> check_; // why the file is damaged, "" when it is not
};
