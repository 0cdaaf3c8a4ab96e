#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <random>
#include <vector>

// One character or word under review, in a Leitner box.
struct ReviewCard {
    QString item;
    QString code;
    int box = 1;       // 1 … ReviewSchedule::kBoxes
    QDate due;         // comes back on this day
    int rightDays = 0; // due days answered right without help since the last miss
    QDate lastRight;
    int misses = 0;  // wrong answers and wrong entries in tests, all time
    int lookups = 0; // times looked up with F1, all time
    QDate lastMiss;
    bool retired = false; // answered right on enough days: no longer drawn
};

// What a review draws: the items, and how many of them were filled in from
// the frequent list because the history had too few.
struct ReviewSelection {
    std::vector<ReviewCard> cards;
    int filled = 0;
};

// The spaced schedule of the reviews (Leitner boxes). A miss or a look-up puts
// an item into the first box, due at once. A right answer without help on a
// day the item is due (never the day of its miss) moves it up one box, and a
// higher box comes back after a longer interval: 1, 2, 4, 8 days. A right
// answer on a due day in the last box retires the item.
// The clock is injected, so the schedule can be driven day by day.
class ReviewSchedule {
public:
    using Clock = std::function<QDate()>;
    explicit ReviewSchedule(Clock today, std::vector<ReviewCard> cards = {});

    static constexpr int kBoxes = 5;
    // Days until an item in box b comes back.
    static int intervalDays(int box);

    // An answer in training. Items answered right that are not under review
    // are left alone.
    void answered(const QString& item, const QString& code, bool right, bool lookedUp);
    // A character typed wrong in an article test.
    void missed(const QString& item, const QString& code) { answered(item, code, false, false); }

    // How strongly a due item is drawn: more misses and look-ups weigh more,
    // a recent miss more than an old one.
    double weight(const ReviewCard& card) const;

    // Draws up to `count` due items: those missed today first (most missed
    // first), then the others drawn by weight without repeats. When fewer are
    // due, fills up from `frequent` (item, code pairs, most frequent first)
    // with items not drawn yet.
    ReviewSelection draw(int count, const std::vector<std::pair<QString, QString>>& frequent,
                         std::mt19937& random) const;

    const std::vector<ReviewCard>& cards() const { return cards_; }
    const ReviewCard* find(const QString& item) const;
    QDate today() const { return today_(); }

private:
    Clock today_;
    std::vector<ReviewCard> cards_;
};
