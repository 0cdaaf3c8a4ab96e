#include "history/training_answers.h"

#include "history/history_store.h"

namespace training_answers {

std::vector<coaching::AnsweredItem> read(const HistoryStore& store, Which which) {
    return store.answeredItems(which == Which::WithRightOnes);
}

} // namespace training_answers
