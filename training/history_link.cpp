#include "training/history_link.h"

namespace training {
namespace {
class LinkedRuns : public RunObserver {
public:
    void runStarted(int kind, int level) override {
        if (auto* link = historyLink())
            link->runs().runStarted(kind, level);
    }
    void runIsCourseStep(int step) override {
        if (auto* link = historyLink())
            link->runs().runIsCourseStep(step);
    }
    void itemShown(const QString& text, const QString& code) override {
        if (auto* link = historyLink())
            link->runs().itemShown(text, code);
    }
    void answerTyped(const QString& code) override {
        if (auto* link = historyLink())
            link->runs().answerTyped(code);
    }
    void lookedUp() override {
        if (auto* link = historyLink())
            link->runs().lookedUp();
    }
    void itemDone(bool right) override {
        if (auto* link = historyLink())
            link->runs().itemDone(right);
    }
    void runEnded(int speed, bool finished) override {
        if (auto* link = historyLink())
            link->runs().runEnded(speed, finished);
    }
};
} // namespace

RunObserver& linkedRuns() {
    static LinkedRuns runs;
    return runs;
}

} // namespace training
