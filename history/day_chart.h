#pragma once

#include "history/history_stats.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QWidget>

#include <vector>

// A chart of values over days, painted directly: each line in its colour
// with a dot on every day, cut where a day has no value (a day without
// practice stays a gap); a dashed goal across the whole width; dates below,
// values at the left with their unit, the lines' names on the right. Three
// years of four lines are a few hundred short polylines, not thousands of
// scene objects, and a new drawing replaces the old one in place.
class DayChart : public QWidget {
public:
    struct Line {
        QString name;
        QColor colour;
        std::vector<history_stats::DayValue> days; // in order
    };

    explicit DayChart(const QString& title, QWidget* parent = nullptr);

    // Draws `lines` with the values from 0 to `top` or more (rounded up to
    // a whole step; `fixedTop`: exactly `top`), in `unit`; the date axis
    // spans their days and `alsoSpan` (a chart beside another spans its days).
    void setLines(std::vector<Line> lines, double top, const QString& unit, bool fixedTop = false,
                  const std::pair<QDate, QDate>& alsoSpan = {});
    // A dashed red line at `value` named `name`; none when `name` is empty.
    void setGoal(double value, const QString& name);
    void clear();

    const std::vector<Line>& lines() const { return lines_; }
    double goal() const { return goal_; }
    const QString& goalName() const { return goalName_; }
    // The days the date axis spans: the day before the first value, to a
    // whole number of ticks past the last; a tick every tickDays() days.
    QDate axisFirst() const { return axisFirst_; }
    QDate axisLast() const { return axisLast_; }
    int tickDays() const { return tickDays_; }
    double top() const { return top_; }

    // The unbroken runs of consecutive days of a line.
    static std::vector<std::vector<history_stats::DayValue>>
    pieces(const std::vector<history_stats::DayValue>& days);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    QString unit_;
    std::vector<Line> lines_;
    double goal_ = 0;
    QString goalName_;
    QDate axisFirst_, axisLast_;
    int tickDays_ = 1;
    double top_ = 10;
    double valueStep_ = 2;
};
