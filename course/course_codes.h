#pragma once

#include "course/course.h"

#include <QString>

class Ttwo;

namespace course {

// Whether every item of the course has the code the dictionary gives it: a
// character one of its codes, a word one whose candidates hold it. The first
// that does not is named by its step's file (in `folder`) and line, with both
// codes where the dictionary has one; "" when all agree. A dictionary that
// cannot be read checks nothing (its own fault is told where it is used).
QString codesProblem(const std::vector<Step>& steps, const QString& folder, Ttwo& dictionary);

} // namespace course
