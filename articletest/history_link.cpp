#include "articletest/history_link.h"

namespace articletest {
namespace {
HistoryLink*& current() {
    static HistoryLink* link = nullptr;
    return link;
}
} // namespace

void setHistoryLink(HistoryLink* link) {
    current() = link;
}

HistoryLink* historyLink() {
    return current();
}

} // namespace articletest
