#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The time of day and the date as a Chinese desktop writes them, whatever the
// locale the program runs under: "18:46:05" and "2026/12/8" (never "PM",
// "UTC" or "8 Dec 2026" in a Chinese window).
namespace chinese_clock {

QString timeOfDay(const QTime& time);
QString shortDate(const QDate& date);

} // namespace chinese_clock
