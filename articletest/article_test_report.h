#pragma once

#include <QString>

// The arithmetic of the test report: time, counts, accuracy and speed, from
// the test window's clock text and counters.
struct TestReport {
    QString time;     // "3分27秒", "15分钟"
    QString total;    // "200个字"
    QString wrong;    // "10个字"
    QString right;    // "190个字"
    QString accuracy; // "95%", truncated
    int speed = 0;    // characters per minute, halves to even
    QString rate;     // "38字/分"

    // `clock` is the test clock's text ("05:00", "0:00"); `typed` and
    // `wrongCount` the counters.
    static TestReport compute(const QString& clock, int typed, int wrongCount);
};
