#pragma once

#include <QHash>
#include <QString>

#include <deque>

// How often one token may post: at most `perSecond` in any second and
// `perMinute` in any minute; the rest are refused (the tutor's queue sends
// them again later). Kept in the server's memory, per process.
namespace results {

class RateLimit {
public:
    RateLimit(int perSecond, int perMinute) : perSecond_(perSecond), perMinute_(perMinute) {}
    // Whether a post of `key` at `nowMs` (milliseconds) is allowed; counts it if so.
    bool allow(const QString& key, qint64 nowMs);

private:
    int perSecond_;
    int perMinute_;
    QHash<QString, std::deque<qint64>> recent_;
    qint64 lastSweep_ = 0;
};

} // namespace results
