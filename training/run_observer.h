#pragma once

#include <QString>

namespace training {

// What a run is made of, for whoever keeps the learner's history: the start
// and the end of a run, each item as it becomes the current one, each answer
// submitted, F1 and each item answered right. The flow calls these on the
// key path, so an observer only takes note. A run that is left (another
// exercise, another page, the window closed, Start again) ends unfinished.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void runStarted(int /*kind*/, int /*level*/) {}
    // Right after runStarted: the run is a step of the course "学习路线".
    virtual void runIsCourseStep(int /*step*/) {}
    virtual void itemShown(const QString& /*text*/, const QString& /*code*/) {}
    virtual void answerTyped(const QString& /*code*/) {}
    virtual void lookedUp() {}
    virtual void itemDone(bool /*right*/) {}
    virtual void runEnded(int /*speed*/, bool /*finished*/) {}
};

} // namespace training
