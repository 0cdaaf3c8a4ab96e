#pragma once

#include "results/results_store.h"

#include <QString>

#include <vector>

// The class page: plain HTML in Chinese that works without scripts, every
// name escaped; each learner's best speed of the last twelve weeks drawn as
// a small SVG line.
namespace results {

QString classPage(const QString& joinCode, const QString& className, Kind kind,
                  const std::vector<Ranked>& ranking, const QDateTime& now);
// The teacher's page of a class, reached by the link with the teacher's
// token: each learner with a form to rename and one to remove, a form to
// close the class, and `message` (what the last action did, or why not) on
// top. Plain forms that post back; no scripts.
QString teacherPage(const QString& joinCode, const QString& className,
                    const std::vector<Learner>& learners, const QString& token,
                    const QString& message);
// The page of an address without a class: how to join one from the tutor.
QString noClassPage();
// A week's progress as an SVG line: the weeks' best speeds, oldest first.
QString progressSvg(const std::vector<std::pair<QDate, int>>& weeks, const QDate& firstWeek);

} // namespace results
