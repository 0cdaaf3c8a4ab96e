#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// The guided course "学习路线": steps in the order the code is learned, each a
// set of runs of an existing exercise with chosen items. A step opens when
// the one before it is mastered; the learner may always skip ahead.
namespace course {

// What a step's runs are.
enum class StepKind {
    StrokePictures,     // the stroke pictures of `digits` (exercise 简单, then 较难)
    ColouredCharacters, // the coloured characters (exercise 彩色字)
    Characters,         // `items` on the character grid
    Words,              // `items` on the word grid
    Article,            // an article test
};

struct Step {
    int number = 0; // 1, 2, … in course order
    QString title;  // "认识笔形：一横二竖"
    QString advice; // one or two sentences: what the step teaches and how to practise
    StepKind kind = StepKind::Characters;
    QString digits;   // StrokePictures: the digits the pictures show ("12")
    int minSpeed = 0; // the speed (字/分) a run must reach to count towards mastery
    std::vector<std::pair<QString, QString>> items; // Characters, Words: (text, code)
};

// The course from its folder (the program folder's "course/"): "steps.txt"
// and an item file per step, in UTF-8. Any fault (a missing or unreadable
// file, another encoding, a malformed or repeated line, a step of items
// without any) gives no steps and `problem`, which names the file by its
// full path, the line and what is wrong: a course with a step left out or
// an item's code misread would teach the wrong thing.
struct LoadedCourse {
    std::vector<Step> steps;
    QString problem;
};
LoadedCourse loadCourse(const QString& folder);

// A finished or abandoned run of a step, as the learning history keeps it.
struct StepRun {
    int step = 0;
    QDate day;
    int answered = 0;
    int wrong = 0;
    int speed = 0;
    bool finished = true; // false: left before its last item
    int hints = 0;        // items whose code F1 showed before they were answered
};

// A step is mastered by two finished runs on different days, each with at
// least 90 % of its answers known (answered − wrong − hints ≥ 0.9 ×
// answered, at least one answer: an answer F1 showed is not known) and at
// least the step's speed.
bool mastered(const Step& step, const std::vector<StepRun>& runs);

// What a run must do to count for a step, for the learner ("达标：…").
QString targetLine(const Step& step);
// What a finished run of a step comes to, in four message lines: a headline
// that never cheers a run that did not count, then that it counts (and
// whether it masters the step, with the runs `earlier` of the step and
// `today`), or what it lacked (answers known, speed).
QStringList runVerdict(const Step& step, int answered, int wrong, int lookups, int speed,
                       const std::vector<StepRun>& earlier = {}, QDate today = {});

// Where the learner stands: the first step not mastered (the number after the
// last when every step is), and how many runs of it already count.
struct Standing {
    int step = 1;
    int countedRuns = 0;       // 0, 1: the runs towards mastery, on different days
    bool countedToday = false; // one of them is today's: the next counts tomorrow
};
Standing standing(const std::vector<Step>& steps, const std::vector<StepRun>& runs,
                  QDate today = QDate());

// The different days of a step's runs that count towards mastering it.
int countedDays(const Step& step, const std::vector<StepRun>& runs);

// Days of practice in a row up to today (or up to yesterday when today has
// no practice yet); 0 when yesterday and today have none.
int streak(const std::vector<QDate>& practiceDays, QDate today);

// The start screen's line: "今日：复习 12 个字、3 个词；继续第 3 步" and the
// streak ("已连续练习 5 天"); parts with nothing to say are left out.
QString planLine(int dueCharacters, int dueWords, int step, int stepCount, int streakDays,
                 bool stepCountedToday = false);

} // namespace course
