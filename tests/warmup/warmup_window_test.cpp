#include "tests/gui/program_folder_fixture.h"

#include "warmup/warmup_ranking_window.h"
#include "warmup/warmup_window.h"

#include "tests/test_paths.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

class WarmupWindow : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        for (const char* face : {"facestart.bmp", "facelaugh.bmp", "facec.bmp"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(TARVO_PROGRAM_DIR "/files/") + face,
                                    path(QStringLiteral("files/") + face)));
        FHot->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FHot));
    }
    void TearDown() override {
        FHot->close();
        ProgramFolderTest::TearDown();
    }
    void keypad(Qt::Key key) { QTest::keyClick(FHot, key, Qt::KeypadModifier); }
    WarmupGame& game() { return FHot->game(); }
};

TEST_F(WarmupWindow, OpeningShowsOneMinuteAndTheClassicPrompt) {
    EXPECT_EQ(FHot->Tc->digits(), QStringLiteral("060"));
    EXPECT_EQ(FHot->sc->digits(), QStringLiteral("000"));
    EXPECT_EQ(FHot->I->digits(), QStringLiteral("000000"));
    EXPECT_EQ(FHot->input->text(), QStringLiteral("点击“笑脸”开始热身"));
    EXPECT_FALSE(FHot->Pclass->isHidden());
    EXPECT_TRUE(FHot->N1x[1]->isChecked());

    FHot->N1x[3]->trigger(); // "三分钟"
    EXPECT_EQ(FHot->Tc->digits(), QStringLiteral("180"));
    EXPECT_FALSE(FHot->Timer1->isActive());
}

TEST_F(WarmupWindow, FunModeWithTheKeypadKeys) {
    FHot->Nintere->trigger();
    EXPECT_TRUE(FHot->Pclass->isHidden());
    QTest::mouseClick(FHot->start, Qt::LeftButton);
    EXPECT_TRUE(FHot->mark->isVisible());
    EXPECT_FALSE(FHot->Timer1->isActive());
    EXPECT_EQ(FHot->t->digits(), QStringLiteral("060"));

    struct Row {
        Qt::Key key;
        int index;
    };
    const Row rows[] = {{Qt::Key_Enter, 14},    {Qt::Key_Period, 15}, {Qt::Key_Slash, 10},
                        {Qt::Key_Asterisk, 11}, {Qt::Key_Minus, 12},  {Qt::Key_Plus, 13},
                        {Qt::Key_7, 7}};
    int score = 0;
    for (const Row& r : rows) {
        game().TargetKey = r.index;
        keypad(r.key);
        EXPECT_EQ(game().Score, ++score) << r.index;
        EXPECT_EQ(FHot->mark->pos(), TFHot::kMarkPositions[static_cast<size_t>(game().TargetKey)]);
    }
    EXPECT_TRUE(FHot->Timer1->isActive()) << "the first key started the clock";
    game().TargetKey = 3;
    QTest::keyClick(FHot, Qt::Key_A);
    keypad(Qt::Key_4);
    EXPECT_EQ(game().Score, score) << "no hit, no penalty";
    EXPECT_EQ(FHot->s->digits(), QStringLiteral("007"));
    FHot->Nclass->trigger();
}

TEST_F(WarmupWindow, BecomingActiveClosesTheRankingAndStopsTheClock) {
    FHot->Nintere->trigger();
    QTest::mouseClick(FHot->start, Qt::LeftButton);
    keypad(Qt::Key_1);
    ASSERT_TRUE(FHot->Timer1->isActive());
    FHot_Sort->show();
    QApplication::setActiveWindow(FHot_Sort);
    QTest::qWait(20);
    QApplication::setActiveWindow(FHot);
    QTRY_VERIFY(FHot->isActiveWindow());
    EXPECT_FALSE(FHot_Sort->isVisible());
    EXPECT_FALSE(FHot->Timer1->isActive());
    FHot->Nclass->trigger();
}

TEST_F(WarmupWindow, ClassicModeEntries) {
    QTest::mouseClick(FHot->startclass, Qt::LeftButton);
    EXPECT_TRUE(FHot->input->text().isEmpty());
    EXPECT_TRUE(FHot->Timer1->isActive());
    const QString target = game().TargetCode;
    for (QChar c : target)
        keypad(static_cast<Qt::Key>(Qt::Key_0 + c.digitValue()));
    EXPECT_EQ(game().Score, 1);
    EXPECT_EQ(FHot->sc->digits(), QStringLiteral("001"));
    EXPECT_EQ(game().face, WarmupGame::Face::Laugh);
    EXPECT_TRUE(FHot->input->text().isEmpty());
    EXPECT_EQ(FHot->I->digits(), game().TargetCode);

    // Five digits, then "." removes the fifth: no entry is completed.
    for (int i = 0; i < 5; ++i)
        keypad(Qt::Key_1);
    EXPECT_TRUE(FHot->k[1]->isChecked());
    keypad(Qt::Key_Period);
    EXPECT_EQ(FHot->input->text(), QStringLiteral("1111"));
    EXPECT_TRUE(FHot->k[10]->isChecked()) << "DEL shown pressed";

    // Six wrong digits: the crying face, no point, a new target.
    const QString wrong =
        game().TargetCode[0] == u'1' ? QStringLiteral("22") : QStringLiteral("11");
    for (QChar c : wrong)
        keypad(static_cast<Qt::Key>(Qt::Key_0 + c.digitValue()));
    EXPECT_EQ(game().face, WarmupGame::Face::Cry);
    EXPECT_EQ(game().Score, 1);
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
}

TEST_F(WarmupWindow, AOneMinuteGameEndsOnTheSixtyFirstTickAndLogsItsResult) {
    FHot_Sort->today = [] { return QStringLiteral("2026-12-6"); };
    QTest::mouseClick(FHot->startclass, Qt::LeftButton);
    for (int tick = 1; tick <= 60; ++tick)
        FHot->Timer1Timer();
    EXPECT_EQ(FHot->Tc->digits(), QStringLiteral("000"));
    EXPECT_FALSE(FHot_Sort->isVisible());
    FHot->Timer1Timer();
    ASSERT_TRUE(FHot_Sort->isVisible());
    EXPECT_FALSE(FHot->Timer1->isActive());
    EXPECT_EQ(FHot_Sort->LabeledEdit2->text(), QStringLiteral("60秒"));
    EXPECT_EQ(FHot_Sort->LabeledEdit3->text(), QStringLiteral("0个"));

    // A missing "files" folder: reported, the dialog stays open.
    QDir(path("files")).removeRecursively();
    FHot_Sort->LabeledEdit1->setText(QStringLiteral("小明"));
    QTest::mouseClick(FHot_Sort->Button1, Qt::LeftButton);
    ASSERT_EQ(errorsShown.size(), 1);
    EXPECT_TRUE(errorsShown[0].contains(path("files/record.txt")));
    EXPECT_TRUE(FHot_Sort->isVisible());

    QDir(path(QString())).mkpath("files");
    FHot_Sort->TimeText = "60";
    FHot_Sort->ScoreText = "25";
    QTest::mouseClick(FHot_Sort->Button1, Qt::LeftButton);
    EXPECT_FALSE(FHot_Sort->isVisible());
    FHot_Sort->LabeledEdit1->clear();
    FHot_Sort->ScoreText = "99";
    FHot_Sort->show();
    QTest::mouseClick(FHot_Sort->Button1, Qt::LeftButton); // an empty name still logs
    FHot_Sort->show();
    QTest::mouseClick(FHot_Sort->Button2, Qt::LeftButton); // "不加了^o^" adds nothing

    QFile f(path("files/record.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("2026-12-6: \xD0\xA1\xC3\xF7 \xD3\xC3\xCA\xB1\xA3\xBA"
                                      "60 "
                                      "\xB3\xC9\xBC\xA8\xA3\xBA"
                                      "25\r\n"
                                      "2026-12-6:  \xD3\xC3\xCA\xB1\xA3\xBA"
                                      "60 \xB3\xC9\xBC\xA8\xA3\xBA"
                                      "99\r\n"));

    // List mode: the lines in the order they were added.
    FHot->N2->trigger();
    EXPECT_EQ(FHot_Sort->Memo1->toPlainText().split(u'\n'),
              (QStringList{QStringLiteral("2026-12-6: 小明 用时：60 成绩：25"),
                           QStringLiteral("2026-12-6:  用时：60 成绩：99")}));
    FHot_Sort->close();
    QFile::remove(path("files/record.txt"));
    FHot->N2->trigger();
    EXPECT_EQ(FHot_Sort->Memo1->toPlainText(), QStringLiteral("暂无记录！"));
    FHot_Sort->close();
    FHot_Sort->Memo1->hide();
}

} // namespace
