#include "results/class_page.h"

#include <QStringList>

#include <algorithm>

namespace results {

namespace {

constexpr int kWeeks = 12;

QString page(const QString& title, const QString& body) {
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
                          "<meta name=\"viewport\" content=\"width=device-width\">"
                          "<title>%1</title><style>body{font-family:sans-serif;margin:2em}"
                          "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:"
                          "4px 10px;text-align:right}td.name{text-align:left}"
                          "nav a{margin-right:1em}</style></head><body>%2</body></html>\n")
        .arg(title.toHtmlEscaped(), body);
}

} // namespace

QString teacherPage(const QString& joinCode, const QString& className,
                    const std::vector<Learner>& learners, const QString& token,
                    const QString& message) {
    const QString code = joinCode.toHtmlEscaped();
    const QString action = QStringLiteral("/class/%1/teacher/").arg(code);
    const QString key = QStringLiteral("<input type=\"hidden\" name=\"token\" value=\"%1\">")
                            .arg(token.toHtmlEscaped());
    QString body = QStringLiteral("<h1>%1：老师页</h1><p>班级代码 <strong>%2</strong>"
                                  "（学员在 Tarvo 的《在线竞技》里用它加入）。"
                                  "<a href=\"/class/%2\">班级成绩</a></p>")
                       .arg(className.toHtmlEscaped(), code);
    if (!message.isEmpty())
        body += QStringLiteral("<p role=\"status\"><strong>%1</strong></p>")
                    .arg(message.toHtmlEscaped());
    if (learners.empty()) {
        body += QStringLiteral("<p>还没有学员加入。</p>");
    } else {
        body += QStringLiteral("<table><tr><th>学员</th><th>改名</th><th>移出班级</th></tr>");
        for (const Learner& l : learners)
            body +=
                QStringLiteral("<tr><td class=\"name\">%1</td><td><form method=\"post\" "
                               "action=\"%2rename\">%3<input type=\"hidden\" name=\"id\" "
                               "value=\"%4\"><input name=\"name\" maxlength=\"20\" required "
                               "aria-label=\"新名字\"> <button>改名</button></form></td><td><form "
                               "method=\"post\" action=\"%2remove\">%3<input type=\"hidden\" "
                               "name=\"id\" value=\"%4\"><button>移出</button></form></td></tr>")
                    .arg(l.name.toHtmlEscaped(), action, key)
                    .arg(l.id);
        body += QStringLiteral("</table>");
    }
    body += QStringLiteral("<h2>关闭班级</h2><form method=\"post\" action=\"%1close\">%2"
                           "<label><input type=\"checkbox\" name=\"sure\" value=\"1\" "
                           "required> 关闭后不能再加入，也不再收成绩</label> "
                           "<button>关闭班级</button></form>")
                .arg(action, key);
    return page(className + QStringLiteral("：老师页"), body);
}

QString progressSvg(const std::vector<std::pair<QDate, int>>& weeks, const QDate& firstWeek) {
    const int width = 120, height = 30;
    int top = 10;
    for (const auto& [week, speed] : weeks)
        top = std::max(top, speed);
    QStringList points;
    QString dots; // a lone week shows as its dot
    for (const auto& [week, speed] : weeks) {
        const qint64 at = firstWeek.daysTo(week) / 7;
        if (at < 0 || at >= kWeeks)
            continue;
        const qint64 x = 5 + at * (width - 10) / (kWeeks - 1);
        const int y = height - 3 - speed * (height - 6) / top;
        points << QStringLiteral("%1,%2").arg(x).arg(y);
        dots +=
            QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"2\" fill=\"#1f77b4\"/>").arg(x).arg(y);
    }
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "role=\"img\" aria-label=\"每周最好速度\"><polyline fill=\"none\" "
                          "stroke=\"#1f77b4\" stroke-width=\"2\" points=\"%3\"/>%4</svg>")
        .arg(width)
        .arg(height)
        .arg(points.join(u' '), dots);
}

QString classPage(const QString& joinCode, const QString& className, Kind kind,
                  const std::vector<Ranked>& ranking, const QDateTime& now) {
    const QDate today = now.toUTC().date();
    const QDate firstWeek = today.addDays(1 - today.dayOfWeek()).addDays(-7 * (kWeeks - 1));
    QString nav = QStringLiteral("<nav>");
    for (Kind k : {Kind::ArticleTest, Kind::Training, Kind::Warmup}) {
        nav += k == kind ? QStringLiteral("<strong>%1</strong> ").arg(kindName(k))
                         : QStringLiteral("<a href=\"/class/%1?lxid=%2\">%3</a> ")
                               .arg(joinCode.toHtmlEscaped())
                               .arg(static_cast<int>(k))
                               .arg(kindName(k));
    }
    nav += QStringLiteral("</nav>");
    const QString unit = kind == Kind::Warmup ? QStringLiteral("分") : QStringLiteral("字/分");
    QString rows;
    int place = 0;
    for (const Ranked& r : ranking) {
        rows += QStringLiteral("<tr><td>%1</td><td class=\"name\">%2</td><td>%3</td><td>%4</td>"
                               "<td>%5%</td><td>%6</td><td>%7</td><td>%8</td></tr>")
                    .arg(++place)
                    .arg(r.name.toHtmlEscaped())
                    .arg(r.best)
                    .arg(r.latest)
                    .arg(r.accuracy, 0, 'f', 1)
                    .arg(r.daysThisWeek)
                    .arg(r.lastSeen.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                    .arg(progressSvg(r.weeks, firstWeek));
    }
    const QString table =
        ranking.empty()
            ? QStringLiteral("<p>还没有成绩。在 Tarvo 里完成一次练习后，成绩会出现在这里。</p>")
            : QStringLiteral("<table><tr><th>名次</th><th>名字</th><th>最好（%1）</th>"
                             "<th>最近（%1）</th><th>正确率</th><th>本周练习天数</th>"
                             "<th>最近练习（UTC）</th><th>十二周进步</th></tr>%2</table>")
                  .arg(unit, rows);
    return page(className + QStringLiteral(" · ") + kindName(kind),
                QStringLiteral("<h1>%1</h1>%2<h2>%3</h2>%4")
                    .arg(className.toHtmlEscaped(), nav, kindName(kind), table));
}

QString noClassPage() {
    return page(
        QStringLiteral("Tarvo 班级成绩"),
        QStringLiteral("<h1>Tarvo 班级成绩</h1><p>在 Tarvo 的开始画面点“在线竞技”，填入老师给"
                       "的班级代码加入班级，就能在这里看到全班的成绩。</p>"));
}

} // namespace results
