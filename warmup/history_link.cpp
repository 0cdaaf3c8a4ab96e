#include "warmup/history_link.h"

namespace warmup {
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

} // namespace warmup
