#include "history/day_chart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 8;
constexpr int kSwatch = 14; // the legend's line sample
constexpr int kDot = 3;     // a day's point, radius

// A step of 1, 2 or 5 times a power of ten giving about five ticks up to `top`.
double niceStep(double top) {
    const double raw = std::max(top, 1.0) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (raw <= f * power)
            return f * power;
    return 10 * power;
}

} // namespace

DayChart::DayChart(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
    setMinimumHeight(160);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    clear();
}

QSize DayChart::minimumSizeHint() const {
    return {240, 160};
}

std::vector<std::vector<history_stats::DayValue>>
DayChart::pieces(const std::vector<history_stats::DayValue>& days) {
    std::vector<std::vector<history_stats::DayValue>> out;
    QDate previous;
    for (const history_stats::DayValue& d : days) {
        if (out.empty() || previous.daysTo(d.day) > 1)
            out.emplace_back();
        out.back().push_back(d);
        previous = d.day;
    }
    return out;
}

void DayChart::clear() {
    // Empty axes over today, as a chart of no values: a chart is always
    // drawable, even when no history could be read to fill it.
    setLines({}, 0, unit_);
    goalName_.clear();
    goal_ = 0;
}

void DayChart::setGoal(double value, const QString& name) {
    goal_ = value;
    goalName_ = name;
    update();
}

void DayChart::setLines(std::vector<Line> lines, double top, const QString& unit, bool fixedTop,
                        const std::pair<QDate, QDate>& alsoSpan) {
    lines_ = std::move(lines);
    unit_ = unit;
    QDate first = alsoSpan.first, last = alsoSpan.second;
    for (const Line& l : lines_) {
        for (const history_stats::DayValue& d : l.days) {
            first = first.isValid() ? std::min(first, d.day) : d.day;
            last = last.isValid() ? std::max(last, d.day) : d.day;
            top = fixedTop ? top : std::max(top, d.value);
        }
    }
    if (!first.isValid())
        first = last = QDate::currentDate();
    // Ticks fall on whole days: one a day over two weeks or less, else every
    // few days, the range stretched to a whole number of steps. The axis
    // starts the day before the first and ends after the last.
    const qint64 span = first.daysTo(last) + 2;
    tickDays_ = static_cast<int>(span <= 14 ? 1 : (span + 11) / 12);
    const qint64 intervals = (span + tickDays_ - 1) / tickDays_;
    axisFirst_ = first.addDays(-1);
    axisLast_ = axisFirst_.addDays(intervals * tickDays_);
    if (fixedTop) {
        top_ = top;
        valueStep_ = niceStep(top);
    } else {
        // At least 0-10, a little room above the highest, to a whole step.
        const double wanted = std::max(top * 1.1, 10.0);
        valueStep_ = niceStep(wanted);
        top_ = std::ceil(wanted / valueStep_) * valueStep_;
    }
    update();
}

void DayChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = fontMetrics();
    const QColor ink = palette().color(QPalette::Text);
    const QColor grid = palette().color(QPalette::Mid);

    // The title above, the names on the right, the values' labels at the
    // left and the dates below: the plot takes what is left.
    QFont titleFont = font();
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(ink);
    const int titleHeight = QFontMetrics(titleFont).height() + kMargin / 2;
    p.drawText(QRect(0, kMargin / 2, width(), titleHeight), Qt::AlignHCenter | Qt::AlignTop,
               title_);
    p.setFont(font());

    std::vector<std::pair<QString, QColor>> legend;
    for (const Line& l : lines_)
        legend.emplace_back(l.name, l.colour);
    if (!goalName_.isEmpty())
        legend.emplace_back(goalName_, Qt::red);
    int legendWidth = 0;
    for (const auto& [name, colour] : legend)
        legendWidth = std::max(legendWidth, fm.horizontalAdvance(name) + kSwatch + 3 * kMargin / 2);

    // The last date label sits half past the plot's right end.
    legendWidth = std::max(legendWidth, fm.horizontalAdvance(QStringLiteral("00-00-00")) / 2);
    const QString topLabel = QString::number(top_, 'f', 0);
    const int valueWidth = std::max(fm.horizontalAdvance(topLabel), fm.horizontalAdvance(unit_));
    const QRect plot(kMargin + valueWidth + kMargin / 2, titleHeight + fm.height() + kMargin / 2,
                     width() - legendWidth - valueWidth - 3 * kMargin,
                     height() - titleHeight - 2 * fm.height() - 2 * kMargin);
    if (plot.width() < 20 || plot.height() < 20 || !axisFirst_.isValid() || !axisLast_.isValid() ||
        tickDays_ < 1 || valueStep_ <= 0 || top_ <= 0)
        return;
    const double days = std::max<qint64>(1, axisFirst_.daysTo(axisLast_));
    auto xOf = [&](const QDate& d) {
        return plot.left() + plot.width() * static_cast<double>(axisFirst_.daysTo(d)) / days;
    };
    auto yOf = [&](double v) { return plot.bottom() - plot.height() * std::min(v, top_) / top_; };

    // The value axis: a grid line and a label at every step, the unit on the
    // title's line, clear of the top label.
    p.setPen(ink);
    p.drawText(QRect(kMargin, kMargin / 2, valueWidth + kMargin, titleHeight),
               Qt::AlignLeft | Qt::AlignTop, unit_);
    for (double v = 0; v <= top_ + valueStep_ / 1000; v += valueStep_) {
        const int y = static_cast<int>(std::lround(yOf(v)));
        p.setPen(QPen(grid, 0, v == 0 ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(ink);
        p.drawText(QRect(kMargin, y - fm.height() / 2, valueWidth, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v, 'f', 0));
    }
    // The date axis: a tick and a date at every tickDays_ days, the year too
    // when a tick is four weeks or more; labels that would touch are left out.
    const QString format = tickDays_ >= 28 ? QStringLiteral("yy-MM-dd") : QStringLiteral("MM-dd");
    int labelEnd = -1000;
    for (QDate d = axisFirst_; d <= axisLast_; d = d.addDays(tickDays_)) {
        const int x = static_cast<int>(std::lround(xOf(d)));
        p.setPen(grid);
        p.drawLine(x, plot.bottom(), x, plot.bottom() + 4);
        const QString label = d.toString(format);
        const int w = fm.horizontalAdvance(label);
        if (x - w / 2 <= labelEnd + kMargin / 2)
            continue;
        p.setPen(ink);
        p.drawText(QRect(x - w / 2, plot.bottom() + 5, w, fm.height()), Qt::AlignCenter, label);
        labelEnd = x + w / 2;
    }
    p.setPen(grid);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());

    // The lines, each piece one polyline, a dot on every day where the days
    // lie apart enough to tell one dot from the next (a lone day shows as
    // its dot whatever the span).
    const bool dots = plot.width() / days >= 4 * kDot;
    p.setClipRect(plot.adjusted(-kDot, -kDot, kDot, kDot));
    for (const Line& l : lines_) {
        p.setPen(QPen(l.colour, 2));
        p.setBrush(l.colour);
        for (const auto& piece : pieces(l.days)) {
            QPolygonF points;
            for (const history_stats::DayValue& d : piece)
                points << QPointF(xOf(d.day), yOf(d.value));
            p.drawPolyline(points);
            if (dots || points.size() == 1)
                for (const QPointF& pt : points)
                    p.drawEllipse(pt, kDot, kDot);
        }
    }
    if (!goalName_.isEmpty()) {
        p.setPen(QPen(Qt::red, 2, Qt::DashLine));
        p.drawLine(QPointF(plot.left(), yOf(goal_)), QPointF(plot.right(), yOf(goal_)));
    }
    p.setClipping(false);

    // The names, one a line, at the right.
    int y = plot.top();
    for (const auto& [name, colour] : legend) {
        const int x = plot.right() + kMargin;
        p.setPen(QPen(colour, 2));
        p.drawLine(x, y + fm.height() / 2, x + kSwatch, y + fm.height() / 2);
        p.setPen(ink);
        p.drawText(QRect(x + kSwatch + kMargin / 2, y, legendWidth, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
        y += fm.height() + 2;
    }
}
