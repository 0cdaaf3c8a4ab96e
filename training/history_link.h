#pragma once

#include "platform/link_slot.h"
#include "training/run_observer.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace training {

// A drill's corner (0-3 as the code's digits, 4 the extra corner), the digit
// the code has there, and the stroke when the slips there were all of one
// ("撇"): only characters with that stroke at the corner are drilled.
struct DrillTarget {
    int corner = 0;
    QChar digit;
    QString stroke;
};

// The message lines of a review that the history could not fill alone:
// how many items came from the history and how many frequent ones were added.
inline QStringList reviewTopUpMessage(int fromHistory, int filled, bool words) {
    const QString unit = words ? QStringLiteral("词") : QStringLiteral("字");
    return {QStringLiteral("复习记录只有%1个%2，").arg(fromHistory).arg(unit),
            QStringLiteral("另加%1个常用%2。").arg(filled).arg(unit)};
}

// The items a review drew from the learning history: (item, code) pairs, and
// the lines for the message labels (empty when the history filled the grid).
struct ReviewDraw {
    std::vector<std::pair<QString, QString>> items;
    QStringList message;
    // The frequent items added after the history's, at the end of `items`.
    int filled = 0;
    // A drill's corner and digit, as chosen (the one confused most when none was asked for).
    std::optional<DrillTarget> drilled;
};

// What the training asks of the learning history. The history implements it;
// the program sets it when the history is loaded. Without one, runs are not
// kept and the reviews take the frequent items.
class HistoryLink {
public:
    virtual ~HistoryLink() = default;
    // Takes note of the runs.
    virtual RunObserver& runs() = 0;
    // Draws the items due for a review (characters or words), topped up from
    // the frequent ones; nothing when the history cannot be opened.
    virtual std::optional<ReviewDraw>
    drawReview(bool words, int count, const std::vector<std::pair<QString, QString>>& frequent) = 0;
    // Opens the window "学习记录" over the active window and returns when it closes.
    virtual void showWindow() = 0;
    // How many characters and words are due for review today (0, 0 without a history).
    virtual std::pair<int, int> dueCounts() = 0;
    // Draws the characters of a drill of one corner (弱点练习): those whose
    // code holds `target`'s digit at its corner, the ones the learner missed
    // there first, then in `byFrequency`'s order; without a target, the
    // corner and digit the learner confuses most. Nothing when the history
    // cannot be opened; no items (and a message) when it knows no confusion.
    virtual std::optional<ReviewDraw> drawDrill(const std::optional<DrillTarget>& target, int count,
                                                const QStringList& byFrequency) = 0;
};

inline void setHistoryLink(HistoryLink* link) {
    LinkSlot<HistoryLink>::set(link);
}
inline HistoryLink* historyLink() {
    return LinkSlot<HistoryLink>::get();
}
// The observer the training window gives its flow: it passes each call on to
// the history link of the moment, and drops it while there is none.
RunObserver& linkedRuns();

} // namespace training
