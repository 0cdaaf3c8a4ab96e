#include "history/history_csv.h"

#include "history/history_stats.h"

#include "platform/safe_write.h"

#include <QDir>
#include <QStringList>

namespace history_csv {

namespace {
const char* const kTime = "yyyy-MM-dd HH:mm:ss";

QByteArray document(const QStringList& header, const std::vector<QStringList>& rows) {
    QString text;
    auto line = [&text](const QStringList& fields) {
        QStringList quoted;
        for (const QString& f : fields)
            quoted << field(f);
        text += quoted.join(u',') + QStringLiteral("\r\n");
    };
    line(header);
    for (const QStringList& r : rows)
        line(r);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
} // namespace

QString field(const QString& value) {
    // A leading = + - @ would start a formula in a spreadsheet, and so may a
    // leading tab or carriage return before one: quote it as text. A signed
    // number stays a number.
    bool number = false;
    value.toDouble(&number);
    const bool formula =
        !value.isEmpty() && QStringLiteral("=+-@\t\r").contains(value[0]) && !number;
    if (!formula && !value.contains(u',') && !value.contains(u'"') && !value.contains(u'\n') &&
        !value.contains(u'\r'))
        return value;
    QString v = value;
    v.replace(u'"', QStringLiteral("\"\""));
    return u'"' + (formula ? QStringLiteral("'") : QString()) + v + u'"';
}

QByteArray runs(const std::vector<TrainingRunRecord>& runs) {
    std::vector<QStringList> rows;
    for (const TrainingRunRecord& r : runs)
        rows.push_back({history_stats::kindName(history_stats::lineOf(r)), QString::number(r.level),
                        r.started.toString(QString::fromLatin1(kTime)),
                        r.ended.toString(QString::fromLatin1(kTime)), QString::number(r.speed),
                        QString::number(r.answered), QString::number(r.wrong),
                        QString::number(r.hints),
                        r.finished ? QStringLiteral("完成") : QStringLiteral("中止")});
    return document({QStringLiteral("练习"), QStringLiteral("级别"), QStringLiteral("开始"),
                     QStringLiteral("结束"), QStringLiteral("速度(字/分)"),
                     QStringLiteral("答题数"), QStringLiteral("错误数"), QStringLiteral("提示数"),
                     QStringLiteral("状态")},
                    rows);
}

QByteArray tests(const std::vector<ArticleTestRecord>& tests) {
    std::vector<QStringList> rows;
    for (const ArticleTestRecord& t : tests)
        rows.push_back({t.article, t.ended.toString(QString::fromLatin1(kTime)),
                        QString::number(t.seconds), QString::number(t.typed),
                        QString::number(t.wrong), QString::number(t.speed),
                        QString::number(t.accuracy, 'f', 1)});
    return document({QStringLiteral("文章"), QStringLiteral("结束"), QStringLiteral("用时(秒)"),
                     QStringLiteral("已打"), QStringLiteral("打错"), QStringLiteral("速度(字/分)"),
                     QStringLiteral("正确率(%)")},
                    rows);
}

QString modeName(const QString& mode) {
    return mode == QLatin1String("fun") ? QStringLiteral("趣味式") : QStringLiteral("古典式");
}

QByteArray games(const std::vector<WarmupRecord>& games) {
    std::vector<QStringList> rows;
    for (const WarmupRecord& g : games)
        rows.push_back({g.played.toString(QString::fromLatin1(kTime)), modeName(g.mode),
                        QString::number(g.seconds), QString::number(g.score)});
    return document({QStringLiteral("时间"), QStringLiteral("方式"), QStringLiteral("用时(秒)"),
                     QStringLiteral("成绩")},
                    rows);
}

void exportTo(const QString& folder, const std::vector<TrainingRunRecord>& runs,
              const std::vector<ArticleTestRecord>& tests, const std::vector<WarmupRecord>& games) {
    const QDir dir(folder);
    safewrite::replaceFile(dir.filePath(QString::fromUtf8(kRunsFile)), history_csv::runs(runs),
                           QStringLiteral("导出文件"));
    safewrite::replaceFile(dir.filePath(QString::fromUtf8(kTestsFile)), history_csv::tests(tests),
                           QStringLiteral("导出文件"));
    safewrite::replaceFile(dir.filePath(QString::fromUtf8(kGamesFile)), history_csv::games(games),
                           QStringLiteral("导出文件"));
}

} // namespace history_csv
