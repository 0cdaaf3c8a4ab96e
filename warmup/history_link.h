#pragma once

#include "platform/link_slot.h"

namespace warmup {

// What the warm-up game tells the learning history. The history implements
// it; the program sets it when the history is loaded.
class HistoryLink {
public:
    virtual ~HistoryLink() = default;
    // A game ended: which mode, the seconds it lasted, the score.
    virtual void gameEnded(bool funMode, int seconds, int score) = 0;
};

inline void setHistoryLink(HistoryLink* link) {
    LinkSlot<HistoryLink>::set(link);
}
inline HistoryLink* historyLink() {
    return LinkSlot<HistoryLink>::get();
}

} // namespace warmup
