// The tutor and a class results server on loopback, as a learner meets them:
// 在线竞技 opens the join dialog; the keys join the class; results made
// after it reach the class once each and in order, also those made while
// the server was away; one the server refuses is put aside and the next go
// on; "学习记录" tells the queue's state.
#include "app/start_screen.h"
#include "classresults/join_dialog.h"
#include "history/history_instance.h"
#include "history/history_store.h"
#include "results/results_server.h"
#include "results/results_store.h"
#include "tests/gui/program_folder_fixture.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <memory>

#include <sys/stat.h>

namespace {

class ClassResults : public StartScreenShownTest {
protected:
    void SetUp() override {
        StartScreenShownTest::SetUp();
        made = store->createClass(QStringLiteral("一班"));
        startServer(0);
        writeFile(QStringLiteral("Server.ini"),
                  QStringLiteral("[ServerSetup]\nAddress=http://127.0.0.1:%1/tvm.asp?lxid=4\n")
                      .arg(port)
                      .toUtf8());
    }
    void startServer(quint16 at) {
        server = std::make_unique<results::ResultsServer>(*store);
        port = server->listen(QHostAddress::LocalHost, at);
        ASSERT_NE(port, 0);
    }
    // What the class's table holds for a kind: the best of each learner.
    int best(results::Kind kind) {
        const auto rows = store->ranking(made.joinCode, kind, QDateTime::currentDateTimeUtc());
        return rows.empty() ? -1 : rows.front().best;
    }
    ResultsQueue::Account account() { return learningHistory()->resultsAccount(); }
    static ArticleTestRecord test(int speed) {
        ArticleTestRecord t;
        t.article = QStringLiteral("春");
        t.ended = QDateTime::currentDateTime();
        t.seconds = 60;
        t.typed = speed;
        t.speed = speed;
        t.accuracy = 98;
        return t;
    }

    QTemporaryDir serverFolder;
    std::unique_ptr<results::ResultsStore> store = std::make_unique<results::ResultsStore>(
        QStringLiteral("sqlite:") + serverFolder.filePath(QStringLiteral("r.sqlite")));
    std::unique_ptr<results::ResultsServer> server;
    quint16 port = 0;
    results::NewClass made;
};

TEST_F(ClassResults, AJoinedLearnersResultsReachTheClassOnceInOrderAlsoAfterTheServerWasAway) {
    // A game before joining goes nowhere.
    recordWarmup({QDateTime::currentDateTime(), QStringLiteral("classic"), 60, 40});
    // The history's first sending after its opening is over: from here on
    // only a record, a "send now" or a try again sends.
    QTest::qWait(1700);

    // 在线竞技, then the keys alone: the code, Tab, the name, Enter.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<JoinDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->EditServer->text(), QStringLiteral("http://127.0.0.1:%1").arg(port));
        // The keys go to the dialog's focus (the offscreen platform does not
        // activate a new window as a window manager does).
        QWidget* keys = dialog->focusWidget();
        ASSERT_EQ(keys, dialog->EditCode) << "the address is given: the code takes the keys";
        QTest::keyClicks(keys, made.joinCode.toLower());
        QTest::keyClick(keys, Qt::Key_Tab);
        QTest::keyClicks(dialog->focusWidget(), QStringLiteral("Ming"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Enter);
    });
    QTest::mouseClick(preface01->SpeedButton[5], Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(),
              QStringLiteral("http://127.0.0.1:%1/class/%2?lxid=4").arg(port).arg(made.joinCode));
    const QString kept = path(QStringLiteral("config/tarvo/class.json"));
    ASSERT_TRUE(QFile::exists(kept));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(kept).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "the learner's key is for the learner alone";

    // A test and a game after joining reach the class; the game before did not.
    recordArticleTest(test(55));
    recordWarmup({QDateTime::currentDateTime(), QStringLiteral("fun"), 60, 70});
    QTRY_COMPARE_WITH_TIMEOUT(account().sent, 2, 10000);
    EXPECT_EQ(best(results::Kind::ArticleTest), 55);
    EXPECT_EQ(best(results::Kind::Warmup), 70);

    // The server goes away: the next results wait, and the line says so.
    server.reset();
    recordArticleTest(test(60));
    recordArticleTest(test(65));
    QTRY_VERIFY_WITH_TIMEOUT(classResultsLine().contains(QStringLiteral("上次没有发出")), 10000);
    EXPECT_EQ(account().waiting, 2);
    EXPECT_TRUE(classResultsLine().contains(QStringLiteral("2 条等待发送")))
        << classResultsLine().toStdString();

    // Back: a score the server refuses is put aside; the others go, once each.
    startServer(port);
    recordWarmup({QDateTime::currentDateTime(), QStringLiteral("fun"), 60, 5000});
    recordArticleTest(test(50));
    sendClassResultsNow();
    QTRY_COMPARE_WITH_TIMEOUT(account().waiting, 0, 10000);
    EXPECT_EQ(account().sent, 5);
    EXPECT_EQ(account().refused, 1);
    EXPECT_EQ(best(results::Kind::ArticleTest), 65);
    const auto rows =
        store->ranking(made.joinCode, results::Kind::ArticleTest, QDateTime::currentDateTimeUtc());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.front().latest, 50) << "posted in the order they were made";
    EXPECT_TRUE(classResultsLine().contains(QStringLiteral("1 条没有被接受")))
        << classResultsLine().toStdString();
    // The teacher removes the learner: the next result waits, and the line
    // asks the learner to join again.
    ASSERT_TRUE(store->removeLearner(made.joinCode, store->learners(made.joinCode)[0].id));
    recordArticleTest(test(70));
    QTRY_VERIFY_WITH_TIMEOUT(classResultsLine().contains(QStringLiteral("重新加入班级")), 10000);
    EXPECT_EQ(account().waiting, 1);
    EXPECT_EQ(account().refused, 1) << "not put aside: it waits for the learner's new key";

    // Joined, on a computer without a browser: the page's address is told.
    desktopOpens = false;
    QTest::mouseClick(preface01->SpeedButton[5], Qt::LeftButton);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("/class/%1?lxid=4").arg(made.joinCode)))
        << notices[0].toStdString();
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

} // namespace
