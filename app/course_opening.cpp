#include "app/course_opening.h"

#include "app/history_loader.h"
#include "articletest/article_test_window.h"
#include "course/course.h"
#include "course/course_codes.h"
#include "course/course_path.h"
#include "course/course_window.h"
#include "dictionary/dictionary_instance.h"
#include "history/history_service.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "training/exercise_kind.h"
#include "training/training_window.h"

#include <QApplication>

namespace {

std::function<QDate()>& todayClock() {
    static std::function<QDate()> today = [] { return QDate::currentDate(); };
    return today;
}

QString courseFolder() {
    return programFolder() + QStringLiteral("course");
}

// The course's runs as the history keeps them; an article test counts for
// the course's article step.
std::vector<course::StepRun> courseRuns(const std::vector<course::Step>& steps,
                                        const LearningSummary& summary) {
    std::vector<course::StepRun> runs = summary.courseRuns;
    for (const course::Step& s : steps)
        if (s.kind == course::StepKind::Article)
            for (course::StepRun t : summary.articleTests) {
                t.step = s.number;
                runs.push_back(t);
            }
    return runs;
}

// The practice of a step: the training window over its exercise, or the
// article test, opened as the start screen opens them.
void startStep(const course::Step& step) {
    if (step.kind == course::StepKind::Article) {
        if (form_test)
            form_test->exec();
        return;
    }
    if (!Form1)
        return;
    training::CourseRun run;
    run.step = step.number;
    run.speed = step.minSpeed;
    // The step's earlier runs tell whether this one masters it.
    std::vector<course::StepRun> earlier;
    if (HistoryService* history = loadedHistory())
        if (const auto summary = history->summary(todayClock()()))
            earlier = summary->courseRuns;
    run.verdict = [step, earlier](int answered, int wrong, int lookups, int speed) {
        return course::runVerdict(step, answered, wrong, lookups, speed, earlier, todayClock()());
    };
    run.items = step.items;
    run.digits = step.digits;
    run.message = course::runMessage(step);
    switch (step.kind) {
    case course::StepKind::StrokePictures:
        run.kind = training::ExerciseKind::BasicStrokes;
        break;
    case course::StepKind::ColouredCharacters:
        run.kind = training::ExerciseKind::ColouredCharacters;
        break;
    case course::StepKind::Characters:
        run.kind = training::ExerciseKind::CharacterReview;
        break;
    default:
        run.kind = training::ExerciseKind::WordReview;
        break;
    }
    Form1->requestCourseRun(run);
    Form1->exec();
}

} // namespace

void openCourse() {
    const course::LoadedCourse course = course::loadCourse(courseFolder());
    const std::vector<course::Step>& steps = course.steps;
    // An item whose code is not the dictionary's would teach a wrong code.
    const QString problem =
        !steps.empty() && two ? course::codesProblem(steps, courseFolder(), *two) : course.problem;
    if (!problem.isEmpty()) {
        prompts::inform(QApplication::activeWindow(), QStringLiteral("学习路线"), problem);
        return;
    }
    std::optional<LearningSummary> summary;
    if (HistoryService* history = loadedHistory())
        summary = history->summary(todayClock()());
    if (!FormCourse)
        FormCourse = new TFormCourse;
    FormCourse->startStep = startStep;
    FormCourse->showCourse(steps,
                           summary ? courseRuns(steps, *summary) : std::vector<course::StepRun>());
    FormCourse->exec();
}

QString dailyPlan() {
    // Without a readable course the line still tells the reviews and the streak.
    const std::vector<course::Step> steps = course::loadCourse(courseFolder()).steps;
    HistoryService* history = historyIfLoaded() ? historyIfLoaded() : loadedHistory();
    if (!history)
        return QString();
    const QDate today = todayClock()();
    const std::optional<LearningSummary> summary = history->summary(today);
    if (!summary)
        return QString();
    const course::Standing at = course::standing(steps, courseRuns(steps, *summary), today);
    return course::planLine(summary->dueCharacters, summary->dueWords, at.step,
                            static_cast<int>(steps.size()),
                            course::streak(summary->practiceDays, today), at.countedToday);
}

void setCourseToday(std::function<QDate()> today) {
    todayClock() = today ? std::move(today) : [] { return QDate::currentDate(); };
}

void closeCourse() {
    delete FormCourse;
    FormCourse = nullptr;
}
