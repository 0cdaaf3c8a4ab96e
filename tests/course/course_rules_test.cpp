#include "course/course.h"
#include "course/course_path.h"
#include "tests/course/course_test_support.h"

#include <gtest/gtest.h>

using course::Step;
using course::StepRun;

namespace {

const QDate kMonday(2024, 3, 4);

Step stepNumbered(int number, int minSpeed = 10) {
    Step step;
    step.number = number;
    step.minSpeed = minSpeed;
    return step;
}

StepRun run(int step, QDate day, int answered, int wrong, int speed, bool finished = true,
            int hints = 0) {
    return {step, day, answered, wrong, speed, finished, hints};
}

// Two runs of step 1 on Monday and Tuesday, the second as the case gives it.
struct MasteryCase {
    const char* name;
    StepRun second;
    bool mastered;
};

class Mastery : public testing::TestWithParam<MasteryCase> {};

TEST_P(Mastery, TakesTwoDaysOfRunsRightEnoughAndFastEnough) {
    const Step step = stepNumbered(1, 10);
    const std::vector<StepRun> runs = {run(1, kMonday, 20, 0, 15), GetParam().second};
    EXPECT_EQ(course::mastered(step, runs), GetParam().mastered);
}

const QDate kTuesday = kMonday.addDays(1);

INSTANTIATE_TEST_SUITE_P(
    Course, Mastery,
    testing::Values(
        MasteryCase{"ExactlyNinetyPercent", run(1, kTuesday, 20, 2, 10), true},
        MasteryCase{"EightyNinePercent", run(1, kTuesday, 100, 11, 30), false},
        MasteryCase{"JustUnderNinetyPercent", run(1, kTuesday, 1000, 101, 30), false},
        MasteryCase{"NinetyPercentOfAnOddCount", run(1, kTuesday, 11, 1, 12), true},
        MasteryCase{"SpeedAtTheLimit", run(1, kTuesday, 10, 0, 10), true},
        MasteryCase{"SpeedBelowTheLimit", run(1, kTuesday, 10, 0, 9), false},
        MasteryCase{"SameDayTwice", run(1, kMonday, 30, 0, 30), false},
        MasteryCase{"NoAnswers", run(1, kTuesday, 0, 0, 30), false},
        MasteryCase{"AnotherStep", run(2, kTuesday, 20, 0, 30), false},
        MasteryCase{"NoDay", run(1, QDate(), 20, 0, 30), false},
        MasteryCase{"MoreWrongThanAnswered", run(1, kTuesday, 5, 9, 30), false},
        // Left before its last item: 10 of 119 answered, then 退出.
        MasteryCase{"Unfinished", run(1, kTuesday, 10, 0, 30, false), false},
        // Answers F1 showed are not known: all 20 by F1 + Enter.
        MasteryCase{"EveryAnswerShownByF1", run(1, kTuesday, 20, 0, 30, true, 20), false},
        MasteryCase{"HintsAndWrongTogetherAtNinetyPercent", run(1, kTuesday, 20, 1, 30, true, 1),
                    true},
        MasteryCase{"HintsAndWrongJustOver", run(1, kTuesday, 20, 2, 30, true, 1), false}),
    [](const auto& info) { return info.param.name; });

// What a finished run is told: that it counts, or what it lacked.
TEST(CourseMastery, ARunIsToldWhetherItCounted) {
    const Step step = stepNumbered(1, 10);
    EXPECT_EQ(course::runVerdict(step, 20, 1, 1, 12).join(u'|'),
              u("太棒了！|继续训练吗？|这次达标了！|两天达标即掌握。"));
    EXPECT_EQ(course::runVerdict(step, 20, 0, 20, 30).join(u'|'),
              u("练完了。|再练一次吧。|这次没达标：|答对不到九成。"));
    EXPECT_EQ(course::runVerdict(step, 20, 0, 0, 9).join(u'|'),
              u("练完了。|再练一次吧。|这次没达标：|速度不到10字/分。"));
    // With the step's earlier runs: a second day masters it; the same day
    // again does not; a mastered step stays so.
    const std::vector<course::StepRun> monday = {run(1, kMonday, 20, 0, 30, true, 0)};
    EXPECT_EQ(course::runVerdict(step, 20, 0, 0, 30, monday, kTuesday)[1], u("这一步掌握了！"));
    EXPECT_EQ(course::runVerdict(step, 20, 0, 0, 30, monday, kMonday)[1], u("今天已经达标，"));
    std::vector<course::StepRun> both = monday;
    both.push_back(run(1, kTuesday, 20, 0, 30, true, 0));
    EXPECT_EQ(course::runVerdict(step, 20, 0, 0, 30, both, kTuesday.addDays(1))[1],
              u("这一步早已掌握。"));
    // An earlier run that did not count (left early) masters nothing.
    const std::vector<course::StepRun> left = {run(1, kMonday, 20, 0, 30, false, 0)};
    EXPECT_EQ(course::runVerdict(step, 20, 0, 0, 30, left, kTuesday)[1], u("继续训练吗？"));
}

TEST(CourseMastery, NoRunsMasterNothing) {
    EXPECT_FALSE(course::mastered(stepNumbered(1), {}));
}

// Steps 1, 2 and 4 (3 left out, as a skipped malformed line leaves it).
struct StandingCase {
    const char* name;
    std::vector<StepRun> runs;
    int step;
    int countedRuns;
};

class Standing : public testing::TestWithParam<StandingCase> {};

TEST_P(Standing, IsTheFirstStepNotMastered) {
    const std::vector<Step> steps = {stepNumbered(1), stepNumbered(2), stepNumbered(4)};
    const course::Standing s = course::standing(steps, GetParam().runs);
    EXPECT_EQ(s.step, GetParam().step);
    EXPECT_EQ(s.countedRuns, GetParam().countedRuns);
}

std::vector<StepRun> masteredRuns(int step) {
    return {run(step, kMonday, 10, 0, 20), run(step, kTuesday, 10, 1, 20)};
}

std::vector<StepRun> joined(std::vector<std::vector<StepRun>> parts) {
    std::vector<StepRun> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Course, Standing,
    testing::Values(
        StandingCase{"NoRuns", {}, 1, 0},
        StandingCase{"OneCountingRun", {run(1, kMonday, 10, 0, 20)}, 1, 1},
        StandingCase{
            "TwoRunsOnOneDay", {run(1, kMonday, 10, 0, 20), run(1, kMonday, 10, 0, 20)}, 1, 1},
        StandingCase{"ARunThatDoesNotCount", {run(1, kMonday, 10, 5, 20)}, 1, 0},
        StandingCase{"FirstMastered", masteredRuns(1), 2, 0},
        StandingCase{"SkippingAheadDoesNotUnlock", joined({masteredRuns(2), masteredRuns(4)}), 1,
                     0},
        StandingCase{"OverTheGap", joined({masteredRuns(1), masteredRuns(2)}), 4, 0},
        StandingCase{"EveryStep", joined({masteredRuns(1), masteredRuns(2), masteredRuns(4)}), 5,
                     0}),
    [](const auto& info) { return info.param.name; });

// Today's counting run is known, so that the plan line does not ask for the
// step again; a step practised ahead shows its counted days too.
TEST(CourseStanding, KnowsTodaysCountingRunAndStepsPractisedAhead) {
    const std::vector<Step> steps = {stepNumbered(1), stepNumbered(2), stepNumbered(4)};
    const std::vector<StepRun> runs = {run(1, kTuesday, 10, 0, 20), run(2, kMonday, 10, 0, 20)};
    EXPECT_TRUE(course::standing(steps, runs, kTuesday).countedToday);
    EXPECT_FALSE(course::standing(steps, runs, kTuesday.addDays(1)).countedToday);
    EXPECT_FALSE(course::standing(steps, runs).countedToday);
    QStringList texts;
    for (const course::StepStatus& st : course::path(steps, runs))
        texts << st.text();
    EXPECT_EQ(texts,
              (QStringList{u("正在学（1/2 天达标）"), u("练过（1/2 天达标）"), u("还没学到")}));
    // A run ahead that did not count (left early) shows the step was tried.
    std::vector<StepRun> tried = runs;
    tried.push_back(run(4, kMonday, 10, 0, 20, false));
    EXPECT_EQ(course::path(steps, tried)[2].text(), u("练过（0/2 天达标）"));
}

TEST(CourseStanding, NoStepsStandAtTheFirst) {
    const course::Standing s = course::standing({}, masteredRuns(1));
    EXPECT_EQ(s.step, 1);
    EXPECT_EQ(s.countedRuns, 0);
}

struct StreakCase {
    const char* name;
    std::vector<int> daysAgo;
    int streak;
};

class Streak : public testing::TestWithParam<StreakCase> {};

TEST_P(Streak, CountsDaysInARowUpToTodayOrYesterday) {
    const QDate today(2024, 3, 1); // after a leap day
    std::vector<QDate> days;
    for (int ago : GetParam().daysAgo)
        days.push_back(today.addDays(-ago));
    EXPECT_EQ(course::streak(days, today), GetParam().streak);
}

INSTANTIATE_TEST_SUITE_P(Course, Streak,
                         testing::Values(StreakCase{"Empty", {}, 0},
                                         StreakCase{"TodayOnly", {0}, 1},
                                         StreakCase{"TodayAndTheDaysBefore", {0, 1, 2, 3}, 4},
                                         StreakCase{"YesterdayOnly", {1}, 1},
                                         StreakCase{"UpToYesterday", {1, 2, 3}, 3},
                                         StreakCase{"AGapEndsIt", {0, 1, 3, 4, 5}, 2},
                                         StreakCase{"TwoDaysAgoIsTooLate", {2, 3, 4}, 0},
                                         StreakCase{"RepeatedAndUnordered", {2, 0, 1, 0, 2}, 3},
                                         StreakCase{"TomorrowDoesNotCount", {-1}, 0}),
                         [](const auto& info) { return info.param.name; });

struct PlanCase {
    int dueCharacters, dueWords, step, stepCount, streakDays;
    const char* line;
    bool countedToday = false; // the step's run today already counted
};

TEST(CoursePlanLine, SaysOnlyWhatThereIsToSay) {
    const PlanCase cases[] = {
        {12, 3, 3, 6, 5, "今日：复习 12 个字、3 个词；继续第 3 步　已连续练习 5 天"},
        {0, 0, 1, 16, 0, "今日：从第 1 步开始"},
        {0, 0, 1, 16, 2, "今日：继续第 1 步　已连续练习 2 天"},
        {12, 0, 2, 16, 0, "今日：复习 12 个字；继续第 2 步"},
        {0, 7, 16, 16, 1, "今日：复习 7 个词；继续第 16 步　已连续练习 1 天"},
        {4, 2, 17, 16, 0, "今日：复习 4 个字、2 个词；路线已走完"},
        {0, 0, 17, 16, 3, "今日：路线已走完　已连续练习 3 天"},
        {5, 0, 1, 0, 0, "今日：复习 5 个字"},
        {0, 0, 1, 0, 2, "已连续练习 2 天"},
        {0, 0, 1, 0, 0, ""},
        {0, 0, 3, 16, 4, "今日：第 3 步今天已达标，明天再练一次　已连续练习 4 天", true},
        {2, 0, 1, 16, 1, "今日：复习 2 个字；第 1 步今天已达标，明天再练一次　已连续练习 1 天",
         true},
    };
    for (const PlanCase& c : cases)
        EXPECT_EQ(course::planLine(c.dueCharacters, c.dueWords, c.step, c.stepCount, c.streakDays,
                                   c.countedToday),
                  u(c.line))
            << c.dueCharacters << " " << c.dueWords << " " << c.step << "/" << c.stepCount << " "
            << c.streakDays;
}

} // namespace
