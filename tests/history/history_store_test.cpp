// The history store on real files: a run written and read back, an old
// schema brought up to date, damaged and newer files refused, the learner's
// switch and deletion, and a process killed in the middle of a run.
#include "coaching/confusion_counts.h"
#include "coaching/corner_table.h"
#include "history/history_store.h"
#include "history/training_answers.h"
#include "history/training_recorder.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"
#include "tests/support/damaged_sqlite.h"
#include "tests/support/user_error_message.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDate kDay(2026, 3, 2);
ReviewSchedule::Clock onDay(QDate d) {
    return [d] { return d; };
}

TrainingRunRecord runOf(int kind, int speed, std::vector<TrainingItemRecord> items) {
    TrainingRunRecord r;
    r.kind = kind;
    r.level = 2;
    r.started = QDateTime(kDay, QTime(9, 0, 0));
    r.ended = QDateTime(kDay, QTime(9, 4, 30));
    r.speed = speed;
    r.answered = static_cast<int>(items.size());
    r.finished = true;
    r.items = std::move(items);
    return r;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Store : public ::testing::Test {
protected:
    QString file() const { return dir.filePath(QStringLiteral("history.sqlite")); }
    QTemporaryDir dir;
};

TEST_F(Store, ARunAndATestAreReadBackAsWritten) {
    {
        HistoryStore s(file());
        EXPECT_EQ(s.schemaVersion(), HistoryStore::kSchemaVersion);
        for (const QString& f : {file(), file() + QStringLiteral("-wal")})
            EXPECT_FALSE(QFile::permissions(f) & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
                << "a learner's history is private: " << f.toStdString();
        TrainingRunRecord run =
            runOf(3, 42,
                  {{QStringLiteral("中"),
                    QStringLiteral("50006"),
                    {QStringLiteral("50007"), QStringLiteral("50006")},
                    true,
                    3.5,
                    false},
                   {QStringLiteral("国"), QStringLiteral("60104"), {}, false, 9.0, true},
                   {QStringLiteral("好"),
                    QStringLiteral("47447"),
                    {QStringLiteral("47447")},
                    true,
                    1.0,
                    false}});
        run.wrong = 1;
        run.hints = 1;
        s.addTrainingRun(run, onDay(kDay));
        EXPECT_GT(run.id, 0);
        ArticleTestRecord test;
        test.article = QStringLiteral("春天.tvm");
        test.ended = QDateTime(kDay, QTime(10, 0));
        test.seconds = 300;
        test.typed = 200;
        test.wrong = 1;
        test.speed = 40;
        test.accuracy = 99.5;
        // A blank the learner skipped is an error of the test, no item to review.
        test.errors = {{QStringLiteral("春"), QStringLiteral("椿"), QStringLiteral("50603"),
                        QStringLiteral("45963")},
                       {QStringLiteral(" "), QStringLiteral("天"), {}, {}}};
        s.addArticleTest(test, onDay(kDay));
        s.addWarmup({QDateTime(kDay, QTime(8, 0)), QStringLiteral("fun"), 60, 123});
    }
    HistoryStore s(file()); // a new process would see the same
    const auto runs = s.trainingRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].kind, 3);
    EXPECT_EQ(runs[0].level, 2);
    EXPECT_EQ(runs[0].started, QDateTime(kDay, QTime(9, 0, 0)));
    EXPECT_EQ(runs[0].ended, QDateTime(kDay, QTime(9, 4, 30)));
    EXPECT_EQ(runs[0].speed, 42);
    EXPECT_EQ(runs[0].wrong, 1);
    EXPECT_EQ(runs[0].hints, 1);
    EXPECT_TRUE(runs[0].finished);
    ASSERT_EQ(runs[0].items.size(), 3u);
    // The statistics read only the items with a slip: 好 was right at once.
    const auto slips = s.trainingRuns(HistoryStore::Items::Missed);
    ASSERT_EQ(slips.size(), 1u);
    ASSERT_EQ(slips[0].items.size(), 2u);
    EXPECT_EQ(slips[0].items[1].item, QStringLiteral("国"));
    EXPECT_TRUE(s.trainingRuns(HistoryStore::Items::None)[0].items.empty());
    EXPECT_EQ(runs[0].items[0].answers,
              QStringList({QStringLiteral("50007"), QStringLiteral("50006")}));
    EXPECT_DOUBLE_EQ(runs[0].items[0].seconds, 3.5);
    EXPECT_TRUE(runs[0].items[1].hinted);
    EXPECT_FALSE(runs[0].items[1].right);

    const auto tests = s.articleTests();
    ASSERT_EQ(tests.size(), 1u);
    EXPECT_EQ(tests[0].article, QStringLiteral("春天.tvm"));
    EXPECT_DOUBLE_EQ(tests[0].accuracy, 99.5);
    ASSERT_EQ(tests[0].errors.size(), 2u);
    EXPECT_EQ(tests[0].errors[0].typedCode, QStringLiteral("45963"));
    ASSERT_EQ(s.warmups().size(), 1u);
    EXPECT_EQ(s.warmups()[0].score, 123);

    // The review: 中 needed two tries, 国 was looked up, 春 typed wrong in a test.
    const ReviewSchedule chars = s.reviewSchedule(false, onDay(kDay));
    ASSERT_NE(chars.find(QStringLiteral("中")), nullptr);
    const ReviewCard* guo = chars.find(QStringLiteral("国"));
    const ReviewCard* chun = chars.find(QStringLiteral("春"));
    ASSERT_NE(guo, nullptr); // asserted before use: a slip fails here, not in a crash
    ASSERT_NE(chun, nullptr);
    EXPECT_EQ(guo->lookups, 1);
    EXPECT_EQ(chun->misses, 1);
    EXPECT_EQ(chun->code, QStringLiteral("50603"));
    EXPECT_EQ(chars.cards().size(), 3u) << "中 国 春, no blank";
    EXPECT_TRUE(s.reviewSchedule(true, onDay(kDay)).cards().empty());
}

TEST_F(Store, WordRunsFeedTheWordReviewAndStrokeRunsNone) {
    HistoryStore s(file());
    TrainingRunRecord words = runOf(8, 20,
                                    {{QStringLiteral("计算机"),
                                      QStringLiteral("048847"),
                                      {QStringLiteral("048848")},
                                      false,
                                      5,
                                      false}});
    s.addTrainingRun(words, onDay(kDay));
    TrainingRunRecord strokes =
        runOf(0, 50,
              {{QStringLiteral("1"), QStringLiteral("1"), {QStringLiteral("2")}, false, 1, false}});
    s.addTrainingRun(strokes, onDay(kDay));
    EXPECT_NE(s.reviewSchedule(true, onDay(kDay)).find(QStringLiteral("计算机")), nullptr);
    EXPECT_TRUE(s.reviewSchedule(false, onDay(kDay)).cards().empty());
}

// The plan line's queries give what a walk over the whole history gives:
// the streak's days, the course's runs, the due cards; at the first and the
// last day, with gaps, on days of only a test or only a game.
TEST_F(Store, ThePlanLinesQueriesAgreeWithTheWholeHistory) {
    HistoryStore s(file());
    std::mt19937 random(7);
    std::set<QDate> practised;
    for (int d = 0; d < 40; ++d) {
        const QDate day = kDay.addDays(d);
        const unsigned what = random() % 5; // 0: nothing that day
        if (what == 1 || what == 4) {
            TrainingRunRecord r = runOf(3 + static_cast<int>(random() % 2), 20,
                                        {{QStringLiteral("中"),
                                          QStringLiteral("50006"),
                                          {QStringLiteral("5")},
                                          false,
                                          1,
                                          false}});
            r.ended = QDateTime(day, QTime(23, 59, 59));
            r.courseStep = static_cast<int>(random() % 3);
            s.addTrainingRun(r, onDay(day));
            practised.insert(day);
        }
        if (what == 2) {
            ArticleTestRecord t;
            t.ended = QDateTime(day, QTime(0, 0));
            t.typed = 5;
            t.errors = {{QStringLiteral("春"), QStringLiteral("椿"), QStringLiteral("50608"), {}}};
            s.addArticleTest(t, onDay(day));
            practised.insert(day);
        }
        if (what == 3) {
            s.addWarmup({QDateTime(day, QTime(8, 0)), QStringLiteral("classic"), 60, 10});
            practised.insert(day);
        }
        if (what == 4) { // a run without answers is no practice
            TrainingRunRecord empty = runOf(3, 0, {});
            empty.ended = QDateTime(day.addDays(1), QTime(1, 0));
            s.addTrainingRun(empty, onDay(day));
        }
    }
    std::vector<TrainingRunRecord> course;
    for (const TrainingRunRecord& r : s.trainingRuns(HistoryStore::Items::None))
        if (r.courseStep > 0 && r.answered > 0)
            course.push_back(r);
    const std::vector<TrainingRunRecord> queried = s.courseRuns();
    ASSERT_EQ(queried.size(), course.size());
    for (size_t i = 0; i < course.size(); ++i)
        EXPECT_EQ(queried[i].id, course[i].id);
    EXPECT_EQ(s.articleTestTotals().size(), s.articleTests().size());
    for (int d = -1; d <= 42; ++d) {
        const QDate today = kDay.addDays(d);
        std::vector<QDate> streak;
        for (QDate day = practised.count(today) ? today : today.addDays(-1); practised.count(day);
             day = day.addDays(-1))
            streak.insert(streak.begin(), day);
        EXPECT_EQ(s.streakDays(today), streak) << today.toString(Qt::ISODate).toStdString();
        for (bool words : {false, true}) {
            int due = 0;
            const ReviewSchedule schedule = s.reviewSchedule(words, onDay(today));
            for (const ReviewCard& c : schedule.cards())
                due += !c.retired && c.due.isValid() && c.due <= today;
            EXPECT_EQ(s.dueCount(words, today), due) << d;
        }
    }
}

// The corner statistics from the slips and the counted right-at-once items
// are those of every answered item read one by one: rates, confusions and
// their order, after a month of random runs (strokes, characters, words).
TEST_F(Store, CountedRightAnswersGiveTheSameCornerStatisticsAsEveryItem) {
    HistoryStore s(file());
    const coaching::CornerTable table = coaching::CornerTable::fromText(
        QStringLiteral("中\t50006\t0 1 - - 2\t插 已用 已用 已用 方\n"
                       "国\t60104\t0 1 3 4 5\t方 横 撇 叉 点\n"
                       "啊\t61000\t0 5 - 9 -\t方 横 空角 左钩 空角\n"));
    const std::pair<const char16_t*, const char16_t*> items[] = {
        {u"中", u"50006"}, {u"国", u"60104"}, {u"啊", u"61000"}, {u"中国", u"500601"}};
    std::mt19937 random(11);
    for (int d = 0; d < 30; ++d) {
        const QDate day = kDay.addDays(d);
        for (int run = 0; run < 3; ++run) {
            std::vector<TrainingItemRecord> answered;
            for (int i = 0; i < 20; ++i) {
                const auto& [item, code] = items[random() % 4];
                TrainingItemRecord r{
                    QString::fromUtf16(item), QString::fromUtf16(code), {}, true, 1,
                    random() % 9 == 0};
                if (random() % 4 == 0) { // a slip: one corner typed wrong first
                    QString wrong = r.code;
                    wrong[static_cast<qsizetype>(random() % wrong.size())] = u'7';
                    r.answers << wrong;
                }
                r.answers << r.code;
                answered.push_back(r);
            }
            TrainingRunRecord r = runOf(static_cast<int>(random() % 12), 30, answered);
            r.ended = QDateTime(day, QTime(9, run));
            s.addTrainingRun(r, onDay(day));
        }
    }
    std::vector<coaching::AnsweredItem> every;
    for (const TrainingRunRecord& r : s.trainingRuns(HistoryStore::Items::All))
        if (r.kind >= kFirstCharacterKind)
            for (const TrainingItemRecord& i : r.items)
                every.push_back({i.item, i.code, i.answers, {}});
    const coaching::ConfusionReport all = coaching::countConfusions(every, table);
    const coaching::ConfusionReport counted = coaching::countConfusions(
        training_answers::read(s, training_answers::Which::WithRightOnes), table);
    const coaching::ConfusionReport slips =
        coaching::countConfusions(training_answers::read(s, training_answers::Which::Slips), table);
    ASSERT_FALSE(all.digits.empty());
    for (size_t c = 0; c < 5; ++c) {
        EXPECT_EQ(counted.corners[c].answers, all.corners[c].answers) << c;
        EXPECT_EQ(counted.corners[c].wrong, all.corners[c].wrong) << c;
        EXPECT_LT(slips.corners[c].answers, all.corners[c].answers) << c;
    }
    for (const coaching::ConfusionReport* r : {&counted, &slips}) {
        ASSERT_EQ(r->digits.size(), all.digits.size());
        for (size_t i = 0; i < all.digits.size(); ++i) {
            EXPECT_EQ(r->digits[i].text(), all.digits[i].text()) << i;
            EXPECT_EQ(r->digits[i].count, all.digits[i].count) << i;
            EXPECT_EQ(r->digits[i].examples, all.digits[i].examples) << i;
        }
    }
}

TEST_F(Store, AnOlderSchemaIsBroughtUpToDateKeepingItsRuns) {
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        db.setDatabaseName(file());
        ASSERT_TRUE(db.open());
        HistoryStore::migrate(db, 1, file());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral(
            "INSERT INTO training_runs(id, kind, level, started, ended, speed, answered, wrong, "
            "hints, finished) VALUES(7, 4, 1, '2026-01-05T08:00:00', '2026-01-05T08:05:00', 33, "
            "119, 5, 2, 1)")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO training_items VALUES(7, '的', '2760', "
                                          "'2761 2760', 1, 2.0, 0)")));
        // Right at once, twice; a stroke picture's digit (run 8) counts for no corner.
        ASSERT_TRUE(q.exec(QStringLiteral(
            "INSERT INTO training_items VALUES(7, '中', '50006', '50006', 1, 1.0, 0), "
            "(7, '中', '50006', '50006', 1, 1.0, 0), (8, '3', '3', '3', 1, 1.0, 0)")));
        ASSERT_TRUE(q.exec(QStringLiteral(
            "INSERT INTO training_runs(id, kind, level, started, ended, speed, answered, wrong, "
            "hints, finished) VALUES(8, 0, 1, '2026-01-05T09:00:00', '2026-01-05T09:05:00', 20, "
            "60, 0, 0, 1)")));
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA user_version")) && q.next());
        EXPECT_EQ(q.value(0).toInt(), 1);
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));

    HistoryStore s(file());
    EXPECT_EQ(s.schemaVersion(), HistoryStore::kSchemaVersion);
    const auto runs = s.trainingRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].speed, 33);
    ASSERT_EQ(runs[0].items.size(), 3u);
    EXPECT_EQ(runs[0].items[0].item, QStringLiteral("的"));
    // The slips and the counts of right answers are made for the old items:
    // 的, right after a wrong try, is a slip; 中 was right at once twice.
    const auto missed = s.trainingRuns(HistoryStore::Items::Missed);
    ASSERT_EQ(missed[0].items.size(), 1u);
    EXPECT_EQ(missed[0].items[0].item, QStringLiteral("的"));
    const auto counted = s.rightAtOnceCounts();
    ASSERT_EQ(counted.size(), 1u);
    EXPECT_EQ(counted[0].item, QStringLiteral("中"));
    EXPECT_EQ(counted[0].times, 2);
    // What the new version added works on the old data.
    EXPECT_TRUE(s.enabled());
    s.setGoal(60);
    EXPECT_EQ(s.goal(), 60);
    TrainingRunRecord more = runOf(4, 35, {});
    more.courseStep = 16;
    s.addTrainingRun(more, onDay(kDay));
    const auto now = s.trainingRuns(HistoryStore::Items::None);
    ASSERT_EQ(now.size(), 3u);
    EXPECT_EQ(now[0].courseStep, 0) << "an old run was no step of the course";
    EXPECT_EQ(now[2].courseStep, 16);
}

// A history of `runs` runs with items, so its file has many pages.
void fill(const QString& path, int runs) {
    HistoryStore s(path);
    for (int i = 0; i < runs; ++i) {
        TrainingRunRecord r = runOf(3, i, {});
        for (int k = 0; k < 20; ++k)
            r.items.push_back(
                {QStringLiteral("中%1").arg(k), QStringLiteral("50006"), {}, true, 1, false});
        s.addTrainingRun(r, onDay(kDay));
    }
}

// A damaged file is kept beside, byte for byte, and a fresh history starts
// and takes runs; the notice names both files. Checked in the background,
// the file is set aside before the first write, untouched.
TEST_F(Store, ADamagedFileIsSetAsideAndAFreshOneStarted) {
    struct Row {
        const char* name;
        std::function<void()> damage;
        const char* why;
    };
    const Row rows[] = {
        {"not a database",
         [&] {
             QFile f(file());
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray(4096, 'x'));
         },
         "这不是学习记录的数据库"},
        {"random bytes in the middle",
         [&] {
             fill(file(), 60);
             QFile f(file());
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             ASSERT_GT(f.size(), 5 * 4096);
             std::mt19937 rng(7);
             QByteArray noise(4096, '\0');
             for (char& c : noise)
                 c = static_cast<char>(rng());
             f.seek(3 * 4096);
             f.write(noise);
         },
         "已损坏"},
    };
    const QString aside = file() + QStringLiteral(".damaged");
    for (const auto check : {HistoryStore::Check::AtOpening, HistoryStore::Check::InBackground})
        for (const Row& r : rows) {
            SCOPED_TRACE(r.name);
            SCOPED_TRACE(check == HistoryStore::Check::AtOpening ? "at opening"
                                                                 : "in the background");
            r.damage();
            QFile::remove(file() + QStringLiteral("-shm"));
            QFile damaged(file());
            ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
            const QByteArray before = damaged.readAll();
            damaged.close();
            {
                HistoryStore s(file(), check);
                TrainingRunRecord run = runOf(4, 30, {});
                s.addTrainingRun(run, onDay(kDay));
                const QString notice = s.takeNotice();
                EXPECT_TRUE(notice.startsWith(QStringLiteral("学习记录 %1 已损坏（").arg(file())))
                    << notice.toStdString();
                EXPECT_TRUE(notice.contains(QString::fromUtf8(r.why)));
                EXPECT_TRUE(notice.contains(aside));
                EXPECT_EQ(s.trainingRuns().size(), 1u)
                    << "the fresh history holds the new run alone";
            }
            QFile copy(aside);
            ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
            EXPECT_EQ(copy.readAll(), before);
            HistoryStore again(file());
            EXPECT_TRUE(again.notice().isEmpty()) << "told once";
            EXPECT_EQ(again.trainingRuns().size(), 1u);
            for (const char* name : {"", "-wal", "-shm", ".damaged", ".damaged-wal"})
                QFile::remove(file() + QString::fromLatin1(name));
        }
}

// Damage met by a read before the check in the background (the plan line
// reads first) sets the file aside at once, untouched, and the read's
// error says so; the next read finds a fresh history. Damage met while
// opening sets it aside before the constructor returns.
TEST_F(Store, DamageMetByAReadOrAtOpeningSetsTheFileAsideAtOnce) {
    for (const char* table : {"day_speeds", "settings"}) {
        SCOPED_TRACE(table);
        {
            HistoryStore s(file());
            TrainingRunRecord run = runOf(4, 30, {});
            s.addTrainingRun(run, onDay(kDay));
        }
        ASSERT_GT(damageTable(file(), QString::fromLatin1(table)), 1);
        const QByteArray before = bytesOf(file());
        HistoryStore s(file(), HistoryStore::Check::InBackground);
        if (QLatin1String(table) == QLatin1String("day_speeds")) {
            EXPECT_TRUE(s.notice().isEmpty()) << "the file opens";
            const QString said = userErrorMessage([&] { s.speedPerDay(); });
            EXPECT_TRUE(said.contains(QStringLiteral("已改名保存为"))) << said.toStdString();
            EXPECT_EQ(s.setAsideCount(), 1);
        } else {
            EXPECT_TRUE(s.takeNotice().contains(QStringLiteral("已改名保存为")));
        }
        EXPECT_TRUE(s.speedPerDay().empty());
        EXPECT_TRUE(s.trainingRuns().empty()) << "a fresh history";
        EXPECT_EQ(bytesOf(file() + QStringLiteral(".damaged")), before);
        for (const char* name : {"", "-wal", "-shm", ".damaged", ".damaged-wal"})
            QFile::remove(file() + QString::fromLatin1(name));
    }
}

// What cannot be opened is named, with the reason in Chinese, at once.
TEST_F(Store, AFolderAFifoAndANewerFileAreRefusedNamingTheFile) {
    // The message of opening the history, "" when it opened.
    auto opening = [&] {
        try {
            HistoryStore s(file());
            return QString();
        } catch (const UserError& e) {
            return e.message();
        }
    };
    ASSERT_TRUE(QDir().mkpath(file()));
    EXPECT_EQ(opening(),
              QStringLiteral("无法打开学习记录 %1：这是一个文件夹，不是文件").arg(file()));
    ASSERT_TRUE(QDir(file()).removeRecursively());
    ASSERT_EQ(::mkfifo(QFile::encodeName(file()).constData(), 0644), 0);
    EXPECT_EQ(
        opening(),
        QStringLiteral("无法打开学习记录 %1：这不是普通文件（可能是管道或设备）").arg(file()));
    QFile::remove(file());
    // A link, to a history elsewhere or to nowhere: SQLite never follows it.
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere.sqlite"));
    { HistoryStore s(elsewhere); }
    const QByteArray before = bytesOf(elsewhere);
    for (const QString& to : {elsewhere, dir.filePath(QStringLiteral("nowhere.sqlite"))}) {
        ASSERT_TRUE(QFile::link(to, file()));
        EXPECT_EQ(opening(),
                  QStringLiteral("无法打开学习记录 %1：%2").arg(file(), regularfile::linkReason()));
        QFile::remove(file());
    }
    EXPECT_EQ(bytesOf(elsewhere), before);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nowhere.sqlite"))));

    // A newer program's file, or a version no program writes, is refused by
    // name and left byte for byte as it was.
    const struct {
        int version;
        const char16_t* reason;
    } versions[] = {{HistoryStore::kSchemaVersion + 1, u"由更新版本的程序写的"},
                    {-1, u"版本号 -1 不对"},
                    {-2, u"版本号 -2 不对"},
                    {std::numeric_limits<int>::min(), u"版本号 -2147483648 不对"}};
    for (const auto& v : versions) {
        QFile::remove(file());
        { HistoryStore s(file()); }
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("vN"));
            db.setDatabaseName(file());
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")));
            ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA user_version=%1").arg(v.version)));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("vN"));
        const QByteArray before = bytesOf(file());
        try {
            HistoryStore s(file());
            ADD_FAILURE() << "version " << v.version << " was opened";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(file())) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf16(v.reason)))
                << e.message().toStdString();
        }
        EXPECT_EQ(bytesOf(file()), before) << v.version;
    }
}

TEST_F(Store, SwitchedOffNothingIsWrittenAndDeletionKeepsTheSettings) {
    HistoryStore s(file());
    s.setEnabled(false);
    s.setGoal(55);
    TrainingRunRecord run =
        runOf(3, 40, {{QStringLiteral("中"), QStringLiteral("50006"), {}, false, 1, false}});
    s.addTrainingRun(run, onDay(kDay));
    ArticleTestRecord test;
    test.typed = 10;
    test.errors = {{QStringLiteral("春"), QStringLiteral("椿"), {}, {}}};
    s.addArticleTest(test, onDay(kDay));
    s.addWarmup({QDateTime(kDay, QTime(8, 0)), QStringLiteral("classic"), 60, 10});
    EXPECT_TRUE(s.trainingRuns().empty());
    EXPECT_TRUE(s.articleTests().empty());
    EXPECT_TRUE(s.warmups().empty());
    EXPECT_TRUE(s.reviewSchedule(false, onDay(kDay)).cards().empty());

    s.setEnabled(true);
    s.addTrainingRun(run, onDay(kDay));
    s.addArticleTest(test, onDay(kDay));
    s.addWarmup({QDateTime(kDay, QTime(8, 0)), QStringLiteral("classic"), 60, 10});
    TrainingRunRecord right = runOf(3, 40,
                                    {{QStringLiteral("国"),
                                      QStringLiteral("60104"),
                                      {QStringLiteral("60104")},
                                      true,
                                      1,
                                      false}});
    s.addTrainingRun(right, onDay(kDay));
    EXPECT_EQ(s.trainingRuns().size(), 2u);
    EXPECT_EQ(s.rightAtOnceCounts().size(), 1u);
    s.clear();
    EXPECT_TRUE(s.rightAtOnceCounts().empty());
    EXPECT_TRUE(s.trainingRuns().empty());
    EXPECT_TRUE(s.articleTests().empty());
    EXPECT_TRUE(s.warmups().empty());
    EXPECT_TRUE(s.reviewSchedule(false, onDay(kDay)).cards().empty());
    EXPECT_TRUE(s.enabled());
    EXPECT_EQ(s.goal(), 55);
    // Deleted from the file too, not only hidden: nothing of 中 is left in it.
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains(QStringLiteral("中").toUtf8()));
}

TEST_F(Store, AProcessKilledInTheMiddleOfARunLosesOnlyThatRun) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        {
            HistoryStore s(file());
            TrainingRunRecord first =
                runOf(3, 41, {{QStringLiteral("中"), QStringLiteral("50006"), {}, true, 1, false}});
            s.addTrainingRun(first, onDay(kDay));
            // The second run is under way: answers only in memory so far.
            TrainingRecorder recorder(&s, [] { return QDateTime(kDay, QTime(11, 0)); });
            recorder.startRun(4, 1);
            recorder.itemShown(QStringLiteral("国"), QStringLiteral("60104"));
            recorder.answerTyped(QStringLiteral("60105"));
        }
        // And killed while another write is half done.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("k"));
        db.setDatabaseName(file());
        if (!db.open() || !db.transaction())
            _exit(3);
        QSqlQuery q(db);
        q.exec(QStringLiteral("INSERT INTO training_runs(kind, speed) VALUES(5, 99)"));
        raise(SIGKILL);
        _exit(2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child ended with " << status;
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    HistoryStore s(file());
    const auto runs = s.trainingRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].speed, 41);
    ASSERT_EQ(runs[0].items.size(), 1u);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
    db.setDatabaseName(file());
    ASSERT_TRUE(db.open());
    {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("ok"));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

} // namespace
