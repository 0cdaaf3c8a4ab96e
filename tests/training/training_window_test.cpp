// The training window as a learner reaches it: opened from the start screen,
// driven by clicks on its real buttons, over a program folder holding the
// exercise files the build makes.
#include "tests/gui/program_folder_fixture.h"

#include "app/course_opening.h"
#include "app/start_screen.h"
#include "coaching/code_explanation.h"
#include "coaching/corner_table.h"
#include "course/course_window.h"
#include "history/history_instance.h"
#include "history/history_store.h"
#include "history/history_window.h"
#include "platform/error_report.h"
#include "platform/prompts.h"
#include "platform/sdl_sound_player.h"
#include "records/record_holders_window.h"
#include "records/record_name_entry_window.h"
#include "tests/test_paths.h"
#include "training/encoding_diagram.h"
#include "training/foreword_window.h"
#include "training/pause_notice.h"
#include "training/stroke_outlines.h"
#include "training/training_help_panel.h"
#include "training/training_settings_window.h"
#include "training/training_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

using training::kind;

class TrainingWindow : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        for (const char* f : {"z1", "z2", "z3", "z4", "c1", "c2", "c3", "c4", "c5", "corners"}) {
            const QString name = QStringLiteral("hzlib/%1.txt").arg(QLatin1String(f));
            ASSERT_TRUE(QFile::copy(QStringLiteral(TARVO_PROGRAM_DIR "/") + name, path(name)));
        }
        // The strokes' outlines, where the build had stroke data to draw them from.
        const QString outlines = QStringLiteral(TARVO_PROGRAM_DIR "/hzlib/strokes.txt");
        if (QFile::exists(outlines)) {
            ASSERT_TRUE(QFile::copy(outlines, path("hzlib/strokes.txt")));
        }
        // Three drawn strokes in each picture folder, their codes in their names.
        for (const char* folder : {"exercise/bixing", "exercise/fubu", "exercise/caisezi"}) {
            QDir(path(QString())).mkpath(QString::fromLatin1(folder));
            for (int digit : {1, 2, 7}) {
                QImage img(49, 48, QImage::Format_RGB32);
                img.fill(Qt::white);
                img.setPixel(digit, digit, qRgb(0, 0, 0));
                ASSERT_TRUE(img.save(
                    path(QStringLiteral("%1/shape%2.bmp").arg(QLatin1String(folder)).arg(digit)),
                    "BMP"));
            }
        }
        Form1->startWaitMs = 0;
        preface01->show();
    }
    void TearDown() override {
        preface01->hide();
        ProgramFolderTest::TearDown();
    }

    // Opens the training from the start screen, as the learner does, runs
    // `body` inside its modal loop, then leaves it with "退出".
    void inTraining(const std::function<void()>& body) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(QApplication::activeModalWidget(), Form1);
            // The panel comes back 100 ms after the window shows; let it.
            for (int i = 0; i < 100 && Form1->Timer2->isActive(); ++i)
                QTest::qWait(10);
            EXPECT_FALSE(Form1->Timer2->isActive());
            body();
            ran = true;
            if (Form1->isVisible()) {
                answerYes = true;
                QTest::mouseClick(Form1->SBtnQuit, Qt::LeftButton);
            }
        });
        QTest::mouseClick(preface01->SpeedButton[3], Qt::LeftButton);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(Form1->isVisible());
    }
    // Ticks the gauge until it stops; returns the number of ticks.
    static int ticksToTimeUp() {
        int ticks = 0;
        while (Form1->Timer1->isActive() && ticks < 1000) {
            Form1->Timer1Timer();
            ++ticks;
        }
        return ticks;
    }
    void clickTab(int index) {
        QTabBar* bar = Form1->TabbedNotebook2->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    // Chooses an exercise and starts its run, as clicks on their buttons do.
    void startRun(int k) {
        clickExercise(k);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        QApplication::processEvents();
    }
    void clickExercise(int k) {
        const int p = static_cast<int>(training::pageOf(training::exerciseKind(k)));
        if (Form1->TabbedNotebook2->currentIndex() != p)
            clickTab(p);
        QTest::mouseClick(Form1->exerciseButtons[static_cast<size_t>(k)], Qt::LeftButton);
    }
    // The visible items of the active page, with their tooltips.
    QList<QLabel*> visibleItems() const {
        QList<QLabel*> out;
        auto collect = [&](const auto& items) {
            for (QLabel* l : items)
                if (l->isVisible())
                    out << l;
        };
        switch (Form1->TabbedNotebook2->currentIndex()) {
        case 0:
            collect(Form1->pictureItems);
            break;
        case 1:
            collect(Form1->characterItems);
            break;
        default:
            collect(Form1->wordItems);
        }
        return out;
    }
    // start (enabled, caption), pause, setup, high scores, gauge clock, speed clock
    QString state() const {
        QString s = Form1->SBtnStart->isEnabled() ? "1" : "0";
        s += Form1->SBtnStart->text() == QStringLiteral("继续") ? "c" : "s";
        for (bool v :
             {Form1->SBtnPause->isEnabled(), Form1->SBtnSetup->isEnabled(),
              Form1->sbAbout->isEnabled(), Form1->Timer1->isActive(), Form1->Timer3->isActive()})
            s += v ? u'1' : u'0';
        return s;
    }
};

const QString kIdle = "1s01100";
const QString kRunning = "0s10011";
const QString kTimeUp = "1c00001";

TEST_F(TrainingWindow, EachExerciseFillsItsGridWithCodedItems) {
    inTraining([&] {
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("基本编码训练"));
        EXPECT_EQ(state(), kIdle);
        const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
        // What each exercise says when chosen and at its start, and how many
        // items it lays out, written out as the learner reads them.
        struct Shown {
            const char16_t* chosen;
            const char16_t* started;
            int items;
        };
        const Shown shown[] = {{u"基本笔形训练", u"基本笔形训练", 60},
                               {u"较难笔形训练", u"较难笔形训练", 60},
                               {u"彩色字拆字训练", u"彩色字拆字训练", 60},
                               {u"全码字编码训练", u"全码字编码训练", 119},
                               {u"稍难字编码训练", u"较难字编码训练", 119},
                               {u"一键简码训练", u"一键简码训练", 119},
                               {u"二键简码训练", u"二键简码训练", 119},
                               {u"二字词训练", u"二字词编码训练", 45},
                               {u"三字词训练", u"三字词编码训练", 45},
                               {u"四字词训练", u"四字词编码训练", 45},
                               {u"一键词训练", u"一键词训练", 45},
                               {u"多字词训练", u"多字词训练", 18},
                               {u"错字复习", u"错字复习训练", 119},
                               {u"错词复习", u"错词复习训练", 45}};
        static_assert(std::size(shown) == training::kKinds);
        for (int k = 0; k < training::kKinds; ++k) {
            SCOPED_TRACE(k);
            const Shown& expected = shown[k];
            clickExercise(k);
            EXPECT_TRUE(Form1->exerciseButtons[static_cast<size_t>(k)]->isChecked());
            EXPECT_EQ(Form1->Labelplay1->text(), QString::fromUtf16(expected.chosen));
            EXPECT_EQ(Form1->Labelplay2->text(), QStringLiteral("请按<开始>键"));
            EXPECT_TRUE(visibleItems().isEmpty());
            QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
            EXPECT_EQ(state(), kRunning);
            EXPECT_EQ(Form1->Labelplay1->text(), QString::fromUtf16(expected.started));
            EXPECT_EQ(Form1->Labelplay2->text(), QStringLiteral("按F1键帮助"));
            const QList<QLabel*> items = visibleItems();
            EXPECT_EQ(items.size(), expected.items);
            for (QLabel* item : items) {
                EXPECT_TRUE(digits.match(item->toolTip()).hasMatch())
                    << item->toolTip().toStdString();
                if (training::isPictureKind(training::exerciseKind(k)))
                    EXPECT_FALSE(item->pixmap().isNull());
                else
                    EXPECT_FALSE(item->text().isEmpty());
            }
            const training::ExerciseKind kind = training::exerciseKind(k);
            QLineEdit* box = training::isPictureKind(kind)     ? Form1->Labelhint1
                             : training::isCharacterKind(kind) ? Form1->Editinput
                                                               : Form1->Editinput2;
            EXPECT_TRUE(box->isVisible());
            QApplication::processEvents(); // the window takes the activation back from the panel
            EXPECT_EQ(QApplication::focusWidget(), box);
            if (kind != training::ExerciseKind::LongWords)
                continue;
            // The long words use columns 0 and 3 of each row; the current word is red.
            EXPECT_TRUE(Form1->wordItems[3]->isVisible());
            EXPECT_FALSE(Form1->wordItems[1]->isVisible());
            EXPECT_EQ(Form1->wordItems[0]->palette().color(QPalette::Window), QColor(255, 0, 0));
            EXPECT_TRUE(Form1->wordItems[0]->autoFillBackground());
            EXPECT_FALSE(Form1->wordItems[3]->autoFillBackground());
        }
    });
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join("; ").toStdString();
    EXPECT_FALSE(Form1->Timer1->isActive() || Form1->Timer3->isActive());
}

TEST_F(TrainingWindow, TheCharacterReviewPutsTheCharactersMissedTodayFirst) {
    {
        HistoryStore history(path("files/history.sqlite"));
        ArticleTestRecord test;
        test.typed = 100;
        test.errors = {{QStringLiteral("国"), QStringLiteral("果"), QStringLiteral("60104"), {}}};
        history.addArticleTest(test, [] { return QDate::currentDate(); });
    }
    inTraining([&] {
        // The review button says one character is due; the word review none.
        EXPECT_FALSE(Form1->dueBadges[0]->isHidden());
        EXPECT_EQ(Form1->dueBadges[0]->text(), QStringLiteral("1"));
        EXPECT_TRUE(Form1->dueBadges[1]->isHidden());
        // The badge lies clear of the button's caption, even at "99+".
        for (const training::ExerciseKind kind :
             {training::ExerciseKind::CharacterReview, training::ExerciseKind::WordReview}) {
            QToolButton* button =
                Form1->exerciseButtons[static_cast<size_t>(training::numberOf(kind))];
            QLabel* badge =
                Form1->dueBadges[kind == training::ExerciseKind::CharacterReview ? 0 : 1];
            const QRect caption = QStyle::alignedRect(
                Qt::LeftToRight, Qt::AlignCenter,
                button->fontMetrics().boundingRect(button->text()).size(), button->geometry());
            EXPECT_FALSE(badge->geometry().intersects(caption)) << button->text().toStdString();
            EXPECT_GE(badge->width(),
                      badge->fontMetrics().horizontalAdvance(QStringLiteral("99+")));
        }
        // At the badge's limits: 99 as it is, 100 and more as 99+.
        struct DueOnly : training::HistoryLink {
            training::RunObserver none;
            training::RunObserver& runs() override { return none; }
            std::optional<training::ReviewDraw>
            drawReview(bool, int, const std::vector<std::pair<QString, QString>>&) override {
                return std::nullopt;
            }
            void showWindow() override {}
            std::pair<int, int> dueCounts() override { return {99, 100}; }
            std::optional<training::ReviewDraw>
            drawDrill(const std::optional<training::DrillTarget>&, int,
                      const QStringList&) override {
                return std::nullopt;
            }
        } dueOnly;
        training::HistoryLink* kept = training::historyLink();
        training::setHistoryLink(&dueOnly);
        Form1->showDueCounts();
        EXPECT_EQ(Form1->dueBadges[0]->text(), QStringLiteral("99"));
        EXPECT_EQ(Form1->dueBadges[1]->text(), QStringLiteral("99+"));
        training::setHistoryLink(kept);
        Form1->showDueCounts();
        clickExercise(training::numberOf(training::ExerciseKind::CharacterReview));
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("错字复习"));
        // What is due, and only that.
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        ASSERT_EQ(visibleItems().size(), 1);
        EXPECT_EQ(Form1->characterItems[0]->text(), QStringLiteral("国"));
        EXPECT_EQ(Form1->Labelplay3->text(), QStringLiteral("今天要复习1个字，"));
        EXPECT_EQ(Form1->Labelplay4->text(), QStringLiteral("勾上“补满”可练满一页。"));
        // "补满" on the word page ticks the character page's too: the whole page.
        clickExercise(training::numberOf(training::ExerciseKind::CharacterReview));
        Form1->CheckFullReview[1]->setChecked(true);
        EXPECT_TRUE(Form1->CheckFullReview[0]->isChecked());
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_EQ(visibleItems().size(), 119);
        EXPECT_EQ(Form1->characterItems[0]->text(), QStringLiteral("国"));
        EXPECT_EQ(Form1->characterItems[0]->toolTip(), QStringLiteral("60104"));
        EXPECT_NE(Form1->characterItems[1]->text(), QStringLiteral("国"));
        EXPECT_EQ(Form1->Labelplay3->text(), QStringLiteral("复习记录只有1个字，"));
        EXPECT_EQ(Form1->Labelplay4->text(), QStringLiteral("另加118个常用字。"));
        QApplication::processEvents(); // the window takes the activation back from the panel
        EXPECT_EQ(QApplication::focusWidget(), Form1->Editinput);
    });
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join("; ").toStdString();
}

TEST_F(TrainingWindow, TimeUpAtTheFirstLevelAndContinueKeepsTheItems) {
    inTraining([&] {
        clickExercise(3);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        QStringList texts;
        for (QLabel* l : visibleItems())
            texts << l->text();
        ASSERT_EQ(texts.size(), 119);
        // What the learner types stays in the box while the clocks tick.
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), Form1->Editinput);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
        Form1->Timer3Timer();
        Form1->Timer1Timer();
        EXPECT_EQ(Form1->Editinput->text(), QStringLiteral("12"));
        EXPECT_EQ(1 + ticksToTimeUp(), 200) << "240 s of 1.2 s ticks";
        EXPECT_EQ(state(), kTimeUp);
        EXPECT_EQ(Form1->Gauge2->value(), 100);
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("你离\"初级能手\""));
        EXPECT_FALSE(Form1->Editinput->isEnabled());

        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton); // "继续"
        EXPECT_EQ(state(), kRunning);
        EXPECT_EQ(Form1->Gauge1->value(), 0);
        EXPECT_EQ(Form1->Gauge2->value(), 0);
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("加油啊！"));
        QStringList after;
        for (QLabel* l : visibleItems())
            after << l->text();
        EXPECT_EQ(after, texts);
        EXPECT_TRUE(Form1->Editinput->isEnabled());
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), Form1->Editinput);

        // Another page ends the run at once.
        clickTab(2);
        EXPECT_EQ(state(), kIdle);
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("词编码训练"));
        EXPECT_TRUE(Form1->exerciseButtons[7]->isChecked());
    });
}

TEST_F(TrainingWindow, WithMusicTickedARunSpeaksAndThePausePlaysMusicUntilItCloses) {
    QDir(path(QString())).mkpath("sound");
    for (const char* f : {"Jiayou.wav", "start.wav", "Gxgx.wav", "backmid.mid"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARVO_PROGRAM_DIR "/sound/") + f,
                                path(QStringLiteral("sound/") + f)));
    auto* player = dynamic_cast<SdlSoundPlayer*>(&Form2->MediaPlayer1());
    ASSERT_NE(player, nullptr);
    inTraining([&] {
        clickExercise(7);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_TRUE(player->openedFile().isEmpty()) << "music is off at start: nothing opened";
        QTest::mouseClick(Form1->SBtnQuit, Qt::LeftButton); // refused: the run goes on

        Form_sz->CheckBox1->setChecked(true); // 音乐, acting at once
        clickExercise(8);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_TRUE(player->openedFile().endsWith(QStringLiteral("sound/start.wav")))
            << player->openedFile().toStdString();

        QString duringPause;
        QTimer::singleShot(0, [&] {
            duringPause = player->openedFile();
            QTest::mouseClick(Formstop->BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(Form1->SBtnPause, Qt::LeftButton);
        EXPECT_TRUE(duringPause.endsWith(QStringLiteral("sound/backmid.mid")))
            << duringPause.toStdString();
        EXPECT_TRUE(player->openedFile().isEmpty()) << "closing the pause ended the music";
        EXPECT_FALSE(player->isPlaying());
        Form_sz->CheckBox1->setChecked(false);
        EXPECT_TRUE(notices.isEmpty()) << notices.join(u'\n').toStdString();
    });
}

TEST_F(TrainingWindow, TheMascotBlinksAndTheClockReadsInChineseForm) {
    inTraining([&] {
        // Whatever the locale (the tests run under C): no "PM", no "UTC".
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                        .match(Form1->Label1->text())
                        .hasMatch())
            << Form1->Label1->text().toStdString();
        EXPECT_TRUE(Form1->Timer4->isActive());
        Form1->Timer4->stop(); // ticked by hand from here, wherever the cycle stands
        QString seen;
        for (int tick = 0; tick < 10; ++tick) {
            Form1->Timer4Timer();
            seen += Form1->Imagefaceopen->isVisible() ? u'O' : u'C';
        }
        EXPECT_TRUE(QStringLiteral("CCCOOOCOOCCCCOOOCOOC").contains(seen)) << seen.toStdString();
    });
}

TEST_F(TrainingWindow, PauseHelpSettingsAndRecordsStopTheClocks) {
    writeFile("files/tvmsm.rtf", "{\\rtf1 \\b Keys\\b0 \\par Enter}");
    inTraining([&] {
        clickExercise(7);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);

        bool clocksDuringPause = true;
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(QApplication::activeModalWidget(), Formstop);
            clocksDuringPause =
                Form1->Timer1->isActive() || Form1->Timer3->isActive() || Form1->Timer4->isActive();
            QTest::mouseClick(Formstop->BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(Form1->SBtnPause, Qt::LeftButton);
        EXPECT_FALSE(clocksDuringPause);
        EXPECT_EQ(state(), kRunning);

        QString helpText;
        QTimer::singleShot(0, [&] {
            auto* help = QApplication::activeModalWidget();
            ASSERT_NE(help, nullptr);
            helpText = help->findChild<QTextEdit*>()->toPlainText();
            EXPECT_FALSE(Form1->Timer1->isActive());
            help->close();
        });
        QTest::mouseClick(Form1->sbHelp, Qt::LeftButton);
        EXPECT_TRUE(helpText.startsWith(QStringLiteral("Keys"))) << helpText.toStdString();
        EXPECT_EQ(state(), kRunning) << "the run goes on after the help";

        // Quit refused: the run goes on.
        answerYes = false;
        QTest::mouseClick(Form1->SBtnQuit, Qt::LeftButton);
        EXPECT_EQ(questions.last(), QStringLiteral("确定退出吗"));
        EXPECT_EQ(state(), kRunning);

        // Settings and record holders open only between runs.
        clickExercise(8);
        EXPECT_EQ(state(), kIdle);
        for (QPushButton* b : {Form1->SBtnSetup, Form1->sbAbout}) {
            QWidget* shown = nullptr;
            QTimer::singleShot(0, [&] {
                shown = QApplication::activeModalWidget();
                if (shown)
                    shown->close();
            });
            QTest::mouseClick(b, Qt::LeftButton);
            EXPECT_EQ(shown, b == Form1->SBtnSetup ? static_cast<QWidget*>(Form_sz)
                                                   : static_cast<QWidget*>(FPhb));
        }
    });
}

TEST_F(TrainingWindow, AMissingExerciseFileIsReportedAndNoClockRuns) {
    QFile::remove(path("hzlib/z2.txt"));
    QDir(path("exercise/fubu")).removeRecursively();
    QDir(path(QString())).mkpath("exercise/fubu");
    inTraining([&] {
        clickExercise(4);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        ASSERT_EQ(errorsShown.size(), 1);
        EXPECT_TRUE(errorsShown[0].contains("hzlib/z2.txt"));
        EXPECT_EQ(state(), kIdle);
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("较难字编码训练"));
        EXPECT_TRUE(visibleItems().isEmpty());

        clickExercise(1);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        ASSERT_EQ(errorsShown.size(), 2);
        EXPECT_TRUE(errorsShown[1].contains("exercise/fubu"));
        EXPECT_FALSE(Form1->Timer1->isActive());

        // The other exercises still work.
        clickExercise(2);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_EQ(visibleItems().size(), 60);
        EXPECT_EQ(state(), kRunning);
    });
}

TEST_F(TrainingWindow, DamagedPicturesAreReportedOnceAndStayAnswerable) {
    writeFile("exercise/caisezi/shape1.bmp", "BM not a bitmap");
    writeFile("exercise/caisezi/shape2.bmp", "");
    inTraining([&] {
        clickExercise(2);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_EQ(state(), kRunning);
        EXPECT_EQ(visibleItems().size(), 60);
        for (QLabel* item : visibleItems())
            EXPECT_FALSE(item->toolTip().isEmpty());
        ASSERT_EQ(errorsShown.size(), 1) << errorsShown.join("; ").toStdString();
        EXPECT_TRUE(errorsShown[0].contains("exercise/caisezi/shape"));
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton); // disabled: nothing new
        Form1->Timer3Timer();
        EXPECT_EQ(errorsShown.size(), 1);
    });
}

TEST_F(TrainingWindow, TheSettingsDialogSetsLevelColoursAndTheGauges) {
    Form_sz->pickColour = [](const QColor&) { return QColor(0, 0, 255); };
    inTraining([&] {
        // 超级高手 and a pure blue ground, confirmed.
        QTimer::singleShot(0, [&] {
            ASSERT_EQ(QApplication::activeModalWidget(), Form_sz);
            // The first row's icon is painted with the window: its orange square.
            EXPECT_EQ(Form_sz->grab().toImage().pixelColor(37, 45), QColor(200, 120, 40));
            Form_sz->ComboBox1->setCurrentIndex(3);
            QTest::mouseClick(Form_sz->SpeedButton1, Qt::LeftButton);
            QTest::mouseClick(Form_sz->Button1, Qt::LeftButton);
        });
        QTest::mouseClick(Form1->SBtnSetup, Qt::LeftButton);
        EXPECT_FALSE(Form_sz->isVisible());
        EXPECT_EQ(Form1->Panel5->palette().color(QPalette::Window), QColor(0, 0, 255));

        clickExercise(5);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_EQ(Form1->characterItems[3]->palette().color(QPalette::WindowText),
                  QColor(255, 255, 0))
            << "the complement of blue";
        EXPECT_EQ(ticksToTimeUp(), 20) << "24 s at 超级高手";
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("你离\"超级高手\""));

        // Training without level hides the gauges; Start still runs the clock.
        clickExercise(6);
        QTimer::singleShot(0, [&] {
            Form_sz->CheckBox2->setChecked(true);
            QTest::mouseClick(Form_sz->Button1, Qt::LeftButton);
        });
        QTest::mouseClick(Form1->SBtnSetup, Qt::LeftButton);
        EXPECT_TRUE(Form1->gaugePanel->isHidden());
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_EQ(state(), kRunning);
    });
    Form_sz->pickColour = {};
}

// Esc reverts like every closing but 确认; a level typed by hand and
// confirmed with Return is a typed level (step 1), not the list item of that name.
TEST_F(TrainingWindow, TheSettingsDialogRevertsOnEscAndKeepsATypedLevelTyped) {
    Form_sz->pickColour = [](const QColor&) { return QColor(0, 0, 255); };
    inTraining([&] {
        clickExercise(3);
        const QColor ground = Form1->Panel5->palette().color(QPalette::Window);
        QTimer::singleShot(0, [&] {
            ASSERT_EQ(QApplication::activeModalWidget(), Form_sz);
            QTest::mouseClick(Form_sz->SpeedButton1, Qt::LeftButton);
            Form_sz->list->setEditText(QStringLiteral("4"));
            ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QTest::mouseClick(Form1->SBtnSetup, Qt::LeftButton);
        EXPECT_FALSE(Form_sz->isVisible());
        EXPECT_EQ(Form1->Panel5->palette().color(QPalette::Window), ground);
        EXPECT_EQ(Form_sz->list->currentText(), QStringLiteral("2"));

        QTimer::singleShot(0, [&] {
            QLineEdit* level = Form_sz->ComboBox1->lineEdit();
            ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }));
            level->setFocus();
            level->selectAll();
            // Chinese comes as the text of a key event, as from an input method.
            QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("超级高手"));
            QApplication::sendEvent(level, &typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (Form_sz->isVisible())
                Form_sz->close();
        });
        QTest::mouseClick(Form1->SBtnSetup, Qt::LeftButton);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_EQ(ticksToTimeUp(), 200) << "a typed level runs at step 1";
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("你离\"超级高手\""));
        EXPECT_EQ(Form_sz->ComboBox1->count(), 4) << "nothing added to the list";
    });
    Form_sz->pickColour = {};
}

TEST_F(TrainingWindow, TheExplanationPanelShowsThePageText) {
    writeFile("files/single.rtf", "{\\rtf1 Characters page}");
    inTraining([&] {
        clickTab(1);
        EXPECT_EQ(FormSM->RichEdit1->toPlainText(), QStringLiteral("Characters page"));
        EXPECT_EQ(FormSM->RichEdit1->document()->firstBlock().blockFormat().lineHeight(), 125)
            << "lines with room between them";
        Form1->Timer2Timer();
        EXPECT_TRUE(FormSM->isVisible());
        EXPECT_EQ(FormSM->pos(), Form1->pos() + QPoint(108, 187));
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        EXPECT_FALSE(FormSM->isVisible()) << "Start closes the panel";

        // A click on the panel where it covers an exercise button closes the
        // panel and chooses that exercise.
        clickExercise(3);
        Form1->Timer2Timer();
        ASSERT_TRUE(FormSM->isVisible());
        QToolButton* covered = Form1->exerciseButtons[4];
        const QPoint at = covered->mapToGlobal(covered->rect().center());
        QWidget* viewport = FormSM->RichEdit1->viewport();
        ASSERT_TRUE(viewport->rect().contains(viewport->mapFromGlobal(at)))
            << "the panel covers the button";
        QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->mapFromGlobal(at));
        EXPECT_FALSE(FormSM->isVisible());
        EXPECT_TRUE(covered->isChecked());
        EXPECT_EQ(Form1->flow().exercise, training::ExerciseKind::HarderCharacters);
    });
    EXPECT_FALSE(FormSM->isVisible());
}

// A digit on the keypad, to the window that has the focus: with Num Lock on
// the digit key, with Num Lock off the cursor key printed beside the digit.
void padDigit(int d, bool numLock) {
    static const Qt::Key off[10] = {Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down,  Qt::Key_PageDown,
                                    Qt::Key_Left,   Qt::Key_Clear, Qt::Key_Right, Qt::Key_Home,
                                    Qt::Key_Up,     Qt::Key_PageUp};
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w, numLock ? Qt::Key(Qt::Key_0 + d) : off[d], Qt::KeypadModifier);
}
void padKey(Qt::Key key) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w, key, Qt::KeypadModifier);
}
// Types the code of the current item (its tooltip) and a submit key.
void typeCode(const QString& code, bool numLock, Qt::Key submit) {
    for (QChar c : code)
        padDigit(c.digitValue(), numLock);
    padKey(submit);
}
QByteArray phb(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Time up on the keypad alone: no key switches the page or ends the run
// (a keypad arrow with Num Lock off once reached the page tabs), and Enter,
// keypad or main, presses "继续"; the keys then go to the answer box again.
// From the keys alone: the panel shown on opening leaves the keys with the
// window, and the keypad's Enter closes it and starts a run; a finished run's
// last Enter starts nothing, a later one starts the next run.
TEST_F(TrainingWindow, TheKeypadsEnterStartsARunAndThePanelNeverTakesTheKeys) {
    inTraining([&] {
        ASSERT_TRUE(FormSM->isVisible()) << "the page's explanation shows on opening";
        // To whichever window the desktop gives the keys.
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_FALSE(FormSM->isVisible());
        EXPECT_EQ(state(), kRunning);
        EXPECT_TRUE(QTest::qWaitFor([] {
            return QApplication::focusWidget() == Form1->Labelhint1;
        })) << "the answer box has the keys";
        // Enter while a run goes is an answer, never a new start.
        const int left = Form1->flow().itemsLeft;
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(state(), kRunning);
        EXPECT_EQ(Form1->flow().itemsLeft, left);
    });
}

TEST_F(TrainingWindow, AtTimeUpTheKeypadContinuesAndNeverEndsTheRun) {
    inTraining([&] {
        startRun(3);
        for (const Qt::Key enter : {Qt::Key_Enter, Qt::Key_Return}) {
            ticksToTimeUp();
            ASSERT_EQ(state(), kTimeUp);
            QApplication::processEvents();
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            for (int d = 0; d <= 9; ++d) {
                padDigit(d, false); // arrows, Home, End, Page Up/Down, Insert
                padDigit(d, true);
            }
            for (Qt::Key k : {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Space})
                padKey(k);
            EXPECT_EQ(Form1->TabbedNotebook2->currentIndex(), 1) << "still the character page";
            EXPECT_EQ(state(), kTimeUp) << "the run goes on, waiting";
            QTest::keyClick(QApplication::focusWidget(), enter,
                            enter == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            EXPECT_EQ(state(), kRunning) << "Enter pressed 继续";
            QApplication::processEvents();
            EXPECT_EQ(QApplication::focusWidget(), Form1->Editinput);
            const int item = Form1->flow().currentIndex;
            typeCode(Form1->characterItems[static_cast<size_t>(item)]->toolTip(), true,
                     Qt::Key_Enter);
            EXPECT_EQ(Form1->flow().currentIndex, item + 1);
        }
        // A picture run keeps its box on at time-up: Enter there presses 继续
        // too, and is no empty wrong answer.
        startRun(0);
        ticksToTimeUp();
        ASSERT_EQ(state(), kTimeUp);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), Form1->Labelhint1);
        const QString said = Form1->Labelplay1->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(state(), kRunning) << "Enter pressed 继续";
        EXPECT_NE(Form1->Labelplay1->text(), QStringLiteral("再想想！")) << said.toStdString();
    });
}

// A wrong code sent with Enter stays in the box, selected: the next try on
// the keypad (Num Lock on or off) starts afresh and is judged by itself,
// also after a full box of seven digits.
TEST_F(TrainingWindow, AfterAWrongCodeWithEnterTheNextTryStartsAfresh) {
    inTraining([&] {
        startRun(3);
        ASSERT_EQ(QApplication::focusWidget(), Form1->Editinput);
        for (const bool numLock : {true, false}) {
            for (const char* digits : {"1234", "1234567"}) {
                const QString wrong = QString::fromLatin1(digits);
                SCOPED_TRACE((numLock ? "Num Lock on, " : "Num Lock off, ") + wrong.toStdString());
                const int item = Form1->flow().currentIndex;
                typeCode(wrong, numLock, Qt::Key_Enter);
                EXPECT_EQ(Form1->Editinput->text(), wrong);
                EXPECT_EQ(Form1->Editinput->selectedText(), wrong) << "kept, selected";
                for (int tick = 0; tick < 2; ++tick) { // the mascot's clock redraws the window
                    Form1->Timer4Timer();
                    EXPECT_EQ(Form1->Editinput->selectedText(), wrong) << "still selected";
                }
                // A keypad's digits may come after a Num Lock press (as
                // xdotool sends them): it leaves the selection.
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_NumLock);
                typeCode(Form1->characterItems[static_cast<size_t>(item)]->toolTip(), numLock,
                         Qt::Key_Enter);
                EXPECT_EQ(Form1->flow().currentIndex, item + 1) << "the right code taken";
                EXPECT_TRUE(Form1->Editinput->text().isEmpty());
            }
        }
    });
}

// Enter, Enter in the record holders' list never wipes the records: the list
// opens with the focus on 关闭, and the question of 重新记名 (asked by a
// real message box here) defaults to 取消, also after it was once asked.
TEST_F(TrainingWindow, EnterInTheRecordHoldersListNeverWipesTheRecords) {
    QByteArray records(180, ' ');
    records.replace(45, 15, QByteArray("\xD0\xA1\xC3\xF7         55")); // 小明, 55 字/分
    writeFile("files/phb.txt", records);
    auto enterInEachQuestion = [] {
        // Enter in the message box that 重新记名 opens, as soon as it shows.
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(qobject_cast<QMessageBox*>(box), nullptr);
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    inTraining([&] {
        prompts::setAnswerer({}); // the real question
        for (int opening = 0; opening < 2; ++opening) {
            SCOPED_TRACE(opening);
            QTimer::singleShot(0, [&] {
                ASSERT_EQ(QApplication::activeModalWidget(), FPhb);
                EXPECT_TRUE(QTest::qWaitFor([] {
                    return QApplication::focusWidget() == FPhb->BitBtn1;
                })) << "the focus rests on 关闭";
                enterInEachQuestion();
                QTest::mouseClick(FPhb->BitBtn2, Qt::LeftButton);
                EXPECT_FALSE(FPhb->values[3]->text().trimmed().isEmpty());
                // The window manager gives the list the focus back, on 关闭:
                // keypad Enter closes the list.
                FPhb->activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(FPhb));
                EXPECT_EQ(QApplication::focusWidget(), FPhb->BitBtn1);
                padKey(Qt::Key_Enter);
                EXPECT_FALSE(FPhb->isVisible());
                if (FPhb->isVisible())
                    QTest::mouseClick(FPhb->BitBtn1, Qt::LeftButton);
            });
            QTest::mouseClick(Form1->sbAbout, Qt::LeftButton);
            EXPECT_EQ(phb(path("files/phb.txt")), records);
        }
        prompts::setAnswerer([this](const QString& text) {
            questions << text;
            return answerYes;
        });
    });
}

TEST_F(TrainingWindow, AWholeCharacterRunOnTheKeypadEndsInANewRecord) {
    const QByteArray blank(180, ' ');
    QString speed;
    writeFile("files/phb.txt", blank);
    inTraining([&] {
        startRun(3);
        ASSERT_EQ(QApplication::focusWidget(), Form1->Editinput);
        // A wrong answer with Enter stays; the keypad "." takes a digit back.
        typeCode(QStringLiteral("999"), true, Qt::Key_Enter);
        EXPECT_EQ(Form1->Editinput->text(), QStringLiteral("999"));
        for (int i = 0; i < 3; ++i)
            padKey(Qt::Key_Period);
        padKey(Qt::Key_Minus);
        EXPECT_EQ(Form1->Editinput->text(), QString());
        // F1 shows the code; Enter takes it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        EXPECT_EQ(Form1->Editinput->text(), Form1->characterItems[0]->toolTip());
        padKey(Qt::Key_Enter);
        const QPoint second = Form1->Editinput->pos();
        EXPECT_EQ(second, QPoint(8 + 37, 44));
        for (int i = 1; i < 118; ++i) {
            if (i == 60)
                for (int t = 0; t < 10; ++t)
                    Form1->Timer3Timer(); // ten seconds: the speed shows
            // Num Lock on and off in turn, "/" and Enter in turn.
            typeCode(Form1->characterItems[static_cast<size_t>(i)]->toolTip(), i % 2 == 0,
                     i % 3 == 0 ? Qt::Key_Slash : Qt::Key_Enter);
            ASSERT_EQ(Form1->flow().currentIndex, i + 1) << i;
        }
        speed = Form1->Labeljifen->text();
        ASSERT_FALSE(speed.isEmpty());
        EXPECT_EQ(Form1->characterItems[117]->palette().color(QPalette::Window), QColor(0, 0, 128));
        // The last answer asks for the name of the record holder.
        QWidget* asked = nullptr;
        QTimer::singleShot(0, [&] {
            asked = QApplication::activeModalWidget();
            EXPECT_TRUE(
                QTest::qWaitFor([] { return QApplication::focusWidget() == FPhbin->Edit1; }));
            // Chinese comes as the text of a key event, as from an input method.
            QKeyEvent chinese(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("小明"));
            QApplication::sendEvent(QApplication::focusWidget(), &chinese);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // the default button
        });
        typeCode(Form1->characterItems[118]->toolTip(), false, Qt::Key_Enter);
        EXPECT_EQ(asked, FPhbin);
        EXPECT_FALSE(FPhbin->isVisible());
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("太棒了！"));
        EXPECT_FALSE(Form1->Editinput->isEnabled());
        EXPECT_EQ(Form1->characterItems[118]->palette().color(QPalette::Window), QColor(255, 0, 0));
        QByteArray expected = blank;
        const QByteArray field = QByteArray("\xD0\xA1\xC3\xF7      ") +
                                 QByteArray(5 - speed.size(), ' ') + speed.toLatin1();
        expected.replace(45, 15, field);
        EXPECT_EQ(phb(path("files/phb.txt")), expected);

        // The list shows it in the row 全码字; "重新记名" blanks the file.
        clickExercise(4);
        QTimer::singleShot(0, [&] {
            ASSERT_EQ(QApplication::activeModalWidget(), FPhb);
            EXPECT_EQ(FPhb->values[3]->text(),
                      QString::fromLatin1(field).replace(0, 4, QStringLiteral("小明")));
            EXPECT_EQ(FPhb->values[4]->text(), QString(15, u' '));
            // It asks first; "取消" keeps every record.
            answerYes = false;
            QTest::mouseClick(FPhb->BitBtn2, Qt::LeftButton);
            EXPECT_EQ(questions.last(), QStringLiteral("确定清除全部记录吗？"));
            EXPECT_FALSE(FPhb->values[3]->text().isEmpty());
            EXPECT_EQ(phb(path("files/phb.txt")), expected);
            answerYes = true;
            QTest::mouseClick(FPhb->BitBtn2, Qt::LeftButton);
            EXPECT_TRUE(FPhb->values[3]->text().isEmpty());
            QTest::mouseClick(FPhb->BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(Form1->sbAbout, Qt::LeftButton);
        EXPECT_EQ(phb(path("files/phb.txt")), blank);
    });
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join("; ").toStdString();

    // The learning history holds the run once, finished, with its wrong
    // answer, its F1 and the speed shown; looking at the list added nothing.
    ASSERT_NE(learningHistory(), nullptr);
    const auto runs = learningHistory()->trainingRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].kind, 3);
    EXPECT_TRUE(runs[0].finished);
    EXPECT_EQ(runs[0].items.size(), 119u);
    EXPECT_EQ(runs[0].answered, 119);
    EXPECT_EQ(runs[0].wrong, 1);
    EXPECT_EQ(runs[0].hints, 1);
    EXPECT_EQ(QString::number(runs[0].speed), speed);
    EXPECT_EQ(runs[0].items[0].answers, (QStringList{"999", runs[0].items[0].code}));
}

TEST_F(TrainingWindow, AMultiCharacterRunWithTheStarKeyAndNoRecord) {
    QByteArray held(180, ' ');
    held.replace(165, 15, "Top       99999");
    writeFile("files/phb.txt", held);
    inTraining([&] {
        startRun(11);
        ASSERT_EQ(QApplication::focusWidget(), Form1->Editinput2);
        for (int i = 0; i < 18; ++i) {
            const int position = training::kMultiWordPositions[static_cast<size_t>(i)];
            typeCode(Form1->wordItems[static_cast<size_t>(position)]->toolTip(), i % 2 == 1,
                     Qt::Key_Asterisk);
        }
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("太棒了！"));
        EXPECT_FALSE(FPhbin->isVisible());
        EXPECT_EQ(phb(path("files/phb.txt")), held);
        clickExercise(7);
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(FPhb->values[11]->text(), QStringLiteral("Top       99999"));
            FPhb->close();
        });
        QTest::mouseClick(Form1->sbAbout, Qt::LeftButton);
    });
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join("; ").toStdString();
}

TEST_F(TrainingWindow, APictureRunWithHintsAndAMissingRecordFileMadeAtTheRecord) {
    QByteArray held(180, ' ');
    held.replace(25, 5, "99999");
    writeFile("files/phb.txt", held);
    QString shownSpeed;
    inTraining([&] {
        startRun(1);
        ASSERT_EQ(QApplication::focusWidget(), Form1->Labelhint1);
        // Two wrong answers bring the code into the box.
        typeCode(QStringLiteral("9"), true, Qt::Key_Enter);
        typeCode(QStringLiteral("9"), false, Qt::Key_Slash);
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("再想想"));
        EXPECT_EQ(Form1->Labelhint1->text(), Form1->pictureItems[0]->toolTip());
        padKey(Qt::Key_Enter);
        // The answered picture lies on its own ground; the pending one shows
        // the panel through its white.
        const QColor answered = Form1->pictureItems[0]->grab().toImage().pixelColor(20, 20);
        const QColor pending = Form1->pictureItems[1]->grab().toImage().pixelColor(20, 20);
        EXPECT_EQ(answered, QColor(200, 210, 240));
        EXPECT_NE(pending, answered);
        for (int i = 1; i < 60; ++i) {
            if (i == 59)
                for (int t = 0; t < 10; ++t)
                    Form1->Timer3Timer();
            typeCode(Form1->pictureItems[static_cast<size_t>(i)]->toolTip(), i % 2 == 0,
                     Qt::Key_Enter);
        }
    });
    EXPECT_EQ(phb(path("files/phb.txt")), held) << "no record";
    // No file: the record is asked for and the file made whole.
    ASSERT_TRUE(QFile::remove(path("files/phb.txt")));
    inTraining([&] {
        startRun(2);
        for (int t = 0; t < 10; ++t)
            Form1->Timer3Timer();
        bool asked = false;
        QTimer::singleShot(0, [&] {
            asked = QApplication::activeModalWidget() == FPhbin;
            EXPECT_EQ(FPhbin->Edit1->text(), QString()) << "nobody entered a name yet";
            QTest::keyClicks(FPhbin->Edit1, QStringLiteral("Li"));
            QTest::mouseClick(FPhbin->BitBtn1, Qt::LeftButton);
        });
        for (int i = 0; i < 60; ++i)
            typeCode(Form1->pictureItems[static_cast<size_t>(i)]->toolTip(), true, Qt::Key_Enter);
        EXPECT_TRUE(asked);
        EXPECT_FALSE(Form1->Labelhint1->isEnabled());
        shownSpeed = Form1->Labeljifen->text();
    });
    const QByteArray file = phb(path("files/phb.txt"));
    ASSERT_EQ(file.size(), 180);
    EXPECT_EQ(file.left(30), QByteArray(30, ' '));
    EXPECT_EQ(file.mid(30, 10), "Li        ");
    EXPECT_EQ(QString::fromLatin1(file.mid(40, 5)).trimmed(), shownSpeed)
        << "the record holds the speed the run ended with";
    EXPECT_GT(shownSpeed.toInt(), 0);
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join("; ").toStdString();
}

// A damaged record file is kept beside as "phb.txt.damaged", told once, and
// the run that found it still sets its record in a fresh file.
TEST_F(TrainingWindow, ADamagedRecordFileIsSetAsideToldOnceAndTheRecordCounts) {
    writeFile("files/phb.txt", QByteArray(20, ' '));
    inTraining([&] {
        for (int run = 0; run < 2; ++run) {
            startRun(5);
            for (int t = 0; t < 10; ++t)
                Form1->Timer3Timer(); // ten seconds: the speed shows
            bool asked = false;
            if (run == 0)
                QTimer::singleShot(0, [&] {
                    asked = QApplication::activeModalWidget() == FPhbin;
                    QTest::keyClicks(FPhbin->Edit1, QStringLiteral("Li"));
                    QTest::mouseClick(FPhbin->BitBtn1, Qt::LeftButton);
                });
            for (int i = 0; i < 119; ++i)
                typeCode(Form1->characterItems[static_cast<size_t>(i)]->toolTip(), run == 0,
                         Qt::Key_Enter);
            EXPECT_EQ(asked, run == 0);
            EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("太棒了！"));
        }
    });
    ASSERT_EQ(errorsShown.size(), 1) << errorsShown.join("; ").toStdString();
    EXPECT_TRUE(errorsShown[0].contains(QDir::cleanPath(path("files/phb.txt.damaged"))));
    EXPECT_EQ(phb(path("files/phb.txt.damaged")), QByteArray(20, ' '));
    const QByteArray file = phb(path("files/phb.txt"));
    ASSERT_EQ(file.size(), 180);
    EXPECT_EQ(file.mid(75, 10), "Li        ");
}

TEST_F(TrainingWindow, TheNameEntryKeepsTheNameAndItsCloseBoxWritesNothing) {
    const QByteArray blank(180, ' ');
    writeFile("files/phb.txt", blank);
    inTraining([&] {
        for (int run = 0; run < 2; ++run) {
            startRun(6);
            for (int t = 0; t < 10; ++t)
                Form1->Timer3Timer();
            QString shownName;
            QTimer::singleShot(0, [&] {
                ASSERT_EQ(QApplication::activeModalWidget(), FPhbin);
                shownName = FPhbin->Edit1->text();
                if (run == 0) {
                    QTest::keyClicks(FPhbin->Edit1, QStringLiteral("Wang"));
                    FPhbin->close(); // the title bar's close box
                } else {
                    QTest::mouseClick(FPhbin->BitBtn1, Qt::LeftButton);
                }
            });
            // The main row's digits and Return work as the keypad's do.
            ASSERT_TRUE(
                QTest::qWaitFor([] { return QApplication::focusWidget() == Form1->Editinput; }));
            for (int i = 0; i < 119; ++i) {
                QTest::keyClicks(QApplication::focusWidget(),
                                 Form1->characterItems[static_cast<size_t>(i)]->toolTip());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            EXPECT_EQ(shownName, run == 0 ? QString() : QStringLiteral("Wang"));
            if (run == 0) {
                EXPECT_EQ(phb(path("files/phb.txt")), blank) << "the close box writes nothing";
            }
        }
    });
    QByteArray expected = blank;
    expected.replace(90, 15, "Wang          0");
    EXPECT_EQ(phb(path("files/phb.txt")), expected);
}

TEST_F(TrainingWindow, F1OffersTheCodeDiagramOfTheCharacter) {
    inTraining([&] {
        startRun(3);
        QImage diagram(120, 140, QImage::Format_RGB32);
        diagram.fill(Qt::yellow);
        const QString name = Form1->characterItems[0]->text();
        QDir(path(QString())).mkpath("statement");
        ASSERT_TRUE(diagram.save(path("statement/" + name + ".bmp"), "BMP"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ASSERT_TRUE(Form1->BitBtn1->isVisible());
        bool clocksStopped = false;
        QTimer::singleShot(0, [&] {
            ASSERT_EQ(QApplication::activeModalWidget(), formdelait);
            clocksStopped = !Form1->Timer1->isActive() && !Form1->Timer3->isActive();
            EXPECT_EQ(formdelait->Image1->pixmap().toImage().pixelColor(5, 5), QColor(Qt::yellow));
            QTest::mouseClick(formdelait->BitBtn1, Qt::LeftButton);
        });
        QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
        EXPECT_TRUE(clocksStopped);
        EXPECT_EQ(state(), kRunning);
        EXPECT_FALSE(Form1->BitBtn1->isVisible());
        EXPECT_TRUE(
            QTest::qWaitFor([] { return QApplication::focusWidget() == Form1->Editinput; }));
        padKey(Qt::Key_Enter); // the code F1 showed
        EXPECT_EQ(Form1->flow().currentIndex, 1);
    });
}

// A code diagram that cannot be read is named, and no empty "编码图解"
// window follows: the run goes on with the keys in the answer box.
TEST_F(TrainingWindow, ADamagedCodeDiagramIsNamedAndNoWindowOpens) {
    inTraining([&] {
        startRun(3);
        const QString picture = path("statement/" + Form1->characterItems[0]->text() + ".bmp");
        QDir(path(QString())).mkpath("statement");
        writeFile("statement/" + Form1->characterItems[0]->text() + ".bmp",
                  QByteArray("BM") + QByteArray(300, '\x5A'));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ASSERT_TRUE(Form1->BitBtn1->isVisible());
        QWidget* opened = nullptr;
        QTimer::singleShot(0, [&] {
            opened = QApplication::activeModalWidget();
            if (opened == formdelait)
                formdelait->close();
        });
        QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_NE(opened, static_cast<QWidget*>(formdelait)) << "the diagram window opened";
        ASSERT_EQ(errorsShown.size(), 1);
        EXPECT_TRUE(errorsShown[0].contains(QDir::cleanPath(picture)))
            << errorsShown[0].toStdString();
        EXPECT_FALSE(Form1->BitBtn1->isVisible());
        EXPECT_EQ(state(), kRunning);
        EXPECT_TRUE(
            QTest::qWaitFor([] { return QApplication::focusWidget() == Form1->Editinput; }));
    });
}

// After every button and every window the training opens, the keys typed to
// the window that has the focus reach the answer box, Num Lock on and off:
// no button keeps the focus.
TEST_F(TrainingWindow, AfterEveryButtonAndDialogTheKeypadReachesTheAnswerBox) {
    writeFile("files/tvmsm.rtf", "{\\rtf1 Keys}");
    inTraining([&] {
        // Two digits on the keypad, Num Lock on then off, land in `box`; the
        // keypad "." takes them back.
        auto keysReach = [](QLineEdit* box, const char* after) {
            SCOPED_TRACE(after);
            ASSERT_TRUE(QTest::qWaitFor([box] { return QApplication::focusWidget() == box; }, 2000))
                << "the focus is on "
                << (QApplication::focusWidget()
                        ? QApplication::focusWidget()->metaObject()->className()
                        : "nothing");
            padDigit(3, true);
            padDigit(4, false);
            EXPECT_TRUE(box->text().endsWith(QStringLiteral("34"))) << box->text().toStdString();
            padKey(Qt::Key_Period);
            padKey(Qt::Key_Period);
        };
        // Clicks `button`; `close` closes the modal window it opens.
        auto clickAndClose = [](QPushButton* button, const std::function<void(QWidget*)>& close) {
            QWidget* opened = nullptr;
            QTimer::singleShot(0, [&] {
                opened = QApplication::activeModalWidget();
                if (opened && opened != Form1)
                    close(opened);
            });
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_NE(opened, Form1) << button->text().toStdString() << " opened nothing";
        };
        auto closeIt = [](QWidget* w) { w->close(); };

        for (QPushButton* b : {Form1->sbHelp, Form1->SBtnStart, Form1->SBtnPause, Form1->SBtnSetup,
                               Form1->sbAbout, Form1->SBtnQuit, Form1->BitBtn1, Form1->SBtnHistory})
            EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->text().toStdString();

        // Between runs: 设置 and 高手, then the run's start.
        clickExercise(3);
        clickAndClose(Form1->SBtnSetup, closeIt);
        clickAndClose(Form1->sbAbout, closeIt);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        keysReach(Form1->Editinput, "开始");

        clickAndClose(Form1->sbHelp, closeIt);
        keysReach(Form1->Editinput, "说明");
        clickAndClose(Form1->SBtnPause, [](QWidget*) {
            QTest::mouseClick(Formstop->BitBtn1, Qt::LeftButton); // 继续
        });
        keysReach(Form1->Editinput, "暂停, 继续");
        clickAndClose(Form1->SBtnHistory, closeIt);
        keysReach(Form1->Editinput, "学习记录");
        QDir(path(QString())).mkpath("statement");
        QImage diagram(112, 120, QImage::Format_RGB32);
        diagram.fill(Qt::white);
        ASSERT_TRUE(
            diagram.save(path("statement/" + Form1->characterItems[0]->text() + ".bmp"), "BMP"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        clickAndClose(Form1->BitBtn1,
                      [](QWidget*) { QTest::mouseClick(formdelait->BitBtn1, Qt::LeftButton); });
        keysReach(Form1->Editinput, "编码图解");

        // The picture page: time up, then 继续.
        clickExercise(0);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton);
        ticksToTimeUp();
        ASSERT_EQ(state(), kTimeUp);
        QTest::mouseClick(Form1->SBtnStart, Qt::LeftButton); // 继续
        keysReach(Form1->Labelhint1, "时间到, 继续");
    });
}

} // namespace

namespace {

TEST_F(TrainingWindow, TheLearningHistoryOpensDuringARunAndALeftRunIsKeptUnfinished) {
    inTraining([&] {
        startRun(3);
        typeCode(Form1->characterItems[0]->toolTip(), true, Qt::Key_Enter);

        bool clocksWhileOpen = true;
        QWidget* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = QApplication::activeModalWidget();
            clocksWhileOpen = Form1->Timer1->isActive() || Form1->Timer3->isActive();
            if (shown)
                shown->close();
        });
        QTest::mouseClick(Form1->SBtnHistory, Qt::LeftButton);
        EXPECT_EQ(shown, FormHistory);
        EXPECT_FALSE(clocksWhileOpen);
        EXPECT_EQ(state(), kRunning) << "the run goes on after the history";
        // The keypad reaches the input box again at once.
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), Form1->Editinput);
        typeCode(Form1->characterItems[1]->toolTip(), false, Qt::Key_Enter);
        EXPECT_EQ(Form1->flow().currentIndex, 2);
        EXPECT_TRUE(learningHistory()->trainingRuns().empty()) << "written only when it ends";
        // "退出" below leaves the run.
    });
    const auto runs = learningHistory()->trainingRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_FALSE(runs[0].finished);
    EXPECT_EQ(runs[0].answered, 2);
    ASSERT_EQ(runs[0].items.size(), 2u) << "the item shown but never answered is not kept";
    EXPECT_EQ(runs[0].items[1].item, Form1->characterItems[1]->text());
    EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join("; ").toStdString();
}

// A word typed wrong at every digit: the note names the word's parts and
// each wrong corner, more lines than the panel's first height, and shows
// them all.
TEST_F(TrainingWindow, ALongNoteOnAWrongWordShowsEveryLine) {
    inTraining([&] {
        startRun(7);
        ASSERT_EQ(QApplication::focusWidget(), Form1->Editinput2);
        const QString code = Form1->wordItems[0]->toolTip();
        ASSERT_EQ(code.size(), 6);
        QString wrong;
        for (QChar c : code)
            wrong += QChar(u'0' + (c.digitValue() + 5) % 10);
        typeCode(wrong, true, Qt::Key_Enter);
        typeCode(wrong, true, Qt::Key_Enter);
        ASSERT_TRUE(Form1->coachPanel->isVisible());
        EXPECT_GT(Form1->coachText->text().count(QStringLiteral("<p ")), 6);
        EXPECT_GE(Form1->coachText->height(),
                  Form1->coachText->heightForWidth(Form1->coachText->width()))
            << "the last lines are cut off";
        EXPECT_GE(Form1->coachPanel->height(), Form1->coachText->geometry().bottom());
    });
}

// A wrong code typed twice: the second time the panel beside the message
// lines says which corner is read wrong; the clocks keep running, and the
// next key closes it.
TEST_F(TrainingWindow, TheSecondWrongCodeOnAnItemIsExplainedUntilTheNextKey) {
    const coaching::CornerTable table =
        coaching::CornerTable::fromFile(path(QLatin1String(coaching::kCornerTableFile)));
    ASSERT_FALSE(table.isEmpty());
    inTraining([&] {
        startRun(3);
        ASSERT_EQ(QApplication::focusWidget(), Form1->Editinput);
        const QString character = Form1->characterItems[0]->text();
        const coaching::CornerEntry* entry = table.find(character);
        ASSERT_NE(entry, nullptr) << character.toStdString();
        const QString code = Form1->characterItems[0]->toolTip();
        ASSERT_FALSE(code.isEmpty());
        // The top left corner read as the next digit.
        QString wrong = code;
        wrong[0] = QChar(u'0' + (code[0].digitValue() + 1) % 10);
        const QString said =
            QStringLiteral("左上角是%1（%2），不是%3（%4）")
                .arg(entry->names[0], code.left(1), coaching::rhymeName(wrong[0]), wrong.left(1));

        typeCode(wrong, true, Qt::Key_Enter);
        EXPECT_FALSE(Form1->coachPanel->isVisible()) << "the first wrong code is a try";
        padKey(Qt::Key_Minus); // empties the box after a wrong answer
        while (!Form1->Editinput->text().isEmpty())
            padKey(Qt::Key_Period);
        typeCode(wrong, false, Qt::Key_Slash);
        EXPECT_TRUE(Form1->coachPanel->isVisible());
        EXPECT_TRUE(Form1->coachText->text().contains(said))
            << Form1->coachText->text().toStdString() << " / " << said.toStdString();
        EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("再想想！"));
        EXPECT_EQ(state(), kRunning);
        EXPECT_EQ(QApplication::focusWidget(), Form1->Editinput);
        // The character beside it, the stroke making the top left corner lit
        // (none when the table knows no stroke for it, as for 与).
        if (QFile::exists(path("hzlib/strokes.txt"))) {
            EXPECT_TRUE(Form1->coachStroke->isVisible()) << character.toStdString();
            const QImage drawn = Form1->coachStroke->pixmap().toImage();
            int lit = 0;
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    lit += drawn.pixel(x, y) == training::kLitStroke;
            if (entry->strokes[0] >= 0)
                EXPECT_GT(lit, 20) << character.toStdString();
            else
                EXPECT_EQ(lit, 0) << character.toStdString();
        }

        padKey(Qt::Key_Period);
        EXPECT_FALSE(Form1->coachPanel->isVisible());
        EXPECT_EQ(state(), kRunning);
    });
}

// A history where the 撇 at the top left was read as 竖 twice (他, 们) and
// the 横 at 国's bottom left once.
void prepareWeakCorners(const QString& file) {
    HistoryStore s(file);
    TrainingRunRecord r;
    r.kind = 3;
    r.started = r.ended = QDateTime::currentDateTime().addSecs(-600);
    r.answered = 3;
    r.finished = true;
    r.items = {{QStringLiteral("他"), "04210", {"24210", "04210"}, true, 2, false},
               {QStringLiteral("们"), "0720", {"2720", "0720"}, true, 2, false},
               {QStringLiteral("国"), "60103", {"60203", "60103"}, true, 2, false}};
    s.addTrainingRun(r, [] { return QDate::currentDate(); });
}

// The characters of the drill: every code holds `digit` at `corner`, and
// the characters missed there come first.
void expectDrillOf(int corner, QChar digit, const QStringList& first) {
    int shown = 0;
    for (QLabel* l : Form1->characterItems) {
        if (!l->isVisible())
            continue;
        ++shown;
        EXPECT_EQ(l->toolTip().at(corner), digit) << l->text().toStdString();
    }
    EXPECT_EQ(shown, 119);
    for (int i = 0; i < first.size(); ++i)
        EXPECT_EQ(Form1->characterItems[static_cast<size_t>(i)]->text(), first[i]) << i;
}

// "弱点练习" beside the reviews drills the corner confused most, with the
// rules of the character page; its run goes into the history.
TEST_F(TrainingWindow, TheDrillButtonDrillsTheCornerConfusedMost) {
    prepareWeakCorners(path("files/history.sqlite"));
    inTraining([&] {
        clickTab(1);
        QTest::mouseClick(Form1->SBtnDrill, Qt::LeftButton);
        EXPECT_EQ(state(), kRunning);
        EXPECT_EQ(Form1->Labelplay3->text(), QStringLiteral("弱点练习：左上角"));
        EXPECT_EQ(Form1->Labelplay4->text(), QStringLiteral("撇（0）"))
            << "the stroke every slip had";
        expectDrillOf(0, u'0', {QStringLiteral("们"), QStringLiteral("他")});
        // Before the first answer, the shape to look for, lit in the first character.
        EXPECT_TRUE(Form1->coachPanel->isVisible());
        EXPECT_TRUE(Form1->coachText->text().contains(QStringLiteral("看清左上角：撇打0")))
            << Form1->coachText->text().toStdString();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), Form1->Editinput);
        typeCode(Form1->characterItems[0]->toolTip(), true, Qt::Key_Enter);
        EXPECT_EQ(Form1->flow().currentIndex, 1);
    });
    ASSERT_NE(learningHistory(), nullptr);
    const auto runs = learningHistory()->trainingRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].kind, training::numberOf(training::ExerciseKind::CharacterReview));
    EXPECT_EQ(runs[1].answered, 1);
    EXPECT_FALSE(runs[1].finished);
}

// A click on a weak corner in "学习记录", opened from the training, closes
// it and drills that corner.
TEST_F(TrainingWindow, AWeakCornerClickedInTheHistoryDrillsThatCorner) {
    prepareWeakCorners(path("files/history.sqlite"));
    inTraining([&] {
        bool clicked = false;
        QTimer::singleShot(0, [&] {
            ASSERT_EQ(QApplication::activeModalWidget(), FormHistory);
            QTableWidget* weak = FormHistory->GridWeak;
            ASSERT_EQ(weak->rowCount(), 2);
            ASSERT_EQ(weak->item(1, 0)->text(), QStringLiteral("左下角"));
            QTest::mouseClick(weak->viewport(), Qt::LeftButton, {},
                              weak->visualItemRect(weak->item(1, 3)).center());
            clicked = true;
        });
        QTest::mouseClick(Form1->SBtnHistory, Qt::LeftButton);
        ASSERT_TRUE(clicked);
        EXPECT_FALSE(FormHistory->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([] { return Form1->SBtnPause->isEnabled(); }, 2000))
            << "the drill did not start";
        EXPECT_EQ(Form1->TabbedNotebook2->currentIndex(), 1);
        EXPECT_EQ(Form1->Labelplay3->text(), QStringLiteral("弱点练习：左下角"));
        expectDrillOf(2, u'1', {QStringLiteral("国")});
    });
}

} // namespace

// A learner new to the method, from the start screen: 学习路线, the first
// step (横 and 竖) on the keypad; a run answered by F1 and a run left early
// do not count, two right runs on two days master it and the second step
// opens; the plan line says so after each day.
// The longest step title shows whole in the side panel, drawn smaller.
TEST_F(TrainingWindow, ALongStepTitleFitsThePanel) {
    training::CourseRun run;
    run.step = 5;
    run.digits = QStringLiteral("12"); // the pictures the test folder has
    run.message = {QStringLiteral("学习路线第5步"),
                   QStringLiteral("认识笔形：九是小，撇与左钩是零")};
    Form1->requestCourseRun(run);
    inTraining([&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return Form1->SBtnPause->isEnabled(); }, 2000));
        EXPECT_EQ(Form1->Labelplay2->text(), run.message[1]);
        for (QLabel* l : {Form1->Labelplay1, Form1->Labelplay2})
            EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width())
                << l->text().toStdString();
    });
}

TEST_F(TrainingWindow, ANewLearnerMastersTheFirstStepOnTwoDaysAndTheSecondOpens) {
    QDir(path(QString())).mkpath(QStringLiteral("course"));
    for (const QString& name :
         QDir(QStringLiteral(TARVO_PROGRAM_DIR "/course")).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARVO_PROGRAM_DIR "/course/") + name,
                                path(QStringLiteral("course/") + name)));
    QDate day(2026, 12, 1);
    setCourseToday([&] { return day; });
    setTrainingClock([&] { return QDateTime(day, QTime(9, 0)); });
    preface01->updatePlan();
    EXPECT_EQ(preface01->planLabel->text(), QStringLiteral("今日：从第 1 步开始"));
    ASSERT_TRUE(preface01->courseButton->isVisible());
    // A course run sets no record of the exercise it borrows (简单): the
    // name entry never opens (should it, it is closed and counted).
    int recordsAsked = 0;
    QTimer records;
    QObject::connect(&records, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() == FPhbin) {
            ++recordsAsked;
            FPhbin->close();
        }
    });
    records.start(5);
    int countedDays = 0;
    writeFile("files/phb.txt", QByteArray(180, ' '));

    // Day 1 every answer shown by F1 first, day 2 ten answers and 退出:
    // neither counts. Days 3 and 4 the step is done right.
    enum class Way { ByF1, LeftEarly, Right };
    const Way ways[4] = {Way::ByF1, Way::LeftEarly, Way::Right, Way::Right};
    const int counted[4] = {0, 0, 0, 1};
    const QString plans[4] = {
        QStringLiteral("今日：继续第 1 步　已连续练习 1 天"),
        QStringLiteral("今日：继续第 1 步　已连续练习 2 天"),
        QStringLiteral("今日：第 1 步今天已达标，明天再练一次　已连续练习 3 天"),
        QStringLiteral("今日：继续第 2 步　已连续练习 4 天")};
    for (int d = 0; d < 4; ++d, day = day.addDays(1)) {
        SCOPED_TRACE(d);
        bool practised = false;
        QTimer::singleShot(0, [&] {
            ASSERT_EQ(QApplication::activeModalWidget(), FormCourse);
            ASSERT_TRUE(QTest::qWaitForWindowActive(FormCourse));
            EXPECT_EQ(FormCourse->GridSteps->currentRow(), 0);
            EXPECT_EQ(FormCourse->GridSteps->item(0, 2)->text(),
                      QStringLiteral("正在学（%1/2 天达标）").arg(counted[d]));
            // What 达标 means, beside the step's advice (提 counts as 横).
            EXPECT_TRUE(FormCourse->LabelAdvice->text().contains(QStringLiteral("提也算横")));
            EXPECT_TRUE(FormCourse->LabelAdvice->text().contains(
                QStringLiteral("达标：一次练到最后一项，答对九成以上（按 F1 看过的不算），"
                               "速度不低于 20 字/分。")))
                << FormCourse->LabelAdvice->text().toStdString();
            // The step's practice opens over the course window's closing.
            QTimer::singleShot(0, [&] {
                ASSERT_TRUE(QTest::qWaitFor([] { return Form1->SBtnPause->isEnabled(); }, 2000))
                    << "the step's run did not start";
                EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("学习路线第1步"));
                const int answers = ways[d] == Way::LeftEarly ? 10 : 60;
                for (int i = 0; i < answers; ++i) {
                    const QString code = Form1->pictureItems[static_cast<size_t>(i)]->toolTip();
                    ASSERT_TRUE(code == u"1" || code == u"2") << code.toStdString();
                    if (i == 59)
                        for (int t = 0; t < 10; ++t)
                            Form1->Timer3Timer();
                    if (ways[d] == Way::ByF1) {
                        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
                        padKey(Qt::Key_Enter);
                    } else {
                        typeCode(code, i % 2 == 0, Qt::Key_Enter);
                    }
                }
                // A finished run says whether it counted, and the second
                // counting day that it masters the step.
                if (ways[d] == Way::ByF1) {
                    EXPECT_EQ(Form1->Labelplay1->text(), QStringLiteral("练完了。"));
                    EXPECT_EQ(Form1->Labelplay4->text(), QStringLiteral("答对不到九成。"));
                } else if (ways[d] == Way::Right) {
                    EXPECT_EQ(Form1->Labelplay2->text(), countedDays++ == 0
                                                             ? QStringLiteral("继续训练吗？")
                                                             : QStringLiteral("这一步掌握了！"));
                }
                practised = true;
                answerYes = true;
                QTest::mouseClick(Form1->SBtnQuit, Qt::LeftButton);
            });
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr) << "the course window has no focus";
            EXPECT_EQ(focused, FormCourse->GridSteps) << "the keypad chooses the step";
            QTest::keyClick(focused, Qt::Key_Enter, Qt::KeypadModifier);
        });
        QTest::mouseClick(preface01->courseButton, Qt::LeftButton);
        ASSERT_TRUE(practised);
        EXPECT_EQ(preface01->planLabel->text(), plans[d]);
        const QLabel* plan = preface01->planLabel;
        EXPECT_LE(plan->fontMetrics().horizontalAdvance(plan->text()), plan->width())
            << "the whole plan shows";
    }

    EXPECT_EQ(recordsAsked, 0);
    EXPECT_EQ(phb(path("files/phb.txt")), QByteArray(180, ' '));

    bool looked = false;
    QTimer::singleShot(0, [&] {
        ASSERT_EQ(QApplication::activeModalWidget(), FormCourse);
        EXPECT_EQ(FormCourse->GridSteps->item(0, 2)->text(), QStringLiteral("已掌握"));
        EXPECT_EQ(FormCourse->GridSteps->currentRow(), 1) << "the second step is the one to do";
        looked = true;
        QTest::mouseClick(FormCourse->BtnClose, Qt::LeftButton);
    });
    QTest::mouseClick(preface01->courseButton, Qt::LeftButton);
    EXPECT_TRUE(looked);

    // A step's file lost: 学习路线 names that file, and the plan line keeps
    // the streak without the course.
    ASSERT_TRUE(QFile::remove(path("course/step7.txt")));
    notices.clear();
    QTest::mouseClick(preface01->courseButton, Qt::LeftButton);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(path("course/step7.txt") + QStringLiteral(" 没有找到")))
        << notices[0].toStdString();
    preface01->updatePlan();
    EXPECT_TRUE(preface01->planLabel->text().startsWith(QStringLiteral("已连续练习")))
        << preface01->planLabel->text().toStdString();
    setCourseToday({});
    setTrainingClock({});
}
