#pragma once

#include "platform/link_slot.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace articletest {

// What the article test tells the learning history. The history implements
// it; the program sets it when the history is loaded.
class HistoryLink {
public:
    virtual ~HistoryLink() = default;
    // A test ended (finished or time up): the article's name, the test
    // clock's text ("05:00"), the characters typed and the report's error
    // lines ("中(种)": the article's character, then the one entered), with
    // the codes typed for them (ASCII digits). `codesOf` gives a character's
    // codes from the dictionary (empty when it has none).
    virtual void testEnded(const QString& article, const QString& clock, int typed,
                           const QStringList& errorLines,
                           const std::vector<std::string>& typedCodes,
                           const std::function<QStringList(const QString&)>& codesOf) = 0;
};

inline void setHistoryLink(HistoryLink* link) {
    LinkSlot<HistoryLink>::set(link);
}
inline HistoryLink* historyLink() {
    return LinkSlot<HistoryLink>::get();
}

} // namespace articletest
