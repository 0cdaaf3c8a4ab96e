#include "platform/chinese_clock.h"

namespace chinese_clock {

QString timeOfDay(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/M/d"));
}

} // namespace chinese_clock
