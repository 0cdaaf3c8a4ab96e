#include "history/training_answers.h"

#include "history/history_store.h"

namespace training_answers {

std::vector<coaching::AnsweredItem> read(const HistoryStore& store, Which which) {
    std::vector<coaching::AnsweredItem> answered;
    if (which == Which::WithRightOnes)
        for (const HistoryStore::ItemCount& c : store.rightAtOnceCounts())
            answered.push_back({c.item, c.code, {c.code}, {}, c.times});
    for (const TrainingRunRecord& run : store.trainingRuns(HistoryStore::Items::Missed)) {
        if (run.kind < kFirstCharacterKind)
            continue;
        for (const TrainingItemRecord& item : run.items)
            answered.push_back({item.item, item.code, item.answers, {}});
    }
    return answered;
}

} // namespace training_answers
