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
// The page of an address without a class: how to join one from the tutor.
QString noClassPage();
// A week's progress as an SVG line: the weeks' best speeds, oldest first.
QString progressSvg(const std::vector<std::pair<QDate, int>>& weeks, const QDate& firstWeek);

} // namespace results
