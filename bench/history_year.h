#pragma once

#include "history/history_store.h"

#include <QString>

// A year of daily practice written into a learning history, as a learner who
// trains most days would leave it: about 1,200 training runs with 100,000
// answered items among some 4,600 characters and words, article tests with
// their wrong characters, and warm-up games. Made from a fixed seed.
namespace history_year {

struct Size {
    int runs = 0;
    long items = 0;
    int tests = 0;
};

// Writes the year (or `years` of them, the same practice day after day) into
// `store`, one day after another from 2025-12-01.
Size fill(HistoryStore& store, int years = 1);

} // namespace history_year
