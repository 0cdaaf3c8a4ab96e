#pragma once

#include "coaching/confusion_counts.h"

#include <vector>

class HistoryStore;

// The answered items of the character and word runs, as the corner
// statistics read them (the stroke pictures' digits belong to no corner).
namespace training_answers {

enum class Which {
    Slips,        // only items answered wrong or looked up: what the drill needs
    WithRightOnes // those, after the items answered right at once, each item
                  // once with how often: what the corners' error rates need
};

std::vector<coaching::AnsweredItem> read(const HistoryStore& store, Which which);

} // namespace training_answers
