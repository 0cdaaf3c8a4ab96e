#include "history/review_schedule.h"

#include <algorithm>
#include <cmath>
#include <set>

ReviewSchedule::ReviewSchedule(Clock today, std::vector<ReviewCard> cards)
    : today_(std::move(today)), cards_(std::move(cards)) {}

int ReviewSchedule::intervalDays(int box) {
    static constexpr int kDays[kBoxes + 1] = {0, 0, 1, 2, 4, 8};
    return kDays[std::clamp(box, 1, kBoxes)];
}

const ReviewCard* ReviewSchedule::find(const QString& item) const {
    for (const ReviewCard& c : cards_) {
        if (c.item == item)
            return &c;
    }
    return nullptr;
}

void ReviewSchedule::answered(const QString& item, const QString& code, bool right, bool lookedUp) {
    const QDate day = today_();
    auto it = std::find_if(cards_.begin(), cards_.end(),
                           [&](const ReviewCard& c) { return c.item == item; });
    const bool miss = !right || lookedUp;
    if (it == cards_.end()) {
        if (!miss)
            return;
        ReviewCard card;
        card.item = item;
        card.code = code;
        cards_.push_back(card);
        it = cards_.end() - 1;
    }
    ReviewCard& c = *it;
    if (!code.isEmpty())
        c.code = code;
    if (miss) {
        if (!right)
            ++c.misses;
        if (lookedUp)
            ++c.lookups;
        c.box = 1;
        c.rightDays = 0;
        c.lastMiss = day;
        c.due = day;
        c.retired = false;
        return;
    }
    // A right answer moves the item up only on a day it is due (a right
    // answer minutes after the miss, or before the box's interval has gone
    // by, proves nothing new), at most one step a day, and the item leaves
    // only from the last box.
    if (c.retired || c.lastRight == day || c.lastMiss == day || (c.due.isValid() && day < c.due))
        return;
    c.lastRight = day;
    ++c.rightDays;
    if (c.box >= kBoxes) {
        c.retired = true;
        return;
    }
    ++c.box;
    c.due = day.addDays(intervalDays(c.box));
}

double ReviewSchedule::weight(const ReviewCard& card) const {
    const double count = 1.0 + card.misses + 0.5 * card.lookups;
    const qint64 age =
        card.lastMiss.isValid() ? std::max<qint64>(0, card.lastMiss.daysTo(today_())) : 30;
    return count / (1.0 + static_cast<double>(age));
}

ReviewSelection ReviewSchedule::draw(int count,
                                     const std::vector<std::pair<QString, QString>>& frequent,
                                     std::mt19937& random) const {
    const QDate day = today_();
    std::vector<const ReviewCard*> today;
    std::vector<std::pair<double, const ReviewCard*>> keyed;
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (const ReviewCard& c : cards_) {
        if (c.retired || (c.due.isValid() && c.due > day))
            continue;
        if (c.lastMiss == day) {
            today.push_back(&c);
        } else {
            // Weighted sampling without replacement: the largest keys u^(1/w).
            const double u = std::max(uniform(random), 1e-12);
            keyed.emplace_back(std::pow(u, 1.0 / weight(c)), &c);
        }
    }
    std::stable_sort(today.begin(), today.end(), [](const ReviewCard* a, const ReviewCard* b) {
        return a->misses + a->lookups > b->misses + b->lookups;
    });
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });

    ReviewSelection s;
    std::set<QString> taken;
    auto take = [&](const ReviewCard& c) {
        if (static_cast<int>(s.cards.size()) < count && taken.insert(c.item).second)
            s.cards.push_back(c);
    };
    for (const ReviewCard* c : today)
        take(*c);
    for (const auto& k : keyed)
        take(*k.second);
    for (const auto& [item, code] : frequent) {
        if (static_cast<int>(s.cards.size()) >= count)
            break;
        if (taken.count(item) || (find(item) && find(item)->retired == false &&
                                  find(item)->due.isValid() && find(item)->due > day))
            continue; // waiting in a higher box: not yet
        ReviewCard c;
        c.item = item;
        c.code = code;
        take(c);
        if (s.cards.back().item == item)
            ++s.filled;
    }
    return s;
}
