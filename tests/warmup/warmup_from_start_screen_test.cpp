// The warm-up as a learner reaches it: opened modally from the start screen,
// played with the keypad through the window system, its result logged in the
// ranking dialog that the modal game window must not block.
#include "tests/gui/program_folder_fixture.h"

#include "app/start_screen.h"
#include "warmup/warmup_help.h"
#include "warmup/warmup_ranking_window.h"
#include "warmup/warmup_window.h"

#include "tests/test_paths.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <functional>

namespace {

class WarmupFromStartScreen : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        for (const char* face : {"facestart.bmp", "facelaugh.bmp", "facec.bmp"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(TARVO_PROGRAM_DIR "/files/") + face,
                                    path(QStringLiteral("files/") + face)));
        FHot_Sort->today = [] { return QStringLiteral("2026-12-6"); };
        preface01->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(preface01));
    }

    // Clicks the warm-up entry of the start screen and runs `play` inside the
    // game window's modal loop. The game window is closed afterwards, and
    // after a few seconds at the latest, so a test never hangs.
    void playFromStartScreen(const std::function<void()>& play) {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, FHot, [] {
            ADD_FAILURE() << "the warm-up window was still open";
            FHot_Sort->close();
            FHot->close();
        });
        guard.start(15000);
        QTimer::singleShot(0, FHot, [&] {
            if (QTest::qWaitForWindowActive(FHot))
                play();
            else
                ADD_FAILURE() << "the warm-up window did not become active";
            FHot->N6->trigger();
        });
        QTest::mouseClick(preface01->SpeedButton[2], Qt::LeftButton);
        EXPECT_FALSE(FHot->isVisible());
    }

    // A key as the keyboard delivers it, to the window that has the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::KeypadModifier) {
        QWindow* focus = QGuiApplication::focusWindow();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
    }
    static void typeDigits(const QString& digits, bool numLock = true) {
        // With Num Lock off the keypad sends its cursor keys.
        static const Qt::Key off[10] = {
            Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left,
            Qt::Key_Clear,  Qt::Key_Right, Qt::Key_Home, Qt::Key_Up,       Qt::Key_PageUp};
        for (QChar c : digits) {
            const int d = c.digitValue();
            press(numLock ? static_cast<Qt::Key>(Qt::Key_0 + d) : off[d]);
        }
    }
    QByteArray logBytes() const {
        QFile f(path("files/record.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// No mouse needed: the keypad's Enter starts the game shown, Space the fun
// one after it is chosen, and the menu has a start item of its own.
TEST_F(WarmupFromStartScreen, EnterSpaceOrTheMenuStartAGame) {
    playFromStartScreen([this] {
        press(Qt::Key_Enter);
        EXPECT_TRUE(FHot->game().GameRunning);
        EXPECT_EQ(FHot->game().mode, WarmupGame::Mode::Classic);
        for (int tick = 0; tick <= 61; ++tick)
            FHot->Timer1Timer();
        QTRY_VERIFY(FHot_Sort->isVisible());
        FHot_Sort->close();
        FHot->activateWindow(); // as the window manager does when the dialog closes
        QTRY_COMPARE(QGuiApplication::focusWindow(), FHot->windowHandle());
        FHot->Nintere->trigger();
        QTest::qWait(700); // the game's last keys are long past
        press(Qt::Key_Space, Qt::NoModifier);
        EXPECT_TRUE(FHot->game().GameRunning);
        EXPECT_EQ(FHot->game().mode, WarmupGame::Mode::Fun);
        EXPECT_TRUE(FHot->NStart->text().contains(QStringLiteral("开始")));
    });
}

TEST_F(WarmupFromStartScreen, AGameEndsInTheRankingDialogWhereTheLearnerLogsIt) {
    playFromStartScreen([this] {
        QTest::mouseClick(FHot->startclass, Qt::LeftButton);
        typeDigits(FHot->game().TargetCode);
        typeDigits(FHot->game().TargetCode, /*numLock=*/false);
        EXPECT_EQ(FHot->sc->digits(), QStringLiteral("002"));
        for (int tick = 0; tick <= 60; ++tick)
            FHot->Timer1Timer();

        // The ranking dialog takes the focus and the keys, over the modal game window.
        QTRY_COMPARE(QGuiApplication::focusWindow(), FHot_Sort->windowHandle());
        EXPECT_EQ(FHot_Sort->LabeledEdit3->text(), QStringLiteral("2个"));
        QWindow* dialog = QGuiApplication::focusWindow();
        // Keys still coming from the game (a keypad Enter aimed at a target)
        // are held back until the keypad is quiet: nothing is logged yet.
        QTest::keyClick(dialog, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::qWait(300);
        QTest::keyClick(dialog, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_TRUE(FHot_Sort->isVisible());
        EXPECT_EQ(logBytes(), QByteArray());
        QTest::qWait(static_cast<int>(KeyHold::kDefaultQuiet.count()) + 100);
        for (char c : QByteArray("Ming"))
            QTest::keyClick(dialog, c);
        QTest::mouseClick(FHot_Sort->Button1, Qt::LeftButton);
        EXPECT_FALSE(FHot_Sort->isVisible());
        EXPECT_EQ(logBytes(), QByteArray("2026-12-6: Ming \xD3\xC3\xCA\xB1\xA3\xBA"
                                         "60 \xB3\xC9\xBC\xA8\xA3\xBA"
                                         "2\r\n"));

        // "排行榜" lists it, and the list closes when the game window is clicked.
        FHot->N2->trigger();
        QTRY_COMPARE(QGuiApplication::focusWindow(), FHot_Sort->windowHandle());
        EXPECT_EQ(FHot_Sort->Memo1->toPlainText(),
                  QStringLiteral("2026-12-6: Ming 用时：60 成绩：2"));
        QTest::mouseClick(FHot->Pclass, Qt::LeftButton);
        FHot->activateWindow(); // as the window manager does on a click
        QTRY_VERIFY_WITH_TIMEOUT(!FHot_Sort->isVisible(), 2000);
        FHot_Sort->Memo1->hide();
    });
}

TEST_F(WarmupFromStartScreen, KeysThatTypeNothingAndEscDoNotPlayOrLeave) {
    playFromStartScreen([] {
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
        EXPECT_TRUE(FHot->isVisible()) << "Esc does not close the game window";

        FHot->Nintere->trigger();
        QTest::mouseClick(FHot->start, Qt::LeftButton);
        press(Qt::Key_Shift, Qt::ShiftModifier);
        press(Qt::Key_NumLock, Qt::KeypadModifier);
        EXPECT_FALSE(FHot->Timer1->isActive()) << "Shift and Num Lock type nothing";
        EXPECT_EQ(FHot->game().Score, 0);

        // With Num Lock off, the keypad's cursor keys hit the holes of their digits.
        FHot->game().TargetKey = 5;
        typeDigits(QStringLiteral("5"), /*numLock=*/false);
        EXPECT_EQ(FHot->game().Score, 1);
        EXPECT_TRUE(FHot->Timer1->isActive());
        // Alt alone, the menu's Alt+T and the keypad's Enter never reach the
        // menu during a game.
        const bool funMode = FHot->game().mode == WarmupGame::Mode::Fun;
        press(Qt::Key_Alt, Qt::AltModifier);
        press(Qt::Key_Enter, Qt::KeypadModifier);
        press(Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_T, Qt::AltModifier);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "Alt+T opened the menu";
        press(Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(FHot->game().mode == WarmupGame::Mode::Fun, funMode);
        EXPECT_TRUE(FHot->Timer1->isActive()) << "the game goes on";
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
        EXPECT_TRUE(FHot->isVisible());
        FHot->Nclass->trigger();
    });
}

TEST_F(WarmupFromStartScreen, ReopeningShowsAFreshGameInTheSamePlace) {
    QPoint firstPlace;
    playFromStartScreen([&] {
        firstPlace = FHot->pos();
        FHot->Nintere->trigger();
        QTest::mouseClick(FHot->start, Qt::LeftButton);
        EXPECT_TRUE(FHot->mark->isVisible());
    });
    playFromStartScreen([&] {
        EXPECT_EQ(FHot->pos(), firstPlace);
        EXPECT_FALSE(FHot->mark->isVisible()) << "no rabbit before the smiley";
        FHot->Nclass->trigger();
    });
    playFromStartScreen([&] {
        EXPECT_EQ(FHot->input->text(), WarmupGame::prompt());
        EXPECT_FALSE(FHot->input->hasSelectedText());
    });
}

TEST_F(WarmupFromStartScreen, TheKeypadEchoLightsTheKeyTypedWhereTheKeypadHasIt) {
    playFromStartScreen([this] {
        QTest::mouseClick(FHot->startclass, Qt::LeftButton);
        // Laid out like the keypad: 7 above 4 above 1 above 0; Del right of 0, under 3.
        auto at = [](int i) { return FHot->k[static_cast<size_t>(i)]->geometry(); };
        EXPECT_LT(at(7).bottom(), at(4).top());
        EXPECT_LT(at(1).bottom(), at(0).top());
        EXPECT_EQ(at(10).left(), at(3).left());
        EXPECT_LT(at(3).bottom(), at(10).top());
        EXPECT_EQ(at(10).top(), at(0).top());

        // The key typed is drawn in a colour of its own, plainly unlike the others.
        const QString target = FHot->game().TargetCode;
        const QChar other = target[0] == u'8' ? u'9' : u'8';
        typeDigits(QString(other));
        auto centreColour = [](int i) {
            QToolButton* b = FHot->k[static_cast<size_t>(i)];
            const QImage img = b->grab().toImage();
            return img.pixelColor(img.width() / 2, img.height() / 4);
        };
        const QColor lit = centreColour(other.digitValue());
        const QColor unlit = centreColour(other == u'8' ? 5 : 6);
        const int distance = std::abs(lit.red() - unlit.red()) +
                             std::abs(lit.green() - unlit.green()) +
                             std::abs(lit.blue() - unlit.blue());
        EXPECT_GT(distance, 200) << lit.name().toStdString() << " " << unlit.name().toStdString();
        EXPECT_TRUE(errorsShown.isEmpty()) << errorsShown.join(u'\n').toStdString();
    });
}

TEST_F(WarmupFromStartScreen, TheRulesReadAsWrittenWithoutScrolling) {
    playFromStartScreen([] {
        QTimer::singleShot(0, Fhelp, [] {
            for (int tab = 0; tab < 2; ++tab) {
                Fhelp->Tabs->setCurrentIndex(tab);
                QPlainTextEdit* memo = tab == 0 ? Fhelp->ClassicMemo : Fhelp->FunMemo;
                const QStringList& lines = tab == 0 ? TFhelp::classicLines() : TFhelp::funLines();
                QTest::qWait(10);
                EXPECT_EQ(memo->document()->blockCount(), lines.size());
                // One screen line per written line, and nothing to scroll to.
                int screenLines = 0;
                for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
                    screenLines += b.layout()->lineCount();
                EXPECT_EQ(screenLines, lines.size()) << tab;
                EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0) << tab;
                EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0)
                    << tab << " " << memo->viewport()->width() << " "
                    << memo->document()->size().width();
            }
            Fhelp->Button1->click();
        });
        FHot->N8->trigger();
    });
}

} // namespace
