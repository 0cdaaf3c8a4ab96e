#include "results/rate_limit.h"

#include <algorithm>

namespace results {

bool RateLimit::allow(const QString& key, qint64 nowMs) {
    // Tokens quiet for a minute are forgotten, so the table stays small.
    if (nowMs - lastSweep_ > 60'000) {
        lastSweep_ = nowMs;
        for (auto it = recent_.begin(); it != recent_.end();)
            it = it->empty() || nowMs - it->back() >= 60'000 ? recent_.erase(it) : std::next(it);
    }
    std::deque<qint64>& times = recent_[key];
    while (!times.empty() && nowMs - times.front() >= 60'000)
        times.pop_front();
    const auto lastSecond =
        std::count_if(times.begin(), times.end(), [&](qint64 t) { return nowMs - t < 1000; });
    if (lastSecond >= perSecond_ || static_cast<int>(times.size()) >= perMinute_)
        return false;
    times.push_back(nowMs);
    return true;
}

} // namespace results
