#pragma once

#include "course/course.h"

#include <QString>

#include <vector>

// How the course looks to the learner: each step mastered, the one to work
// on, or ahead; the window "学习路线" lists it.
namespace course {

struct StepStatus {
    int number = 0;
    bool mastered = false;
    bool current = false;   // the first step not mastered
    int countedRuns = 0;    // the current step: its runs towards mastery so far (0, 1)
    bool practised = false; // some run of it had answers, whether it counted or not
    // "已掌握", "正在学（1/2 天达标）", "练过（0/2 天达标）", "还没学到"
    QString text() const;
};

std::vector<StepStatus> path(const std::vector<Step>& steps, const std::vector<StepRun>& runs);

// The line for the training's message labels of a step's run.
QStringList runMessage(const Step& step);

} // namespace course
