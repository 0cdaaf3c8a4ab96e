#include "tests/gui/program_folder_fixture.h"
#include "tests/support/test_chars.h"

#include "app/start_screen.h"
#include "articletest/article_test_report_window.h"
#include "articletest/article_test_window.h"
#include "articletest/article_text_view.h"
#include "articletest/top_ten_window.h"
#include "classresults/class_membership.h"
#include "dictionary/dict_format.h"
#include "dictionary/dictionary_instance.h"
#include "dictionary/two.h"
#include "history/history_instance.h"
#include "history/history_store.h"
#include "platform/gbk_codec.h"
#include "platform/key_hold.h"
#include "platform/prompts.h"
#include "results/results_server.h"
#include "results/results_store.h"
#include "tests/dictionary/dict_test_files.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

// The test window on a program folder holding a 40-character test.tvm and a
// dictionary in which character i has the code "9" + i.
class TestWindow : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        const auto forty = dicttest::fortyCharacterTest();
        writeFile("test.tvm", QByteArray::fromStdString(forty.testFile));
        writeFile("hzlib/zh1", QByteArray::fromStdString(forty.dictionary));
        form_test->HomeDir = path(QString());
        // Close every report and top-ten list as soon as it shows, noting
        // what the report listed.
        closer.setInterval(5);
        QObject::connect(&closer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* list = qobject_cast<Thighscore*>(modal)) {
                listsShown << list->StringGrid1->item(1, 1)->text();
                list->close();
            } else if (modal == Form_result) {
                reports << Form_result->Mresult->toPlainText();
                if (revealFirstLine && !revealing) {
                    // Enter, once the keys typed before the report are no
                    // longer held back, reveals the first line's code and
                    // says why the code typed for it was wrong.
                    revealing = true;
                    QTest::qWait(KeyHold::kDefaultQuiet.count() + 50);
                    QTest::keyClick(Form_result, Qt::Key_Return);
                    QTextDocument shown;
                    shown.setHtml(Form_result->LabelWhy->text());
                    whys << shown.toPlainText();
                    revealing = false;
                }
                Form_result->close();
            }
        });
        closer.start();
        form_test->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_test));
    }
    void TearDown() override {
        closer.stop();
        form_test->hide();
        ProgramFolderTest::TearDown();
    }
    void keys(const QString& text) {
        for (QChar c : text) {
            const int key = c == u' ' ? int(Qt::Key_Space) : int(c.unicode());
            QTest::keyClick(form_test->Edit_input, static_cast<Qt::Key>(key), Qt::KeypadModifier);
        }
    }
    // The visible/enabled state of the controls of the state table.
    QString state() const {
        const Tform_test* w = form_test;
        QString s;
        for (bool v :
             {!w->BtnStart->isHidden(), !w->ScrollBox1->isHidden(), w->Edit_input->isEnabled(),
              w->Timer1->isActive(), w->BtnPause->isEnabled(), w->SBtnQuit->isEnabled(),
              w->SBtnSetup->isEnabled(), w->SBtnfile->isEnabled(), w->SBtnHelp->isEnabled()})
            s += v ? u'1' : u'0';
        return s;
    }

    QTimer closer;
    QStringList reports;
    bool revealFirstLine = false;
    bool revealing = false;
    QStringList whys;       // the note under the first revealed line of each report
    QStringList listsShown; // the first name of each top-ten list shown
};

// start text input timer pause quit setup file help
const QString kReady = "100001111";
const QString kRunning = "011110001";

TEST_F(TestWindow, ATestFromStartToTimeUp) {
    EXPECT_EQ(state(), kReady);
    EXPECT_EQ(form_test->LChange->text(), QStringLiteral("暂停"));
    EXPECT_EQ(form_test->Lgo->text(), QStringLiteral("0:00"));
    form_test->TestMinutes = 1;

    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    EXPECT_EQ(state(), kRunning);
    EXPECT_EQ(form_test->LChange->text(), QStringLiteral("正在测试"));

    revealFirstLine = true;
    keys("90 "); // right
    keys("8 ");  // two candidates: a page
    EXPECT_EQ(form_test->result1->text(), QStringLiteral(" 0.唉 1.哀"));
    keys("1"); // the second candidate, gbkTestChar(6), where gbkTestChar(1) stands: wrong
    keys(" "); // skipped: wrong
    EXPECT_EQ(form_test->alread->text(), QStringLiteral("3"));
    EXPECT_EQ(form_test->wrong->text(), QStringLiteral("2"));
    QTest::keyClick(form_test->Edit_input, Qt::Key_Period,
                    Qt::KeypadModifier); // take back the skip
    EXPECT_EQ(form_test->alread->text(), QStringLiteral("2"));
    EXPECT_EQ(form_test->wrong->text(), QStringLiteral("1"));
    keys("1234567");
    EXPECT_EQ(form_test->Edit_input->text(), QStringLiteral("123456"));
    QTest::keyClick(form_test->Edit_input, Qt::Key_Backspace);
    EXPECT_EQ(form_test->Edit_input->text(), QStringLiteral("12345"));

    // Pause and continue.
    for (int i = 0; i < 3; ++i)
        form_test->Timer1Timer();
    QTest::mouseClick(form_test->BtnPause, Qt::LeftButton);
    EXPECT_EQ(state(), "100001011");
    EXPECT_EQ(form_test->Lgo->text(), QStringLiteral("00:03"));
    QTest::keyClick(form_test->BtnStart, Qt::Key_Space); // Space presses the focused start button
    EXPECT_EQ(state(), kRunning);

    // The clock reaches the minute: the report lists the wrong character.
    for (int i = 3; i < 60; ++i)
        form_test->Timer1Timer();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0], QStringLiteral("阿(哀)"));
    ASSERT_EQ(whys.size(), 1);
    EXPECT_EQ(whys[0],
              QStringLiteral("阿（打了 8）：左上角是小（9），不是八（8）；右上角少打了横（1）"));
    EXPECT_EQ(state(), "100001011");
    EXPECT_EQ(form_test->LChange->text(), QStringLiteral("请按开始键继续测试"));
    EXPECT_EQ(form_test->Lgo->text(), QStringLiteral("0:00"));
    EXPECT_EQ(form_test->alread->text(), QStringLiteral("0"));
    // One right character in a minute: speed 1, into the empty top ten.
    EXPECT_EQ(Form_result->LRate->text(), QStringLiteral("1字/分"));
    EXPECT_EQ(listsShown, QStringList{QStringLiteral("小明")});
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

TEST_F(TestWindow, TheArticleEndsAndIsShownAfresh) {
    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    for (int i = 0; i < 40; ++i)
        keys(QStringLiteral("9%1 ").arg(i));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].isEmpty());
    EXPECT_EQ(form_test->LChange->text(), QStringLiteral("请选择文章"));
    EXPECT_EQ(state(), kReady);
    EXPECT_EQ(form_test->alread->text(), QStringLiteral("40"));
    EXPECT_TRUE(form_test->flow().text.line(1).empty());
}

// How many pixels of about a colour the article view draws in a character's cell.
int pixelsIn(int line, int index, const QColor& colour) {
    const QImage img = form_test->REdit1->grab(form_test->REdit1->cellRect(line, index)).toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += std::abs(img.pixelColor(x, y).red() - colour.red()) < 40 &&
                 std::abs(img.pixelColor(x, y).green() - colour.green()) < 40 &&
                 std::abs(img.pixelColor(x, y).blue() - colour.blue()) < 40;
    return n;
}

TEST_F(TestWindow, WhatIsTypedIsDrawnUnderTheArticle) {
    const QColor red(255, 0, 0), blue(0, 0, 255), selected(0, 120, 215);
    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    EXPECT_GT(pixelsIn(0, 0, selected), 100) << "the first character is the current one";
    keys("8 1"); // gbkTestChar(6) where gbkTestChar(0) stands
    EXPECT_GT(pixelsIn(0, 0, red), 10);
    EXPECT_GT(pixelsIn(1, 0, blue), 10) << "the entered character, in the input colour";
    EXPECT_GT(pixelsIn(0, 1, selected), 100);
    EXPECT_EQ(pixelsIn(0, 0, selected), 0);
    keys("91 ");
    EXPECT_EQ(pixelsIn(0, 1, red), 0);
    EXPECT_GT(pixelsIn(1, 1, blue), 10);
    // Taken back: the article character drawn untyped again, its entry gone.
    QTest::keyClick(form_test->Edit_input, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(form_test->Edit_input, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(pixelsIn(0, 0, red), 0);
    EXPECT_EQ(pixelsIn(1, 0, blue), 0);
    EXPECT_GT(pixelsIn(0, 0, selected), 100);
    // The second article line pair is drawn too, in the untyped colour.
    EXPECT_GT(pixelsIn(2, 0, Qt::black), 10);
}

TEST_F(TestWindow, SegmentationShowsTheShareWalkedAndRestartsTheClock) {
    for (const char* f : {"zh2", "zh3", "zh4", "zh5", "zh1.hz", "zh2.hz", "zh3.hz", "zh4.hz"})
        writeFile(QStringLiteral("hzlib/") + f, QByteArray());
    writeFile("hzlib/zh5.hz", QByteArray());
    form_test->progressRepaintMs = 0; // every line
    QList<int> values;
    QStringList texts;
    bool panelShown = true;
    QObject::connect(form_test->ProgressBar2, &QProgressBar::valueChanged, [&](int v) {
        values << v;
        texts << form_test->ProgressBar2->text();
        panelShown = panelShown && form_test->zdqc->isVisible();
    });
    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    for (int i = 0; i < 5; ++i)
        form_test->Timer1Timer();
    answerYes = true;
    QTest::mouseClick(form_test->BitBtn1, Qt::LeftButton);
    // Two article lines and the end line: the bar reads 100% only at the end.
    EXPECT_EQ(values, (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(texts, (QStringList{"0%", "33%", "66%", "100%"}));
    EXPECT_TRUE(panelShown);
    EXPECT_TRUE(form_test->zdqc->isHidden());
    EXPECT_EQ(form_test->Lgo->text(), QStringLiteral("0:00"));
    form_test->Timer1Timer();
    EXPECT_EQ(form_test->Lgo->text(), QStringLiteral("00:01"));
    EXPECT_TRUE(form_test->Timer1->isActive()) << "the clock runs on";
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

TEST_F(TestWindow, ASegmentationWithoutItsFilesIsNamedAndTheTestGoesOn) {
    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    answerYes = true;
    QTest::mouseClick(form_test->BitBtn1, Qt::LeftButton); // no word files at all
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("hzlib/zh"))) << errorsShown[0].toStdString();
    EXPECT_TRUE(form_test->zdqc->isHidden());
    EXPECT_EQ(state(), kRunning) << "the clock runs again";
    keys("90 ");
    EXPECT_EQ(form_test->alread->text(), QStringLiteral("1"));
}

TEST_F(TestWindow, AMissingDictionaryIsNamedAndTheCodeStays) {
    QFile::remove(path("hzlib/zh1"));
    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    keys("90 ");
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("hzlib/zh1"))) << errorsShown[0].toStdString();
    EXPECT_EQ(form_test->Edit_input->text(), QStringLiteral("90"));
}

TEST_F(TestWindow, WithoutTestFileTheLearnerIsAsked) {
    form_test->hide();
    QFile::remove(path("test.tvm"));
    answerYes = false;
    form_test->show();
    EXPECT_EQ(questions.value(0), QStringLiteral("没有找到测试文件，要亲自找吗"));
    EXPECT_EQ(state(), "000001111");

    // The file menu's "选择文章": a file elsewhere.
    QTemporaryDir other;
    QFile f(other.path() + "/poem.tvm");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromStdString(gbkTestChar(0) + gbkTestChar(1) + std::string(55, ' ') +
                                      "\r\r \r"));
    f.close();
    form_test->openDialog = [&] { return other.path() + "/poem.tvm"; };
    form_test->select_file->trigger();
    EXPECT_EQ(state(), kReady);
    EXPECT_EQ(form_test->Label_file->text(), QStringLiteral("poem.tvm"));
}

} // namespace

namespace {

// The learner's way in: the start screen opens the test window modally, and
// every key goes to whatever has the focus at that moment.
class TestWindowFromStart : public TestWindow {
protected:
    void SetUp() override {
        TestWindow::SetUp();
        form_test->hide();
        preface01->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(preface01));
    }
    void TearDown() override {
        answerYes = true;
        preface01->close();
        TestWindow::TearDown();
    }
    // Opens the test window from the start screen and runs `steps` inside
    // its modal loop; leaves it through its question afterwards.
    void inTestWindow(const std::function<void()>& steps) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(QApplication::activeModalWidget(), form_test);
            steps();
            ran = true;
            answerYes = true;
            if (form_test->isVisible())
                form_test->close();
        });
        QTest::mouseClick(preface01->SpeedButton[4], Qt::LeftButton);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(form_test->isVisible());
    }
    static QWidget* focused() {
        // Offscreen no window manager gives the window below a closed dialog
        // the focus back: do what it does.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && QApplication::activeWindow() != modal) {
            modal->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
        }
        if (QWidget* w = QApplication::focusWidget())
            return w;
        return QApplication::activeModalWidget();
    }
    // Keypad keys with Num Lock on: digits, Enter, ".", "+", "-", "*", "/".
    static void pad(const QString& keys) {
        for (QChar c : keys) {
            const int key = c == u'\n' ? int(Qt::Key_Enter) : int(c.unicode());
            QTest::keyClick(focused(), static_cast<Qt::Key>(key), Qt::KeypadModifier);
        }
    }
    // Keypad digits with Num Lock off: the keypad sends its cursor keys.
    static void padNumLockOff(const QString& digits) {
        static const Qt::Key keys[] = {
            Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left,
            Qt::Key_Clear,  Qt::Key_Right, Qt::Key_Home, Qt::Key_Up,       Qt::Key_PageUp};
        for (QChar c : digits)
            QTest::keyClick(focused(), keys[c.digitValue()], Qt::KeypadModifier);
    }
    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

TEST_F(TestWindowFromStart, AWholeTestOnTheKeypadAfterAnyClick) {
    form_test->TestMinutes = 1;
    inTestWindow([&] {
        EXPECT_EQ(state(), kReady);
        pad("\n"); // keypad Enter presses the focused start button
        EXPECT_EQ(state(), kRunning);

        pad("90");
        click(form_test->SBtnHelp); // "成绩": the list opens and is closed
        EXPECT_EQ(listsShown.size(), 1);
        pad("\n"); // still ends the code in the box
        EXPECT_EQ(listsShown.size(), 1) << "the key went to the button";
        EXPECT_EQ(form_test->alread->text(), QStringLiteral("1"));
        EXPECT_TRUE(form_test->Edit_input->text().isEmpty());

        padNumLockOff("91");
        EXPECT_EQ(form_test->Edit_input->text(), QStringLiteral("91"));
        click(form_test->BitBtn1); // "自动切词", declined
        QTest::keyClick(focused(), Qt::Key_Space);
        EXPECT_EQ(form_test->alread->text(), QStringLiteral("2"));
        EXPECT_EQ(form_test->wrong->text(), QStringLiteral("0"));

        // Paused by a click, continued with keypad Enter.
        click(form_test->BtnPause);
        EXPECT_EQ(state(), "100001011");
        pad("\n");
        EXPECT_EQ(state(), kRunning);
        // Esc during the test is an unknown key: swallowed, nothing asked.
        QTest::keyClick(focused(), Qt::Key_Escape);
        EXPECT_TRUE(questions.isEmpty());
        EXPECT_EQ(state(), kRunning);

        // Time up: the report, the top ten, then keypad Enter continues.
        for (int i = 0; i < 60; ++i)
            form_test->Timer1Timer();
        EXPECT_EQ(reports.size(), 1);
        EXPECT_EQ(state(), "100001011");
        pad("\n");
        EXPECT_EQ(state(), kRunning);
        pad("92\n");
        EXPECT_EQ(form_test->alread->text(), QStringLiteral("1"));
        click(form_test->BtnPause);
    });
    // The name asked at time-up, then the question on leaving.
    EXPECT_EQ(questions, (QStringList{QStringLiteral("恭喜你！进入前十！输入你的姓名"),
                                      QStringLiteral("确定退出吗")}));
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

// A learner of a class finishes an article test: the result goes from the
// history's queue to the class's server, and is on its table once.
TEST_F(TestWindowFromStart, AFinishedTestReachesTheClassOnce) {
    QTemporaryDir serverFolder;
    results::ResultsStore store(QStringLiteral("sqlite:") +
                                serverFolder.filePath(QStringLiteral("r.sqlite")));
    results::ResultsServer server(store);
    const quint16 port = server.listen(QHostAddress::LocalHost, 0);
    const results::NewClass made = store.createClass(QStringLiteral("一班"));
    QDir().mkpath(path(QStringLiteral("config/tarvo")));
    classmembership::write(path(QStringLiteral("config/tarvo/class.json")),
                           {QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port)), made.joinCode,
                            QStringLiteral("一班"), QStringLiteral("小明"),
                            *store.join(made.joinCode, QStringLiteral("小明"))});
    form_test->TestMinutes = 1;
    inTestWindow([&] {
        pad("\n");
        pad("90\n");
        for (int i = 0; i < 60; ++i)
            form_test->Timer1Timer();
        EXPECT_EQ(reports.size(), 1);
    });
    QTRY_COMPARE_WITH_TIMEOUT(store.resultCount(), 1, 10000);
    const auto rows =
        store.ranking(made.joinCode, results::Kind::ArticleTest, QDateTime::currentDateTimeUtc());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, QStringLiteral("小明"));
    EXPECT_EQ(rows[0].best, learningHistory()->articleTests().back().speed);
    // The class page a browser gets shows the learner once.
    QNetworkAccessManager network;
    QNetworkReply* reply = network.get(QNetworkRequest(
        QUrl(QStringLiteral("http://127.0.0.1:%1/class/%2?lxid=4").arg(port).arg(made.joinCode))));
    QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 5000);
    const QString page = QString::fromUtf8(reply->readAll());
    reply->deleteLater();
    EXPECT_EQ(page.count(QStringLiteral(">小明<")), 1) << page.toStdString();
    sendClassResultsNow(); // nothing waits: nothing is posted again
    QTest::qWait(200);
    EXPECT_EQ(store.resultCount(), 1);
    EXPECT_EQ(learningHistory()->resultsAccount().sent, 1);
}

// A code with 21 candidates: every page holds at most ten, so the keypad's
// digits reach each one (the second page once showed eleven, its last
// candidate out of reach).
TEST_F(TestWindowFromStart, EveryCandidateOfALongListHasADigit) {
    std::vector<dicttest::Rec> recs;
    for (int i = 0; i < 21; ++i)
        recs.push_back({"5", gbkTestChar(i)});
    writeFile("hzlib/zh1", QByteArray::fromStdString(dicttest::groupBytes(1, recs)));
    auto candidate = [](int i) { return gbk::toUnicode(gbkTestChar(i)); };
    inTestWindow([&] {
        pad("\n");
        ASSERT_EQ(state(), kRunning);
        pad("5\n");
        EXPECT_TRUE(form_test->result1->text().startsWith(QStringLiteral(" 0.") + candidate(0)));
        pad("+");
        const QString second = form_test->result1->text();
        EXPECT_TRUE(second.startsWith(QStringLiteral("0.") + candidate(10)))
            << second.toStdString();
        EXPECT_TRUE(second.endsWith(QStringLiteral("9.") + candidate(19))) << second.toStdString();
        pad("+");
        EXPECT_EQ(form_test->result1->text(), QStringLiteral("0.") + candidate(20));
        pad("-");
        EXPECT_TRUE(form_test->result1->text().endsWith(candidate(19)));
        pad("+9"); // the last candidate of the second page
        EXPECT_EQ(form_test->alread->text(), QStringLiteral("1"));
        EXPECT_EQ(form_test->wrong->text(), QStringLiteral("1")) << "candidate 19 where 0 stands";
        click(form_test->BtnPause);
    });
}

// The top-ten list that "成绩" opens closes with Enter, keypad or main.
TEST_F(TestWindowFromStart, EnterClosesTheTopTenList) {
    closer.stop(); // the list is left to the keys
    inTestWindow([&] {
        for (const bool keypad : {true, false}) {
            bool closed = false;
            QTimer::singleShot(0, [&] {
                QWidget* list = QApplication::activeModalWidget();
                ASSERT_NE(qobject_cast<Thighscore*>(list), nullptr);
                QTest::keyClick(focused(), keypad ? Qt::Key_Enter : Qt::Key_Return,
                                keypad ? Qt::KeypadModifier : Qt::NoModifier);
                closed = !list->isVisible();
                if (!closed)
                    list->close();
            });
            click(form_test->SBtnHelp);
            EXPECT_TRUE(closed) << (keypad ? "keypad Enter" : "Return");
        }
    });
    closer.start();
}

TEST_F(TestWindowFromStart, LeavingAlwaysAsksFirst) {
    inTestWindow([&] {
        answerYes = false;
        QTest::keyClick(focused(), Qt::Key_Escape);
        EXPECT_TRUE(form_test->isVisible());
        form_test->close(); // the close box
        EXPECT_TRUE(form_test->isVisible());
        click(form_test->SBtnQuit);
        EXPECT_TRUE(form_test->isVisible());
        EXPECT_EQ(questions.size(), 3);
        // The article and the place in it are still there.
        pad("\n90\n");
        EXPECT_EQ(form_test->alread->text(), QStringLiteral("1"));
        click(form_test->BtnPause);
        answerYes = true;
        QTest::keyClick(focused(), Qt::Key_Escape);
        EXPECT_FALSE(form_test->isVisible());
    });
    EXPECT_EQ(questions, QStringList(4, QStringLiteral("确定退出吗")));
}

TEST_F(TestWindowFromStart, KeysInFlightAtTimeUpDoNotBecomeAName) {
    prompts::setTextAnswerer({}); // the real name box
    bool typed = false;
    QTimer nameBox;
    nameBox.setInterval(5);
    QObject::connect(&nameBox, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!box || typed)
            return;
        typed = true;
        // The learner's last digits, still coming for a second after the end:
        // each one held back keeps the hold on.
        pad("5");
        for (int i = 1; i <= 4; ++i)
            QTimer::singleShot(std::chrono::milliseconds(250 * i), [] { pad("6"); });
        QTimer::singleShot(std::chrono::milliseconds(1000) + KeyHold::kDefaultQuiet +
                               std::chrono::milliseconds(100),
                           [] {
                               QTest::keyClicks(focused(), QStringLiteral("ab"));
                               QTest::keyClick(focused(), Qt::Key_Enter, Qt::KeypadModifier);
                           });
    });
    nameBox.start();
    form_test->TestMinutes = 1;
    inTestWindow([&] {
        pad("\n90\n");
        for (int i = 0; i < 60; ++i)
            form_test->Timer1Timer();
    });
    EXPECT_TRUE(typed);
    EXPECT_EQ(listsShown, QStringList{QStringLiteral("ab")});
}

TEST_F(TestWindowFromStart, EachReportListsOnlyItsOwnTest) {
    form_test->TestMinutes = 1;
    // A test abandoned with one error: the window is closed mid-test.
    inTestWindow([&] {
        pad("\n8\n1"); // gbkTestChar(6) where gbkTestChar(0) stands
        EXPECT_EQ(form_test->wrong->text(), QStringLiteral("1"));
        answerYes = true;
        form_test->close();
    });
    inTestWindow([&] {
        pad("\n90\n"); // right
        pad("8\n0");   // gbkTestChar(5) where gbkTestChar(1) stands: wrong
        pad("92\n");   // right
        pad(".");      // a right one taken back: the error stays
        EXPECT_EQ(form_test->wrong->text(), QStringLiteral("1"));
        for (int i = 0; i < 60; ++i)
            form_test->Timer1Timer();
        // The test goes on at the cursor with a new error of its own.
        pad("\n\n");
        for (int i = 0; i < 60; ++i)
            form_test->Timer1Timer();
    });
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0], QStringLiteral("阿(唉)"));
    EXPECT_EQ(reports[1], QStringLiteral("埃(  )"));
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

TEST_F(TestWindowFromStart, TheLastReportShowsAnEmptyListAndEnterAddsNothing) {
    form_test->TestMinutes = 1;
    inTestWindow([&] {
        pad("\n8\n1"); // wrong
        for (int i = 0; i < 60; ++i)
            form_test->Timer1Timer();
        pad("\n\n"); // a skipped character: wrong
        for (int i = 0; i < 60; ++i)
            form_test->Timer1Timer();
        closer.stop(); // this list is worked by hand
        QTimer::singleShot(0, [] {
            auto* list = qobject_cast<Thighscore*>(QApplication::activeModalWidget());
            ASSERT_NE(list, nullptr);
            QTimer::singleShot(0, [list] {
                // The report again, as "上一次成绩" shows it.
                EXPECT_TRUE(Form_result->LastOnly);
                QTest::keyClick(Form_result, Qt::Key_Enter, Qt::KeypadModifier);
                QTest::keyClick(Form_result, Qt::Key_Enter, Qt::KeypadModifier);
                EXPECT_TRUE(Form_result->Mresult->toPlainText().isEmpty());
                Form_result->close();
                list->close();
            });
            QTest::mouseClick(list->Button3, Qt::LeftButton);
        });
        click(form_test->SBtnHelp);
        closer.start();
    });
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0], QStringLiteral("啊(哀)"));
    EXPECT_EQ(reports[1], QStringLiteral("阿(  )"));
    // Its labels are those of the second report: 0 right characters.
    EXPECT_EQ(Form_result->LRight->text(), QStringLiteral("0个字"));
}

} // namespace

namespace {

// The width the caption leaves between its two words for the count.
int gapOf(const QLabel* caption) {
    const QFontMetrics m(caption->font());
    return m.horizontalAdvance(caption->text().chopped(2)) -
           m.horizontalAdvance(caption->text().left(2));
}

TEST_F(TestWindow, LongCountsFitBetweenTheWordsOfTheirCaptions) {
    form_test->TestMinutes = 1;
    QTest::mouseClick(form_test->BtnStart, Qt::LeftButton);
    keys("90 ");
    const QFont usual = form_test->alread->font();
    EXPECT_EQ(QFontInfo(usual).pixelSize(), QFontInfo(form_test->Label8->font()).pixelSize())
        << "a short count keeps the caption's size";
    // A long test: five digits typed, four wrong; the clock's tick redraws them.
    form_test->flow().engine.typedCount = 12345;
    form_test->flow().engine.wrongCount = 9999;
    form_test->Timer1Timer();
    EXPECT_EQ(form_test->alread->text(), QStringLiteral("12345"));
    for (QLabel* count : {form_test->alread, form_test->wrong}) {
        const QLabel* caption = count == form_test->alread ? form_test->Label8 : form_test->Label6;
        const int drawn = QFontMetrics(count->font()).horizontalAdvance(count->text());
        EXPECT_LE(drawn, gapOf(caption)) << count->text().toStdString();
        // Centred in its box, which is centred on the gap: the digits stay inside it.
        const int left = count->x() + (count->width() - drawn) / 2;
        const QFontMetrics m(caption->font());
        EXPECT_GE(left, caption->x() + m.horizontalAdvance(caption->text().left(2)) - 1);
        EXPECT_LE(left + drawn, caption->x() + m.horizontalAdvance(caption->text().chopped(2)) + 1);
    }
    // Back to a short count: the usual size again.
    form_test->flow().engine.typedCount = 7;
    form_test->Timer1Timer();
    EXPECT_EQ(QFontInfo(form_test->alread->font()).pixelSize(), QFontInfo(usual).pixelSize());
}

} // namespace

namespace {

// The 文件 menu opens right at its button, and the name box is wide enough
// for its whole title.
TEST_F(TestWindowFromStart, TheFileMenuOpensAtItsButton) {
    inTestWindow([&] {
        QRect menu, button;
        QTimer::singleShot(0, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_NE(popup, nullptr);
            menu = popup->geometry();
            popup->close();
        });
        QTest::mouseClick(form_test->SBtnfile, Qt::LeftButton);
        button = QRect(form_test->SBtnfile->mapToGlobal(QPoint(0, 0)), form_test->SBtnfile->size());
        EXPECT_LE(std::abs(menu.bottom() + 1 - button.top()), 4)
            << "menu " << menu.top() << "-" << menu.bottom() << ", button at " << button.top();
        EXPECT_LE(std::abs(menu.left() - button.left()), 4);
    });
}

} // namespace
