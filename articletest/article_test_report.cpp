#include "articletest/article_test_report.h"

#include <cmath>

TestReport TestReport::compute(const QString& clock, int typed, int wrongCount) {
    TestReport r;
    const qsizetype colon = clock.indexOf(u':');
    const int minutes = colon < 0 ? 0 : clock.left(colon).trimmed().toInt();
    const int seconds = colon < 0 ? 0 : clock.mid(colon + 1).trimmed().toInt();
    r.time = seconds != 0 ? QStringLiteral("%1分%2秒").arg(minutes).arg(seconds)
                          : QStringLiteral("%1分钟").arg(minutes);
    const int right = typed - wrongCount;
    r.total = QStringLiteral("%1个字").arg(typed);
    r.wrong = QStringLiteral("%1个字").arg(wrongCount);
    r.right = QStringLiteral("%1个字").arg(right);
    r.accuracy = QStringLiteral("%1%").arg(typed == 0 ? 0 : right * 100 / typed);
    const int elapsed = minutes * 60 + seconds;
    // std::nearbyint rounds halves to the even neighbour (the default rounding mode).
    r.speed = elapsed != 0 ? static_cast<int>(std::nearbyint(right * 60.0 / elapsed)) : 0;
    r.rate = QStringLiteral("%1字/分").arg(r.speed);
    return r;
}
