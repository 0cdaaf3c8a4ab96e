#include "course/course_path.h"

#include <algorithm>

namespace course {

QString StepStatus::text() const {
    if (mastered)
        return QStringLiteral("已掌握");
    if (current)
        return QStringLiteral("正在学（%1/2 天达标）").arg(countedRuns);
    if (countedRuns > 0 || practised) // practised ahead of the step in turn
        return QStringLiteral("练过（%1/2 天达标）").arg(countedRuns);
    return QStringLiteral("还没学到");
}

std::vector<StepStatus> path(const std::vector<Step>& steps, const std::vector<StepRun>& runs) {
    const Standing at = standing(steps, runs);
    std::vector<StepStatus> out;
    out.reserve(steps.size());
    for (const Step& s : steps) {
        StepStatus st;
        st.number = s.number;
        st.current = s.number == at.step;
        // A step skipped ahead to and mastered shows so, though one before it is not.
        st.mastered = !st.current && mastered(s, runs);
        st.countedRuns = st.current ? at.countedRuns : st.mastered ? 2 : countedDays(s, runs);
        // Any run with answers shows that the step was tried, counted or not.
        st.practised = std::any_of(runs.begin(), runs.end(),
                                   [&](const StepRun& r) { return r.step == s.number; });
        out.push_back(st);
    }
    return out;
}

QStringList runMessage(const Step& step) {
    return {QStringLiteral("学习路线第%1步").arg(step.number), step.title};
}

} // namespace course
