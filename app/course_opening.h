#pragma once

#include <QDate>
#include <QString>

#include <functional>

// The course "学习路线" as the start screen opens it: its window with the
// learner's standing from the history, the practice of a chosen step (the
// training window or the article test, opened as the start screen opens
// them), and the day's plan.

// Opens the window "学习路线"; a step chosen there opens its practice.
void openCourse();
// The start screen's line: what is due today, the step to go on with, the
// days practised in a row; "" without a course or a history.
QString dailyPlan();
// The day the plan and the standing are read on (tests set their own; none:
// the clock).
void setCourseToday(std::function<QDate()> today);
// Deletes the course's window (made at its first opening).
void closeCourse();
