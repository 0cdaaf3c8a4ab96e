#pragma once

#include "history/history_records.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <vector>

// Figures drawn from the history for the window "学习记录".
namespace history_stats {

// The name of an exercise kind as its button shows it ("全码字", "错字复习");
// kArticleTestKind is "文章测试", a course step's line (courseLineKind)
// "学习路线第N步".
QString kindName(int kind);

// The line a run is drawn on: its exercise kind, or its own line for a step
// of the course (a stroke step is no run of 简单).
constexpr int kCourseLineBase = 1000;
inline int courseLineKind(int step) {
    return kCourseLineBase + step;
}
inline int lineOf(const TrainingRunRecord& r) {
    return r.courseStep > 0 ? courseLineKind(r.courseStep) : r.kind;
}

struct DayValue {
    QDate day;
    double value = 0;
};

// The mean speed of each day, per exercise kind (a course step on a line of
// its own), and of the article tests under kArticleTestKind; days in order. Runs that were
// abandoned count too: the speed shown is what the learner reached.
std::map<int, std::vector<DayValue>> speedPerDay(const std::vector<TrainingRunRecord>& runs,
                                                 const std::vector<ArticleTestRecord>& tests);
// The accuracy of each test, in order (day of the test, percent).
std::vector<DayValue> testAccuracy(const std::vector<ArticleTestRecord>& tests);

// The sentences above "学习记录"'s tables: how many runs (with answers) and
// tests, then each kind's best and median speed, then the tests' speed and
// accuracy (whole percents cut off, as the report shows them); or, with
// nothing yet, what will show here.
QStringList summaryLines(int trainedRuns, int tests,
                         const std::map<int, std::vector<DayValue>>& speeds,
                         const std::vector<DayValue>& testAccuracy);

// Best and median of some values; 0 for none.
double best(const std::vector<DayValue>& values);
double median(const std::vector<DayValue>& values);

struct MissedItem {
    QString item;
    QString code;
    int misses = 0;    // wrong answers in training and wrong entries in tests
    int lookups = 0;   // F1 look-ups
    QString wrongCode; // the wrong code typed most often for it
    int wrongCodeCount = 0;
    int wrongCandidates = 0; // tests: its own code typed, the wrong candidate chosen
};
// The slips of each item missed or looked up, counted record by record.
class MissedTally {
public:
    struct Entry {
        MissedItem item;              // its totals (the wrong code not chosen yet)
        std::map<QString, int> typed; // each wrong code typed for it, how often
        qint64 lastSeen = 0;          // the order it was last missed in
    };
    // Orders count on from `firstOrder` (the history's counts go on from
    // where the last record left them).
    explicit MissedTally(qint64 firstOrder = 0) : order_(firstOrder) {}
    void addRun(const TrainingRunRecord& run);
    void addTest(const ArticleTestRecord& test);
    const std::map<QString, Entry>& entries() const { return entries_; }
    qint64 lastOrder() const { return order_; }

private:
    Entry& at(const QString& item, const QString& code);
    std::map<QString, Entry> entries_;
    qint64 order_;
};
// The items of `entries` missed or looked up most, each with the wrong code
// typed most often for it, most first (ties: the most recent first), at
// most `limit`.
std::vector<MissedItem> ranked(const std::vector<MissedTally::Entry>& entries, int limit);

// Hands the runs and the tests (each oldest first) on in the order they
// ended, a run before a test that ended at the same time.
void inEndOrder(const std::vector<TrainingRunRecord>& runs,
                const std::vector<ArticleTestRecord>& tests,
                const std::function<void(const TrainingRunRecord&)>& run,
                const std::function<void(const ArticleTestRecord&)>& test);

// The items missed or looked up most, most first (ties: the most recent
// first), at most `limit`; the runs and tests taken in the order they ended.
std::vector<MissedItem> mostMissed(const std::vector<TrainingRunRecord>& runs,
                                   const std::vector<ArticleTestRecord>& tests, int limit);

// For each stroke digit of a right code, how often a wrong code had another
// digit at that place, and which digit was typed there most often.
struct DigitMistakes {
    std::array<std::array<int, 10>, 10> typedFor{}; // [right digit][typed digit]
    // Counts the places where `typed` differs from `right` (both digits only).
    void compare(const QString& right, const QString& typed);
    void addRun(const TrainingRunRecord& run);
    void addTest(const ArticleTestRecord& test);
    int total(int digit) const;
    int mostConfusedWith(int digit) const; // -1 when never wrong
};
DigitMistakes digitMistakes(const std::vector<TrainingRunRecord>& runs,
                            const std::vector<ArticleTestRecord>& tests);

} // namespace history_stats
