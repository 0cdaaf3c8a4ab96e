// The counts the history keeps at each record's end equal the same counts
// made from the records, after a generated month of random runs and tests
// (some recorded by a program without the corner table, some runs left at
// once), and again after a history of the version before them is opened.
#include "coaching/confusion_counts.h"
#include "coaching/corner_table.h"
#include "coaching/weak_drill.h"
#include "history/history_stats.h"
#include "history/history_store.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace history_stats;

const QDate kFirstDay(2026, 3, 2);

std::shared_ptr<const coaching::CornerTable> cornerTable() {
    return std::make_shared<const coaching::CornerTable>(coaching::CornerTable::fromText(
        QStringLiteral("中\t50006\t0 1 - - 2\t插 已用 已用 已用 方\n"
                       "国\t60104\t0 1 3 4 5\t方 横 撇 叉 点\n"
                       "他\t04210\t0 3 1 4 2\t撇 叉 竖 横 左钩\n"
                       "们\t0720\t0 4 1 4\t撇 角 竖 左钩\n")));
}

// A month of practice: runs of every kind (course steps too), some with
// no answer or no speed, slips, look-ups and repeated codes; tests with
// wrong codes and wrong candidates; `aside` runs go through a second
// program that has no corner table.
void practiseAMonth(HistoryStore& s, HistoryStore& aside) {
    const std::pair<const char16_t*, const char16_t*> items[] = {
        {u"中", u"50006"}, {u"国", u"60104"},    {u"他", u"04210"},
        {u"们", u"0720"},  {u"中国", u"500601"}, {u"2", u"2"}};
    std::mt19937 random(17);
    auto some = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto slipOf = [&](QString code) {
        code[some(static_cast<int>(code.size()))] = QChar(u'0' + some(10));
        return code;
    };
    for (int d = 0; d < 30; ++d) {
        const QDate day = kFirstDay.addDays(d);
        for (int n = 0; n < 4; ++n) {
            TrainingRunRecord r;
            r.kind = some(14);
            r.courseStep = some(5) == 0 ? 1 + some(3) : 0;
            r.started = r.ended = QDateTime(day, QTime(8 + n, 0));
            r.speed = some(6) == 0 ? 0 : 10 + some(40);
            for (int i = some(8) == 0 ? 0 : 12; i > 0; --i) {
                const auto& [text, code] = items[some(6)];
                TrainingItemRecord item{
                    QString::fromUtf16(text), QString::fromUtf16(code), {}, true, 1, some(9) == 0};
                for (int k = some(4) == 0 ? 1 + some(3) : 0; k > 0; --k)
                    item.answers << (some(3) == 0 ? item.answers.value(0, slipOf(item.code))
                                                  : slipOf(item.code));
                item.right = some(7) != 0;
                if (item.right)
                    item.answers << item.code;
                r.items.push_back(item);
            }
            r.answered = static_cast<int>(r.items.size());
            (some(5) == 0 ? aside : s).addTrainingRun(r, [day] { return day; });
        }
        if (d % 3 == 0) {
            ArticleTestRecord t;
            t.ended = QDateTime(day, QTime(8, 0)); // with the first run: the run first
            t.typed = some(4) == 0 ? 0 : 100;
            t.speed = 30 + some(20);
            t.accuracy = 95;
            t.errors = {{QStringLiteral("国"), QStringLiteral("果"), QStringLiteral("60104"),
                         slipOf(QStringLiteral("60104")), false},
                        {QStringLiteral("他"), QStringLiteral("她"), QStringLiteral("04210"),
                         QStringLiteral("04210"), true},
                        {QStringLiteral(" "), QString(), QString(), QString(), false}};
            s.addArticleTest(t, [day] { return day; });
        }
    }
}

// What the window and the drill show, as text: kept and recounted compare
// line by line.
QStringList shown(const std::map<int, std::vector<DayValue>>& speeds) {
    QStringList out;
    for (const auto& [line, days] : speeds)
        for (const DayValue& d : days)
            out << QStringLiteral("%1 %2 %3").arg(line).arg(d.day.toString()).arg(d.value);
    return out;
}
QStringList shown(const std::vector<MissedItem>& missed) {
    QStringList out;
    for (const MissedItem& m : missed)
        out << QStringLiteral("%1 %2 %3/%4 %5×%6 %7")
                   .arg(m.item, m.code)
                   .arg(m.misses)
                   .arg(m.lookups)
                   .arg(m.wrongCode)
                   .arg(m.wrongCodeCount)
                   .arg(m.wrongCandidates);
    return out;
}
QStringList shown(const DigitMistakes& digits) {
    QStringList out;
    for (const auto& row : digits.typedFor)
        for (int n : row)
            out << QString::number(n);
    return out;
}
QStringList shown(const coaching::ConfusionReport& r) {
    QStringList out;
    for (const coaching::CornerErrorRate& c : r.corners)
        out << QStringLiteral("%1/%2").arg(c.wrong).arg(c.answers);
    for (const coaching::DigitConfusion& d : r.digits)
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(d.corner)
                   .arg(d.text())
                   .arg(d.count)
                   .arg(d.examples.join(u','));
    for (const coaching::ShapeConfusion& s : r.shapes)
        out << QStringLiteral("%1 %2 %3").arg(s.text()).arg(s.count).arg(s.examples.join(u','));
    return out;
}
QStringList shown(const std::vector<coaching::CharacterMiss>& misses) {
    QStringList out;
    for (const coaching::CharacterMiss& m : misses)
        out << QStringLiteral("%1×%2").arg(m.character).arg(m.times);
    return out;
}

void expectKeptEqualsRecounted(HistoryStore& s, const coaching::CornerTable& table) {
    const std::vector<TrainingRunRecord> runs = s.trainingRuns();
    const std::vector<ArticleTestRecord> tests = s.articleTests();
    EXPECT_EQ(shown(s.speedPerDay()), shown(speedPerDay(runs, tests)));
    EXPECT_EQ(shown(s.mostMissed(1000)), shown(mostMissed(runs, tests, 1000)));
    EXPECT_EQ(shown(s.mostMissed(3)), shown(mostMissed(runs, tests, 3)));
    EXPECT_EQ(shown(s.digitMistakes()), shown(digitMistakes(runs, tests)));
    std::vector<coaching::AnsweredItem> answered;
    for (const TrainingRunRecord& r : runs)
        if (r.kind >= kFirstCharacterKind)
            for (const TrainingItemRecord& i : r.items)
                answered.push_back({i.item, i.code, i.answers, {}});
    const coaching::ConfusionReport recounted = coaching::countConfusions(answered, table);
    ASSERT_GE(recounted.digits.size(), 5u);
    const std::optional<coaching::ConfusionReport> kept = s.confusions();
    ASSERT_TRUE(kept);
    EXPECT_EQ(shown(*kept), shown(recounted));
    const std::vector<coaching::CornerAnswer> corners = coaching::cornerAnswers(answered, table);
    for (const coaching::DigitConfusion& d : recounted.digits) {
        for (const QString& stroke : {QString(), coaching::drillStroke(d)}) {
            const coaching::DrillTarget target{d.corner, d.right, stroke};
            EXPECT_EQ(shown(s.cornerMisses(target)), shown(coaching::missesAt(target, corners)))
                << d.text().toStdString();
        }
    }
}

TEST(KeptCounts, EqualTheCountsOfTheRecordsAfterAMonthAndAfterAnOldHistoryIsOpened) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));
    const auto table = cornerTable();
    {
        HistoryStore s(path);
        s.setCornerTable(table);
        practiseAMonth(s, s);
        expectKeptEqualsRecounted(s, *table);
        // A learner's deletion leaves nothing counted, and counting goes on,
        // with runs of a program without the table in between.
        s.clear();
        EXPECT_TRUE(s.mostMissed(10).empty());
        EXPECT_TRUE(s.speedPerDay().empty());
        EXPECT_TRUE(s.confusions()->digits.empty());
        HistoryStore aside(path);
        practiseAMonth(s, aside);
        expectKeptEqualsRecounted(s, *table);
    }
    {
        // The history as the version before kept it: the records alone.
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* table :
             {"day_speeds", "missed_items", "missed_codes", "digit_slips", "corner_rates",
              "corner_confusions", "shape_confusions", "corner_misses", "results_queue"})
            ASSERT_TRUE(q.exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(table))));
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM settings")));
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA user_version=6")));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    HistoryStore opened(path);
    EXPECT_EQ(opened.schemaVersion(), HistoryStore::kSchemaVersion);
    EXPECT_FALSE(opened.confusions()) << "no corner counts without a corner table";
    opened.setCornerTable(table);
    expectKeptEqualsRecounted(opened, *table);
}

} // namespace
