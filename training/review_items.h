#pragma once

#include "training/history_link.h"
#include "training/training_flow.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// The items of a review and of a drill as the training shows them, made
// from what the learning history draws.
namespace training {

// Every code the dictionary gives a character; nullopt when the dictionary
// cannot be read.
using CodesOf = std::function<std::optional<QStringList>(const QString& character)>;

// A review's items: what is due today, or the whole page topped up from the
// frequent items (`fill`, "补满"). Without a history (`history` null, or it
// cannot be opened), or with nothing due, the frequent items, and the
// message says why. A character is shown with its full code; its other
// codes (and the one the history kept) are right too. Without a readable
// dictionary the codes the history kept are taken.
ReviewItems reviewItems(HistoryLink* history, bool words, int count,
                        const std::vector<std::pair<QString, QString>>& frequent, bool fill,
                        const CodesOf& codesOf);

// A drill's characters; none without a history.
ReviewItems drillItems(HistoryLink* history, const std::optional<DrillTarget>& target, int count,
                       const QStringList& byFrequency);

} // namespace training
