#pragma once

#include "history/review_schedule.h"

#include <QString>
#include <QStringList>

#include <random>
#include <utility>
#include <vector>

class HistoryStore;

// The items of the two reviews, "错字复习" (characters) and "错词复习" (words).
namespace review_source {

// The first `limit` items of an exercise file of `hzlib` (records of
// `recordLength` bytes: a 6-byte code, the GBK text, CR LF), in file order,
// which is the order of falling frequency. Throws UserError naming the file
// when it cannot be read.
std::vector<std::pair<QString, QString>> frequentItems(const QString& path, int recordLength,
                                                       int limit);

struct Draw {
    std::vector<ReviewCard> items;
    // The lines for the training window's message labels: empty when the
    // history filled the whole grid, else they say how many came from the
    // frequent items.
    QStringList message;
    // The frequent items added after the history's, at the end of `items`.
    int filled = 0;
};

// Draws `count` items for a review from the history's schedule, filling up
// from `frequent` when the history has too few.
Draw draw(const HistoryStore& store, bool words, int count,
          const std::vector<std::pair<QString, QString>>& frequent,
          const ReviewSchedule::Clock& today, std::mt19937& random);

} // namespace review_source
