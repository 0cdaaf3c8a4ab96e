#pragma once

#include "course/course.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

// The window "学习路线": the steps of the course with where the learner
// stands, the advice of the chosen step, and "开始这一步", which closes the
// window and hands the step to `startStep` (the program opens its practice).
class TFormCourse : public QDialog {
    Q_OBJECT
public:
    explicit TFormCourse(QWidget* parent = nullptr);

    QTableWidget* GridSteps;
    QLabel* LabelAdvice;
    QPushButton *BtnStart, *BtnClose;

    // Shows `steps` with the runs the history keeps; the current step chosen.
    void showCourse(const std::vector<course::Step>& steps,
                    const std::vector<course::StepRun>& runs);
    std::function<void(const course::Step&)> startStep;

private:
    void chooseRow(int row);
    std::vector<course::Step> steps_;
};

extern TFormCourse* FormCourse;
