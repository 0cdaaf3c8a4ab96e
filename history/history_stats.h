#pragma once

#include "history/history_records.h"

#include <QDate>
#include <QString>

#include <array>
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
// The items missed or looked up most, most first (ties: the most recent
// first), at most `limit`.
std::vector<MissedItem> mostMissed(const std::vector<TrainingRunRecord>& runs,
                                   const std::vector<ArticleTestRecord>& tests, int limit);

// For each stroke digit of a right code, how often a wrong code had another
// digit at that place, and which digit was typed there most often.
struct DigitMistakes {
    std::array<std::array<int, 10>, 10> typedFor{}; // [right digit][typed digit]
    int total(int digit) const;
    int mostConfusedWith(int digit) const; // -1 when never wrong
};
DigitMistakes digitMistakes(const std::vector<TrainingRunRecord>& runs,
                            const std::vector<ArticleTestRecord>& tests);

} // namespace history_stats
