// The window "学习记录" as the learner reaches it, from the start screen, on
// a prepared history; and the article test and warm-up writing into it.
#include "tests/gui/program_folder_fixture.h"

#include "platform/prompts.h"
#include "tests/support/test_chars.h"

#include "app/history_loader.h"
#include "app/start_screen.h"
#include "articletest/article_test_report_window.h"
#include "articletest/article_test_window.h"
#include "articletest/top_ten_window.h"
#include "dictionary/dict_format.h"
#include "history/day_chart.h"
#include "history/history_instance.h"
#include "history/history_service.h"
#include "history/history_store.h"
#include "history/history_window.h"
#include "history/training_recorder.h"
#include "tests/dictionary/dict_test_files.h"
#include "tests/support/damaged_sqlite.h"
#include "tests/support/full_disk.h"
#include "tests/support/sqlite_lock.h"
#include "tools/tarvo_art/pictures.h"
#include "warmup/warmup_ranking_window.h"
#include "warmup/warmup_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

class HistoryWindow : public StartScreenShownTest {
protected:
    // The program loads the history at its first use; these tests use it from the start.
    void SetUp() override {
        StartScreenShownTest::SetUp();
        ASSERT_NE(loadedHistory(), nullptr);
        // Made as the first opening makes it, so that a test can set its hooks.
        loadedHistory()->open();
    }

    // A history over three days: 全码字 on two of them, 二字词 once, two
    // article tests; 国 missed most, and 6 typed for 0 most.
    void prepareHistory() {
        HistoryStore s(path("files/history.sqlite"));
        s.setGoal(60);
        const QDate first = QDate::currentDate().addDays(-2);
        auto add = [&](int kind, QDate day, int speed, std::vector<TrainingItemRecord> items) {
            TrainingRunRecord r;
            r.kind = kind;
            r.started = QDateTime(day, QTime(9, 0));
            r.ended = QDateTime(day, QTime(9, 5));
            r.speed = speed;
            r.answered = 119;
            r.finished = true;
            r.items = std::move(items);
            s.addTrainingRun(r, [day] { return day; });
        };
        const QString guo = QStringLiteral("国");
        const QString code = QStringLiteral("60104");
        add(3, first, 20, {{guo, code, {QStringLiteral("66104"), code}, true, 4, false}});
        add(3, first.addDays(2), 30, {{guo, code, {QStringLiteral("66104"), code}, true, 4, true}});
        add(7, first.addDays(1), 15, {});
        for (int score : {30, 45, 38})
            s.addWarmup({QDateTime(first, QTime(7, score)), QStringLiteral("fun"), 60, score});
        s.addWarmup({QDateTime(first, QTime(8, 0)), QStringLiteral("classic"), 60, 12});
        {
            // Left before any answer: kept, but no training.
            TrainingRunRecord left;
            left.kind = 4;
            left.started = left.ended = QDateTime(first.addDays(1), QTime(10, 0));
            s.addTrainingRun(left, [first] { return first.addDays(1); });
        }
        for (int i = 0; i < 2; ++i) {
            ArticleTestRecord t;
            t.article = QStringLiteral("test.tvm");
            t.ended = QDateTime(first.addDays(i), QTime(20, 0));
            t.seconds = 300;
            t.typed = 200;
            t.wrong = 10 - i * 5;
            t.speed = 40 + i * 10;
            t.accuracy = 95 + i * 2.5;
            t.errors = {{QStringLiteral("中"), QStringLiteral("种"), QStringLiteral("50006"),
                         QStringLiteral("22906")}};
            s.addArticleTest(t, [] { return QDate::currentDate(); });
        }
    }

    // Opens "学习记录" from the start screen, runs `check` while it is up, closes it
    // with its close button.
    void openHistory(const std::function<void()>& check) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(QApplication::activeModalWidget(), FormHistory);
            check();
            ran = true;
            QTest::mouseClick(FormHistory->BtnClose, Qt::LeftButton);
        });
        QTest::mouseClick(preface01->SpeedButton[9], Qt::LeftButton);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(FormHistory->isVisible());
    }
};

TEST_F(HistoryWindow, ChartsAndTablesShowThePreparedHistory) {
    prepareHistory();
    openHistory([this] {
        // 全码字 was trained on the first and third day: one line, cut at the
        // day between.
        const DayChart* speed = FormHistory->ChartSpeed;
        QStringList names;
        for (const DayChart::Line& l : speed->lines())
            names << l.name;
        EXPECT_EQ(names, (QStringList{QStringLiteral("文章测试"), QStringLiteral("全码字"),
                                      QStringLiteral("二字词")}));
        const auto pieces = DayChart::pieces(speed->lines()[1].days);
        ASSERT_EQ(pieces.size(), 2u);
        ASSERT_EQ(pieces[0].size(), 1u);
        ASSERT_EQ(pieces[1].size(), 1u);
        EXPECT_EQ(pieces[0][0].value, 20);
        EXPECT_EQ(pieces[1][0].value, 30);
        EXPECT_EQ(pieces[0][0].day.daysTo(pieces[1][0].day), 2);
        // One tick a day, from the day before the first.
        EXPECT_EQ(speed->tickDays(), 1);
        EXPECT_EQ(speed->axisFirst(), pieces[0][0].day.addDays(-1));
        EXPECT_GT(speed->axisLast(), pieces[1][0].day);
        EXPECT_EQ(speed->goal(), 60);
        EXPECT_EQ(speed->goalName(), QStringLiteral("目标 60 字/分"));
        const DayChart* accuracy = FormHistory->ChartAccuracy;
        ASSERT_EQ(accuracy->lines().size(), 1u);
        ASSERT_EQ(accuracy->lines()[0].days.size(), 2u);
        EXPECT_EQ(accuracy->lines()[0].days[1].value, 97.5);
        EXPECT_EQ(accuracy->top(), 100);
        EXPECT_EQ(accuracy->axisFirst(), speed->axisFirst()) << "the charts span the same days";
        EXPECT_TRUE(FormHistory->LabelSummary->text().contains(QStringLiteral("最好 50 字/分")))
            << FormHistory->LabelSummary->text().toStdString();
        EXPECT_TRUE(FormHistory->LabelSummary->text().contains(QStringLiteral("中位 45 字/分")));
        EXPECT_TRUE(FormHistory->LabelSummary->text().contains(
            QStringLiteral("全码字：最好 30 字/分，中位 25 字/分")));
        // Only runs with an answer count; percents are cut off as in the
        // report (97.5 % is 97 %, the median 96.25 % is 96 %).
        EXPECT_TRUE(FormHistory->LabelSummary->text().contains(QStringLiteral("共 3 次训练")));
        EXPECT_TRUE(FormHistory->LabelSummary->text().contains(
            QStringLiteral("正确率：最好 97%，中位 96%")))
            << FormHistory->LabelSummary->text().toStdString();

        // 国 missed twice in training and once looked up; 中 twice in tests.
        ASSERT_EQ(FormHistory->GridMissed->rowCount(), 2);
        EXPECT_EQ(FormHistory->GridMissed->item(0, 0)->text(), QStringLiteral("国"));
        EXPECT_EQ(FormHistory->GridMissed->item(0, 1)->text(), QStringLiteral("60104"));
        EXPECT_EQ(FormHistory->GridMissed->item(0, 2)->text(), QStringLiteral("2"));
        EXPECT_EQ(FormHistory->GridMissed->item(0, 3)->text(), QStringLiteral("1"));
        EXPECT_EQ(FormHistory->GridMissed->item(0, 4)->text(), QStringLiteral("66104（2次）"));
        EXPECT_EQ(FormHistory->GridMissed->item(1, 0)->text(), QStringLiteral("中"));
        // 0 typed as 6 twice (国), and in 中 5→2, 0→2, 0→9, 6→6 (same): 0 leads.
        ASSERT_GE(FormHistory->GridDigits->rowCount(), 1);
        EXPECT_EQ(FormHistory->GridDigits->item(0, 0)->text(), QStringLiteral("0"));
        // The warm-up: each way of playing, its count, best and last scores.
        ASSERT_EQ(FormHistory->GridGames->rowCount(), 2);
        EXPECT_EQ(FormHistory->GridGames->item(0, 0)->text(), QStringLiteral("古典式"));
        EXPECT_EQ(FormHistory->GridGames->item(1, 0)->text(), QStringLiteral("趣味式"));
        EXPECT_EQ(FormHistory->GridGames->item(1, 1)->text(), QStringLiteral("3"));
        EXPECT_EQ(FormHistory->GridGames->item(1, 2)->text(), QStringLiteral("45"));
        EXPECT_EQ(FormHistory->GridGames->item(1, 3)->text(), QStringLiteral("38、45、30"));
        EXPECT_TRUE(FormHistory->CheckRecord->isChecked());
        EXPECT_EQ(FormHistory->SpinGoal->value(), 60);
    });
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

// A history found damaged by the window's own reads (after the start
// screen opened it): the learner is told the file is set aside, and the
// window still draws, its charts empty (they once drew axes over no days
// for ever).
TEST_F(HistoryWindow, ADamagedHistoryMetByTheWindowIsSetAsideAndTheWindowDraws) {
    prepareHistory();
    closeLearningHistory();
    ASSERT_GT(damageTable(path("files/history.sqlite"), QStringLiteral("day_speeds")), 1);
    errorsShown.clear();
    openHistory([] {
        const QImage drawn = FormHistory->grab().toImage();
        EXPECT_FALSE(drawn.isNull());
        EXPECT_TRUE(FormHistory->ChartSpeed->lines().empty());
    });
    // A chart given nothing at all (no history could be opened) draws too.
    DayChart chart(QStringLiteral("每日速度"));
    chart.resize(400, 240);
    chart.clear();
    EXPECT_FALSE(chart.grab().isNull());
    EXPECT_TRUE(chart.axisFirst().isValid());
    ASSERT_FALSE(errorsShown.isEmpty());
    EXPECT_TRUE(errorsShown[0].contains(QStringLiteral("已改名保存为")))
        << errorsShown[0].toStdString();
    EXPECT_TRUE(QFile::exists(path("files/history.sqlite.damaged")));
}

TEST_F(HistoryWindow, AnEmptyHistorySaysSoAndExportsHeadersOnly) {
    const QString out = path("export");
    QDir().mkpath(out);
    FormHistory->chooseFolder = [out] { return out; };
    openHistory([] {
        EXPECT_TRUE(FormHistory->GridMissed->rowCount() == 0);
        EXPECT_TRUE(FormHistory->LabelSummary->text().contains(QStringLiteral("还没有学习记录")));
        QTest::mouseClick(FormHistory->BtnExport, Qt::LeftButton);
    });
    QFile runs(out + QStringLiteral("/训练记录.csv"));
    ASSERT_TRUE(runs.open(QIODevice::ReadOnly));
    EXPECT_EQ(runs.readAll().count("\r\n"), 1);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(out));
}

// Enter, keypad or main, closes 学习记录: it once opened the export's folder
// dialog.
TEST_F(HistoryWindow, EnterClosesTheWindowAndNeverExports) {
    prepareHistory();
    int asked = 0;
    FormHistory->chooseFolder = [&asked] {
        ++asked;
        return QString();
    };
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Enter, Qt::KeypadModifier},
                                         std::pair{Qt::Key_Return, Qt::NoModifier}}) {
        bool closed = false;
        QTimer::singleShot(0, [&, key = key, modifiers = modifiers] {
            ASSERT_EQ(QApplication::activeModalWidget(), FormHistory);
            EXPECT_TRUE(QTest::qWaitForWindowActive(FormHistory));
            QWidget* focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : FormHistory, key, modifiers);
            closed = !FormHistory->isVisible();
            if (!closed)
                QTest::mouseClick(FormHistory->BtnClose, Qt::LeftButton);
        });
        QTest::mouseClick(preface01->SpeedButton[9], Qt::LeftButton);
        EXPECT_TRUE(closed);
    }
    EXPECT_EQ(asked, 0);
}

TEST_F(HistoryWindow, ExportWritesBothFilesAndACancelledDialogWritesNone) {
    prepareHistory();
    const QString out = path("export");
    QDir().mkpath(out);
    FormHistory->chooseFolder = [] { return QString(); };
    openHistory([] { QTest::mouseClick(FormHistory->BtnExport, Qt::LeftButton); });
    EXPECT_TRUE(QDir(out).isEmpty());
    EXPECT_TRUE(notices.isEmpty());

    FormHistory->chooseFolder = [out] { return out; };
    openHistory([] { QTest::mouseClick(FormHistory->BtnExport, Qt::LeftButton); });
    QFile runs(out + QStringLiteral("/训练记录.csv"));
    ASSERT_TRUE(runs.open(QIODevice::ReadOnly));
    EXPECT_EQ(runs.readAll().count("\r\n"), 5); // header and four runs, the one left too
    QFile tests(out + QStringLiteral("/文章测试记录.csv"));
    ASSERT_TRUE(tests.open(QIODevice::ReadOnly));
    EXPECT_EQ(tests.readAll().count("\r\n"), 3);
    QFile games(out + QStringLiteral("/热身记录.csv"));
    ASSERT_TRUE(games.open(QIODevice::ReadOnly));
    const QByteArray gameLines = games.readAll();
    EXPECT_EQ(gameLines.count("\r\n"), 5); // header and four games
    EXPECT_TRUE(gameLines.contains("趣味式")) << gameLines.toStdString();

    // A folder that cannot be written: the message names the file.
    FormHistory->chooseFolder = [this] { return path("no/such/folder"); };
    openHistory([] { QTest::mouseClick(FormHistory->BtnExport, Qt::LeftButton); });
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("no/such/folder"))) << errorsShown[0].toStdString();

    // A full disk: the file is named, no success is told, the earlier export stays whole.
    ASSERT_TRUE(runs.seek(0));
    const QByteArray earlier = runs.readAll();
    runs.close();
    FormHistory->chooseFolder = [out] { return out; };
    openHistory([] {
        const FullDisk disk;
        QTest::mouseClick(FormHistory->BtnExport, Qt::LeftButton);
    });
    ASSERT_EQ(errorsShown.size(), 2);
    EXPECT_TRUE(
        errorsShown[1].startsWith(QStringLiteral("无法写入导出文件 %1/训练记录.csv：").arg(out)))
        << errorsShown[1].toStdString();
    EXPECT_EQ(notices.size(), 1) << "only the first export was told";
    ASSERT_TRUE(runs.open(QIODevice::ReadOnly));
    EXPECT_EQ(runs.readAll(), earlier);
}

TEST_F(HistoryWindow, SwitchedOffNothingIsRecordedAndDeletionAsksFirst) {
    prepareHistory();
    openHistory([] { QTest::mouseClick(FormHistory->CheckRecord, Qt::LeftButton); });
    EXPECT_FALSE(learningHistory()->enabled());
    loadedHistory()->warmupLink().gameEnded(false, 60, 321);
    EXPECT_EQ(learningHistory()->warmups().size(), 4u) << "switched off: no game added";

    answerYes = false;
    openHistory([] { QTest::mouseClick(FormHistory->BtnDelete, Qt::LeftButton); });
    EXPECT_EQ(learningHistory()->trainingRuns().size(), 4u);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("删除")));

    answerYes = true;
    openHistory([] {
        QTest::mouseClick(FormHistory->BtnDelete, Qt::LeftButton);
        EXPECT_EQ(FormHistory->GridMissed->rowCount(), 0);
        EXPECT_FALSE(FormHistory->CheckRecord->isChecked()); // the switch stays off
    });
    EXPECT_TRUE(learningHistory()->trainingRuns().empty());
    EXPECT_TRUE(learningHistory()->articleTests().empty());

    openHistory([] { QTest::mouseClick(FormHistory->CheckRecord, Qt::LeftButton); });
    loadedHistory()->warmupLink().gameEnded(true, 120, 77);
    ASSERT_EQ(learningHistory()->warmups().size(), 1u);
    EXPECT_EQ(learningHistory()->warmups()[0].mode, QStringLiteral("fun"));
}

// A damaged history is set aside as "history.sqlite.damaged", told once, and
// a fresh one opens in the window and takes the next game.
TEST_F(HistoryWindow, ADamagedHistoryIsSetAsideToldOnceAndAFreshOneStarted) {
    closeLearningHistory(); // the plan line opened it at the first paint
    writeFile("files/history.sqlite", QByteArray(8192, '\x5a'));
    openHistory([] {
        EXPECT_TRUE(FormHistory->BtnDelete->isEnabled());
        EXPECT_TRUE(FormHistory->LabelSummary->text().contains(QStringLiteral("还没有学习记录")));
    });
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("files/history.sqlite.damaged")))
        << errorsShown[0].toStdString();
    loadedHistory()->warmupLink().gameEnded(false, 60, 1);
    openHistory([] {});
    EXPECT_EQ(learningHistory()->warmups().size(), 1u);
    EXPECT_EQ(errorsShown.size(), 1) << "told once";
}

// Another program holding the history's lock: the games wait in memory, the
// learner is told once, naming the file, and the window writes them when it
// opens after the lock is gone.
TEST_F(HistoryWindow, GamesWaitOutALockHeldByAnotherProgram) {
    ASSERT_NE(learningHistory(), nullptr);
    {
        const LockHeldElsewhere lock(path("files/history.sqlite"));
        ASSERT_TRUE(lock.held());
        loadedHistory()->warmupLink().gameEnded(false, 60, 1);
        loadedHistory()->warmupLink().gameEnded(true, 60, 2);
    }
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("files/history.sqlite") +
                                        QStringLiteral("：数据库正被另一个程序占用")))
        << errorsShown[0].toStdString();
    openHistory([] {});
    EXPECT_EQ(learningHistory()->warmups().size(), 2u);
    EXPECT_EQ(errorsShown.size(), 1);
}

// Records still waiting when the learner closes the program: one more try,
// and when it fails the question says they would be lost; staying keeps them
// for the next chance.
TEST_F(HistoryWindow, ClosingWithRecordsWaitingSaysTheyWouldBeLost) {
    ASSERT_NE(learningHistory(), nullptr);
    LockHeldElsewhere lock(path("files/history.sqlite"));
    ASSERT_TRUE(lock.held());
    loadedHistory()->warmupLink().gameEnded(false, 60, 1);
    loadedHistory()->warmupLink().gameEnded(true, 60, 2);
    answerYes = false;
    preface01->close();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(path("files/history.sqlite"))) << questions[0].toStdString();
    EXPECT_TRUE(questions[0].contains(QStringLiteral("还有 2 条学习记录没有写入")));
    EXPECT_TRUE(preface01->isVisible()) << "the learner stays";

    lock.release();
    preface01->close();
    ASSERT_EQ(questions.size(), 2);
    EXPECT_EQ(questions[1], QStringLiteral("您是否确定要退出系统？"));
    EXPECT_EQ(learningHistory()->warmups().size(), 2u) << "written at the last try";
    EXPECT_EQ(errorsShown.size(), 1) << "the lock told once, when the first game ended";
}

TEST_F(HistoryWindow, AnArticleTestIsRecordedWithItsWrongCharacters) {
    const auto forty = dicttest::fortyCharacterTest();
    writeFile("test.tvm", QByteArray::fromStdString(forty.testFile));
    writeFile("hzlib/zh1", QByteArray::fromStdString(forty.dictionary));
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* list = qobject_cast<Thighscore*>(modal))
            list->close();
        else if (modal == Form_result)
            Form_result->close();
    });
    closer.start();
    form_test->HomeDir = path(QString());
    form_test->TestMinutes = 1;
    form_test->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_test));
    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    // 啊 right, then 哀 where 阿 stands, then a skip taken back.
    for (Qt::Key k : {Qt::Key_9, Qt::Key_0, Qt::Key_Space, Qt::Key_8, Qt::Key_Space, Qt::Key_1,
                      Qt::Key_Space, Qt::Key_Period})
        QTest::keyClick(form_test->Edit_input, k, Qt::KeypadModifier);
    for (int i = 0; i < 60; ++i)
        form_test->Timer1Timer();
    closer.stop();
    form_test->hide();

    ASSERT_NE(learningHistory(), nullptr);
    const auto tests = learningHistory()->articleTests();
    ASSERT_EQ(tests.size(), 1u);
    EXPECT_EQ(tests[0].seconds, 60);
    EXPECT_EQ(tests[0].typed, 2);
    EXPECT_EQ(tests[0].wrong, 1);
    EXPECT_EQ(tests[0].speed, 1);
    EXPECT_DOUBLE_EQ(tests[0].accuracy, 50);
    ASSERT_EQ(tests[0].errors.size(), 1u);
    EXPECT_EQ(tests[0].errors[0].expected, QStringLiteral("阿"));
    EXPECT_EQ(tests[0].errors[0].entered, QStringLiteral("哀"));
    EXPECT_EQ(tests[0].errors[0].code, QStringLiteral("91"));
    EXPECT_EQ(tests[0].errors[0].typedCode, QStringLiteral("8"));
    EXPECT_FALSE(tests[0].errors[0].wrongCandidate) << "8 is no code of 阿: a wrong code";
    // The character missed in the test is up for review.
    const ReviewSchedule review =
        learningHistory()->reviewSchedule(false, [] { return QDate::currentDate(); });
    ASSERT_NE(review.find(QStringLiteral("阿")), nullptr);
    EXPECT_EQ(review.find(QStringLiteral("阿"))->misses, 1);
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

TEST_F(HistoryWindow, AWarmUpGameIsRecordedWhenItEnds) {
    FHot->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FHot));
    QTest::mouseClick(FHot->startclass, Qt::LeftButton);
    for (int tick = 1; tick <= 60; ++tick)
        FHot->Timer1Timer();
    ASSERT_NE(learningHistory(), nullptr);
    EXPECT_TRUE(learningHistory()->warmups().empty()) << "recorded before the end";
    FHot->Timer1Timer();
    ASSERT_TRUE(FHot_Sort->isVisible());
    const auto games = learningHistory()->warmups();
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].mode, QStringLiteral("classic"));
    EXPECT_EQ(games[0].seconds, 60);
    EXPECT_EQ(games[0].score, 0);
    EXPECT_LE(std::abs(games[0].played.secsTo(QDateTime::currentDateTime())), 60);
    FHot_Sort->close();
    FHot->hide();
}

TEST_F(HistoryWindow, TheTrainingRecorderWritesItsRunAtTheEndAndAFailureStopsNothing) {
    TrainingRecorder& r = trainingRecorder();
    r.startRun(3, 1);
    ASSERT_TRUE(r.recording());
    r.itemShown(QStringLiteral("中"), QStringLiteral("50006"));
    r.answerTyped(QStringLiteral("50006"));
    r.itemDone(true);
    EXPECT_TRUE(learningHistory()->trainingRuns().empty());
    endTrainingRun(30, true);
    ASSERT_EQ(learningHistory()->trainingRuns().size(), 1u);
    EXPECT_EQ(learningHistory()->trainingRuns()[0].items.size(), 1u);

    // The history closes under a run (another program folder): nothing written, no error.
    trainingRecorder().startRun(3, 1);
    closeLearningHistory();
    endTrainingRun(30, true);
    EXPECT_EQ(learningHistory()->trainingRuns().size(), 1u);
    EXPECT_TRUE(historyProblem().isEmpty());

    // A history that cannot be opened when a run starts (a folder in its
    // place) loses no run: the learner is told once, naming the file, the
    // runs wait, the closing question counts them, and they are written
    // once the history opens again.
    closeLearningHistory();
    const QString file = path("files/history.sqlite");
    ASSERT_TRUE(QFile::rename(file, file + ".away"));
    ASSERT_TRUE(QDir().mkdir(file));
    errorsShown.clear();
    for (int run = 0; run < 2; ++run) {
        trainingRecorder().startRun(3, 1);
        EXPECT_TRUE(trainingRecorder().recording());
        trainingRecorder().itemShown(QStringLiteral("国"), QStringLiteral("60104"));
        trainingRecorder().answerTyped(QStringLiteral("60104"));
        trainingRecorder().itemDone(true);
        endTrainingRun(20 + run, true);
    }
    ASSERT_EQ(errorsShown.size(), 1) << "told once";
    EXPECT_TRUE(errorsShown[0].contains(QStringLiteral("history.sqlite")));
    EXPECT_TRUE(historyLostOnClosing().contains(QStringLiteral("还有 2 条学习记录")));
    ASSERT_TRUE(QDir().rmdir(file));
    ASSERT_TRUE(QFile::rename(file + ".away", file));
    writeWaitingHistory(); // as 学习记录 opens
    ASSERT_NE(learningHistory(), nullptr);
    const auto runs = learningHistory()->trainingRuns();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2].speed, 21);
    EXPECT_EQ(runs[2].items.size(), 1u);
    EXPECT_TRUE(historyLostOnClosing().isEmpty());
}

TEST_F(HistoryWindow, EveryStartScreenEntryLiesOverItsDrawnPlate) {
    // Beside the label text, a plate's left end: gold for the modules and the
    // learning history, blue for help, about and quit; the navy background
    // just outside it.
    const QImage art = art::startBackground();
    for (int i = 1; i <= 9; ++i) {
        const QRect r = preface01->SpeedButton[static_cast<size_t>(i)]->geometry();
        const QColor plate = art.pixelColor(r.left() + 5, r.center().y());
        const bool gold = i <= 5 || i == 9;
        if (gold)
            EXPECT_TRUE(plate.red() > 180 && plate.blue() < 120) << "entry " << i;
        else
            EXPECT_TRUE(plate.blue() > 150 && plate.red() < 120) << "entry " << i;
        const QColor outside = art.pixelColor(r.left() - 4, r.center().y());
        EXPECT_LT(outside.red(), 100) << "entry " << i;
    }
}

// Deleting the history asks first, and Enter in that question keeps it.
TEST_F(HistoryWindow, TheDeleteQuestionDefaultsToNo) {
    prepareHistory();
    prompts::setAnswerer({}); // the real question box
    QString defaultButton;
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        answer.stop();
        defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        QTest::keyClick(box, Qt::Key_Return);
    });
    answer.start();
    openHistory([&] { QTest::mouseClick(FormHistory->BtnDelete, Qt::LeftButton); });
    answer.stop();
    prompts::setAnswerer([this](const QString& text) { // the fixture's again
        questions << text;
        return answerYes;
    });
    EXPECT_EQ(defaultButton, QStringLiteral("否(&N)"));
    EXPECT_EQ(learningHistory()->trainingRuns().size(), 4u) << "Enter kept the history";
}

// With every exercise trained, every line of the summary shows at the
// window's size.
TEST_F(HistoryWindow, TheWholeSummaryShowsWithEveryExerciseTrained) {
    {
        HistoryStore s(path("files/history.sqlite"));
        const QDate day = QDate::currentDate();
        for (int kind = 0; kind < 14; ++kind) {
            TrainingRunRecord r;
            r.kind = kind;
            r.started = r.ended = QDateTime(day, QTime(9, kind));
            r.speed = 10 + kind;
            r.answered = 10;
            s.addTrainingRun(r, [day] { return day; });
        }
        ArticleTestRecord t;
        t.ended = QDateTime(day, QTime(20, 0));
        t.typed = 100;
        t.speed = 30;
        t.accuracy = 90;
        s.addArticleTest(t, [day] { return day; });
    }
    openHistory([] {
        QLabel* summary = FormHistory->LabelSummary;
        QApplication::processEvents(); // the layout follows the new text
        EXPECT_GE(summary->text().count(u'\n'), 15);
        EXPECT_GE(summary->height(), summary->sizeHint().height()) << "the summary is cut off";
        EXPECT_GE(summary->width(), summary->sizeHint().width()) << "its lines are cut off";
    });
}

// The weak corners: the confusions of the training's typed codes, strongest
// first with their examples, and the error rate at each corner.
TEST_F(HistoryWindow, TheWeakCornersShowTheStrongestConfusionsAndTheRateAtEachCorner) {
    writeFile("hzlib/corners.txt", QStringLiteral("他\t04210\t0 3 1 4 2\t撇 叉 竖 横 左钩\n"
                                                  "们\t0720\t0 4 1 4\t撇 角 竖 左钩\n"
                                                  "国\t60103\t0 - 0 - 5\t方 空角 横 空角 点\n")
                                       .toUtf8());
    {
        HistoryStore s(path("files/history.sqlite"));
        const QDate day = QDate::currentDate();
        auto run = [&](int kind, std::vector<TrainingItemRecord> items) {
            TrainingRunRecord r;
            r.kind = kind;
            r.started = r.ended = QDateTime(day, QTime(9, 0));
            r.answered = static_cast<int>(items.size());
            r.finished = true;
            r.items = std::move(items);
            s.addTrainingRun(r, [day] { return day; });
        };
        auto item = [](const char* text, const char* code, QStringList typed) {
            return TrainingItemRecord{
                QString::fromUtf8(text), QString::fromLatin1(code), typed, true, 2, false};
        };
        // 撇 at the top left read as 竖 three times, in 他 and 们; 国's
        // bottom left 横 read as 竖 once; the stroke pictures count nowhere.
        run(3, {item("他", "04210", {"24210", "04210"}), item("们", "0720", {"2720", "0720"})});
        run(4, {item("他", "04210", {"24210", "04210"}), item("国", "60103", {"60203", "60103"})});
        run(0, {item("2", "2", {"1", "2"})});
    }
    openHistory([] {
        QTableWidget* weak = FormHistory->GridWeak;
        ASSERT_EQ(weak->rowCount(), 2);
        auto row = [weak](int r) {
            QStringList texts;
            for (int c = 0; c < weak->columnCount(); ++c) {
                const QTableWidgetItem* it = weak->item(r, c);
                texts << (it ? it->text() : QStringLiteral("<none>"));
            }
            return texts.join(u'|');
        };
        EXPECT_EQ(row(0), QStringLiteral("左上角|撇（0）→竖（2）|3|他、们"));
        EXPECT_EQ(weak->item(0, 3)->toolTip(), QStringLiteral("他、们")) << "the whole list";
        EXPECT_EQ(row(1), QStringLiteral("左下角|横（1）→竖（2）|1|国"));
        ASSERT_NE(weak->item(0, 0), nullptr);
        EXPECT_EQ(weak->item(0, 0)->data(Qt::UserRole).toInt(), 0);
        EXPECT_EQ(weak->item(0, 0)->data(Qt::UserRole + 1).toString(), QStringLiteral("0"));
        // Eight codes were compared at each of the four corners (two for
        // each item), six at the extra corner (the four-digit 们 has none).
        EXPECT_EQ(FormHistory->PictureCorners->toolTip(),
                  QStringLiteral("左上角 38%（3/8）\n右上角 0%（0/8）\n左下角 13%（1/8）\n"
                                 "右下角 0%（0/8）\n附角 0%（0/6）"));
        EXPECT_FALSE(FormHistory->PictureCorners->pixmap().isNull());
    });
}

} // namespace
