// The figures of the window "学习记录" and the CSV export.
#include "history/history_csv.h"
#include "history/history_stats.h"

#include <gtest/gtest.h>

namespace {

using namespace history_stats;

const QDate kMonday(2026, 3, 2);

TrainingRunRecord run(int kind, QDate day, int speed, std::vector<TrainingItemRecord> items = {}) {
    TrainingRunRecord r;
    r.kind = kind;
    r.started = QDateTime(day, QTime(9, 0));
    r.ended = QDateTime(day, QTime(9, 5));
    r.speed = speed;
    r.answered = 10;
    r.items = std::move(items);
    return r;
}

ArticleTestRecord test(QDate day, int speed, double accuracy,
                       std::vector<TestErrorRecord> errors = {}) {
    ArticleTestRecord t;
    t.article = QStringLiteral("test.tvm");
    t.ended = QDateTime(day, QTime(20, 0));
    t.typed = 100;
    t.speed = speed;
    t.accuracy = accuracy;
    t.errors = std::move(errors);
    return t;
}

TEST(HistoryStats, SpeedIsTheMeanOfEachDayPerExerciseAndForTheTests) {
    std::vector<TrainingRunRecord> runs = {run(3, kMonday, 30), run(3, kMonday, 40),
                                           run(3, kMonday.addDays(2), 50), run(7, kMonday, 20)};
    runs.push_back(run(3, kMonday.addDays(1), 99));
    runs.back().answered = 0;           // opened and left at once
    runs.push_back(run(3, kMonday, 0)); // left before the clock showed a speed
    // A course step that borrows 简单 (kind 0) is drawn on its own line.
    runs.push_back(run(0, kMonday, 21));
    runs.back().courseStep = 2;
    const auto s = speedPerDay(runs, {test(kMonday, 44, 98), test(kMonday, 46, 90)});
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s.count(0), 0u) << "no line for 简单";
    EXPECT_DOUBLE_EQ(s.at(courseLineKind(2))[0].value, 21);
    ASSERT_EQ(s.at(3).size(), 2u);
    EXPECT_EQ(s.at(3)[0].day, kMonday);
    EXPECT_DOUBLE_EQ(s.at(3)[0].value, 35);
    EXPECT_EQ(s.at(3)[1].day, kMonday.addDays(2));
    EXPECT_DOUBLE_EQ(s.at(7)[0].value, 20);
    EXPECT_DOUBLE_EQ(s.at(kArticleTestKind)[0].value, 45);
}

TEST(HistoryStats, BestAndMedianAtOddEvenAndNoValues) {
    EXPECT_EQ(best({}), 0);
    EXPECT_EQ(median({}), 0);
    std::vector<DayValue> v = {{kMonday, 50}, {kMonday, 10}, {kMonday, 30}};
    EXPECT_DOUBLE_EQ(best(v), 50);
    EXPECT_DOUBLE_EQ(median(v), 30);
    v.push_back({kMonday, 40});
    EXPECT_DOUBLE_EQ(median(v), 35);
    const auto acc = testAccuracy({test(kMonday, 1, 97.5), test(kMonday.addDays(1), 1, 88)});
    ASSERT_EQ(acc.size(), 2u);
    EXPECT_DOUBLE_EQ(acc[1].value, 88);
    EXPECT_EQ(acc[1].day, kMonday.addDays(1));
}

TEST(HistoryStats, MostMissedCountsTrainingAndTestsWithTheWrongCodeTypedMost) {
    const QString zhong = QStringLiteral("中");
    const QString code = QStringLiteral("50006");
    std::vector<TrainingRunRecord> runs = {run(
        3, kMonday, 30,
        {{zhong, code, {QStringLiteral("50007"), QStringLiteral("50007"), code}, true, 1, false},
         {QStringLiteral("国"), QStringLiteral("60104"), {QStringLiteral("60104")}, true, 1, true},
         {QStringLiteral("好"),
          QStringLiteral("47447"),
          {QStringLiteral("47447")},
          true,
          1,
          false}})};
    // A stroke picture looked up is not a character missed.
    runs.push_back(
        run(0, kMonday, 30,
            {{QStringLiteral("4"), QStringLiteral("4"), {QStringLiteral("4")}, true, 1, true}}));
    // 有 missed twice in tests by its own short code and the wrong candidate:
    // a slip of the choice, not of the code.
    const QString you = QStringLiteral("有");
    const TestErrorRecord wrongPick{you, QStringLiteral("友"), QStringLiteral("40207"),
                                    QStringLiteral("4"), true};
    const std::vector<ArticleTestRecord> tests = {
        test(kMonday, 40, 99,
             {{zhong, QStringLiteral("种"), code, QStringLiteral("22906")}, wrongPick, wrongPick})};
    auto m = mostMissed(runs, tests, 10);
    ASSERT_EQ(m.size(), 3u); // 好 was right at once: not missed
    EXPECT_EQ(m[1].item, you);
    EXPECT_EQ(m[1].misses, 2);
    EXPECT_EQ(m[1].wrongCandidates, 2);
    EXPECT_TRUE(m[1].wrongCode.isEmpty()) << m[1].wrongCode.toStdString();
    m.erase(m.begin() + 1);
    EXPECT_EQ(m[0].item, zhong);
    EXPECT_EQ(m[0].code, code);
    EXPECT_EQ(m[0].misses, 3);
    EXPECT_EQ(m[0].wrongCode, QStringLiteral("50007"));
    EXPECT_EQ(m[0].wrongCodeCount, 2);
    EXPECT_EQ(m[1].item, QStringLiteral("国"));
    EXPECT_EQ(m[1].misses, 0);
    EXPECT_EQ(m[1].lookups, 1);
    EXPECT_EQ(mostMissed(runs, tests, 1).size(), 1u);
    EXPECT_TRUE(mostMissed(runs, tests, 0).empty());
    // Of two missed as often, the one missed last comes first.
    const auto tie = mostMissed({},
                                {test(kMonday, 1, 1,
                                      {{QStringLiteral("甲"), QStringLiteral("乙"), code, {}},
                                       {QStringLiteral("丙"), QStringLiteral("乙"), code, {}}})},
                                10);
    ASSERT_EQ(tie.size(), 2u);
    EXPECT_EQ(tie[0].item, QStringLiteral("丙"));
}

TEST(HistoryStats, DigitMistakesCountEachPlaceThatDiffers) {
    std::vector<TrainingRunRecord> runs = {
        run(3, kMonday, 30,
            {{QStringLiteral("中"),
              QStringLiteral("50006"),
              {QStringLiteral("50007"), QStringLiteral("80007"), QStringLiteral("5")},
              false,
              1,
              false}})};
    const std::vector<ArticleTestRecord> tests = {
        test(kMonday, 1, 1,
             {{QStringLiteral("中"), QStringLiteral("种"), QStringLiteral("50006"),
               QStringLiteral("50007")},
              {QStringLiteral("中"), QStringLiteral("？"), QStringLiteral("50006"), QString()}})};
    const DigitMistakes d = digitMistakes(runs, tests);
    EXPECT_EQ(d.total(6), 3); // last place 6 typed as 7, three times
    EXPECT_EQ(d.mostConfusedWith(6), 7);
    EXPECT_EQ(d.total(5), 1); // 5 typed as 8 once
    EXPECT_EQ(d.mostConfusedWith(5), 8);
    EXPECT_EQ(d.total(0), 0); // the short answer "5" differs nowhere it has digits
    EXPECT_EQ(d.mostConfusedWith(0), -1);
}

TEST(HistoryStats, KindNamesAreTheButtonCaptions) {
    EXPECT_EQ(kindName(3), QStringLiteral("全码字"));
    EXPECT_EQ(kindName(11), QStringLiteral("多字词"));
    EXPECT_EQ(kindName(kCharacterReviewKind), QStringLiteral("错字复习"));
    EXPECT_EQ(kindName(kWordReviewKind), QStringLiteral("错词复习"));
    EXPECT_EQ(kindName(kArticleTestKind), QStringLiteral("文章测试"));
    EXPECT_EQ(kindName(courseLineKind(7)), QStringLiteral("学习路线第7步"));
}

TEST(HistoryCsv, FieldsAreQuotedWhereASpreadsheetWouldMisreadThem) {
    EXPECT_EQ(history_csv::field(QStringLiteral("春天")), QStringLiteral("春天"));
    EXPECT_EQ(history_csv::field(QStringLiteral("a,b")), QStringLiteral("\"a,b\""));
    EXPECT_EQ(history_csv::field(QStringLiteral("说\"好\"")), QStringLiteral("\"说\"\"好\"\"\""));
    EXPECT_EQ(history_csv::field(QStringLiteral("两\n行")), QStringLiteral("\"两\n行\""));
    EXPECT_EQ(history_csv::field(QStringLiteral("=1+1")), QStringLiteral("\"'=1+1\""));
    EXPECT_EQ(history_csv::field(QStringLiteral("\t=1+1")), QStringLiteral("\"'\t=1+1\""));
    EXPECT_EQ(history_csv::field(QStringLiteral("\r@SUM(A1)")), QStringLiteral("\"'\r@SUM(A1)\""));
    EXPECT_EQ(history_csv::field(QStringLiteral("-5")), QStringLiteral("-5")); // a number stays
    EXPECT_EQ(history_csv::field(QString()), QString());
}

TEST(HistoryCsv, RunsAndTestsHaveAHeaderAndOneLineEach) {
    TrainingRunRecord r = run(4, kMonday, 33);
    r.finished = true;
    const QByteArray runs = history_csv::runs({r, run(5, kMonday, 20)});
    ASSERT_TRUE(runs.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(runs.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4); // header, two runs, the empty rest after the last CRLF
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("练习,级别,")));
    EXPECT_EQ(lines[1],
              QStringLiteral("稍难字,0,2026-03-02 09:00:00,2026-03-02 09:05:00,33,10,0,0,完成"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("一键简码,")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(",中止")));
    EXPECT_TRUE(lines[3].isEmpty());

    ArticleTestRecord t = test(kMonday, 40, 97.26);
    t.article = QStringLiteral("我的,文章.tvm");
    t.seconds = 300;
    const QStringList tl =
        QString::fromUtf8(history_csv::tests({t}).mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(tl.size(), 3);
    EXPECT_EQ(tl[1], QStringLiteral("\"我的,文章.tvm\",2026-03-02 20:00:00,300,100,0,40,97.3"));
    EXPECT_EQ(history_csv::tests({}).mid(3).count("\r\n"), 1); // the header alone
}

} // namespace

namespace {
TEST(HistoryStats, TheSummarySaysTheCountsEachKindsSpeedsAndTheTestsCutToWholePercents) {
    EXPECT_EQ(summaryLines(0, 0, {}, {}).size(), 1);
    EXPECT_TRUE(summaryLines(0, 0, {}, {})[0].startsWith(QStringLiteral("还没有学习记录")));
    const std::map<int, std::vector<DayValue>> speeds = {
        {kArticleTestKind, {{kMonday, 40}, {kMonday.addDays(1), 50}}},
        {3, {{kMonday, 20}, {kMonday.addDays(2), 30}}}};
    const QStringList lines = summaryLines(3, 2, speeds, {{kMonday, 95}, {kMonday, 97.5}});
    EXPECT_EQ(lines, (QStringList{QStringLiteral("共 3 次训练，2 次文章测试。"),
                                  QStringLiteral("全码字：最好 30 字/分，中位 25 字/分。"),
                                  QStringLiteral("文章测试速度：最好 50 字/分，中位 45 字/分；"
                                                 "正确率：最好 97%，中位 96%。")}));
}
} // namespace
