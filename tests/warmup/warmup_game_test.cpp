#include "warmup/warmup_game.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// A game whose random numbers are given in advance.
struct ScriptedGame {
    std::deque<int> numbers;
    WarmupGame game{[this](int n) {
        if (numbers.empty())
            return 0;
        const int v = numbers.front() % n;
        numbers.pop_front();
        return v;
    }};
};

WarmupKeyPress digit(int d) {
    return {WarmupKey::Digit, d};
}

TEST(WarmupGame, ShowingResetsToOneMinuteAndAZeroTarget) {
    ScriptedGame s;
    s.game.chooseLength(4);
    s.game.FormShow();
    EXPECT_EQ(s.game.SecondsLeft, 60);
    EXPECT_EQ(WarmupGame::displayDigits(s.game.SecondsLeft), QStringLiteral("060"));
    EXPECT_EQ(WarmupGame::displayDigits(s.game.Score), QStringLiteral("000"));
    EXPECT_EQ(s.game.TargetCode, QStringLiteral("000000"));
    EXPECT_EQ(s.game.input, QStringLiteral("点击“笑脸”开始热身"));
    EXPECT_TRUE(s.game.inputReadOnly);
    EXPECT_FALSE(s.game.timerRunning);
    // Keys do nothing before a game starts.
    EXPECT_FALSE(s.game.FormKeyPress(digit(1)));
    EXPECT_FALSE(s.game.timerRunning);
}

TEST(WarmupGame, FunModeCountsHitsFromTheFirstKey) {
    ScriptedGame s{{14, 15, 10, 3}};
    s.game.chooseFun();
    s.game.startClick();
    EXPECT_EQ(s.game.TargetKey, 14);
    EXPECT_TRUE(s.game.markVisible);
    EXPECT_FALSE(s.game.timerRunning) << "the clock waits for the first key";
    s.game.FormKeyPress({WarmupKey::Enter}); // index 14: a hit, and the clock starts
    EXPECT_TRUE(s.game.timerRunning);
    EXPECT_EQ(s.game.Score, 1);
    EXPECT_EQ(s.game.TargetKey, 15);
    s.game.FormKeyPress({WarmupKey::Other}); // a letter never hits
    s.game.FormKeyPress({WarmupKey::Slash}); // index 10: not the target (15)
    EXPECT_EQ(s.game.Score, 1);
    s.game.FormKeyPress({WarmupKey::Dot}); // "." is the "Del" hole, 15
    EXPECT_EQ(s.game.Score, 2);
    s.game.FormKeyPress({WarmupKey::Slash});
    EXPECT_EQ(s.game.Score, 3);
    EXPECT_EQ(s.game.TargetKey, 3);
}

TEST(WarmupGame, ClassicEntriesRightWrongAndErased) {
    ScriptedGame s{{1, 2, 3, 4, 5, 6, 9, 9, 9, 9, 9, 9, 0, 0, 0, 0, 0, 0}};
    s.game.FormShow(); // the prompt is in the field
    s.game.startclassClick();
    EXPECT_EQ(s.game.TargetCode, QStringLiteral("123456"));
    EXPECT_TRUE(s.game.timerRunning) << "emptying the prompt starts the countdown";
    EXPECT_FALSE(s.game.inputReadOnly);
    const int faces = s.game.faceChanges;
    s.game.inputChange(QStringLiteral("123456"));
    EXPECT_EQ(s.game.Score, 1);
    EXPECT_EQ(s.game.face, WarmupGame::Face::Laugh);
    EXPECT_EQ(s.game.faceChanges, faces + 1);
    EXPECT_EQ(s.game.TargetCode, QStringLiteral("999999"));
    EXPECT_TRUE(s.game.input.isEmpty());
    EXPECT_EQ(s.game.pressedKey, WarmupGame::kKeyDel);

    s.game.inputChange(QStringLiteral("99999"));
    s.game.eraseLast();
    EXPECT_EQ(s.game.input, QStringLiteral("9999"));
    EXPECT_EQ(s.game.Score, 1);
    s.game.inputChange(QStringLiteral("123123"));
    EXPECT_EQ(s.game.Score, 1);
    EXPECT_EQ(s.game.face, WarmupGame::Face::Cry);
    EXPECT_EQ(s.game.TargetCode, QStringLiteral("000000"));

    // With the field already empty, a new start waits for the first key.
    s.game.FormActivate();
    s.game.startclassClick();
    EXPECT_FALSE(s.game.timerRunning);
    EXPECT_TRUE(s.game.FormKeyPress(digit(1)));
    EXPECT_TRUE(s.game.timerRunning);

    // The on-screen keypad echoes digits, and DEL for other keys.
    EXPECT_TRUE(s.game.FormKeyPress(digit(7)));
    EXPECT_EQ(s.game.pressedKey, 7);
    EXPECT_TRUE(s.game.FormKeyPress({WarmupKey::Plus}));
    EXPECT_EQ(s.game.pressedKey, WarmupGame::kKeyDel);
}

TEST(WarmupGame, LengthsAndTheEndOneTickAfterZero) {
    ScriptedGame s;
    s.game.chooseLength(3);
    EXPECT_EQ(s.game.SecondsLeft, 180);
    EXPECT_EQ(s.game.GameSeconds, 180);
    EXPECT_FALSE(s.game.timerRunning);

    s.game.chooseLength(1);
    s.game.chooseFun();
    s.game.startClick();
    s.game.FormKeyPress(digit(0));
    for (int tick = 1; tick <= 60; ++tick)
        ASSERT_FALSE(s.game.Timer1Timer()) << tick;
    EXPECT_EQ(s.game.SecondsLeft, 0);
    EXPECT_TRUE(s.game.Timer1Timer()) << "the 61st tick ends the game";
    EXPECT_FALSE(s.game.GameRunning);
    EXPECT_FALSE(s.game.markVisible);
    EXPECT_FALSE(s.game.timerRunning);
}

TEST(WarmupGame, ASecondGameInARowLastsItsFullTime) {
    for (const bool fun : {false, true}) {
        ScriptedGame s;
        s.game.FormShow();
        s.game.chooseLength(2);
        fun ? s.game.chooseFun() : s.game.chooseClassic();
        for (int game = 1; game <= 2; ++game) {
            fun ? s.game.startClick() : s.game.startclassClick();
            s.game.FormKeyPress(digit(0)); // the first key starts the clock
            int ticks = 0;
            while (!s.game.Timer1Timer())
                ASSERT_LT(++ticks, 1000);
            EXPECT_EQ(ticks, 120) << "game " << game << (fun ? " fun" : " classic");
            EXPECT_FALSE(s.game.GameRunning);
        }
    }
}

TEST(WarmupGame, TheKeypadEchoAfterRightAndWrongEntries) {
    ScriptedGame s{{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2}};
    s.game.FormShow();
    s.game.startclassClick();
    for (int i = 0; i < 6; ++i)
        s.game.FormKeyPress(digit(3));
    s.game.inputChange(QStringLiteral("333333")); // wrong
    EXPECT_EQ(s.game.face, WarmupGame::Face::Cry);
    EXPECT_EQ(s.game.pressedKey, 3) << "a wrong entry leaves the last key shown, not DEL";
    for (int i = 0; i < 6; ++i)
        s.game.FormKeyPress(digit(2));
    s.game.inputChange(QStringLiteral("222222")); // right
    EXPECT_EQ(s.game.face, WarmupGame::Face::Laugh);
    EXPECT_EQ(s.game.pressedKey, WarmupGame::kKeyDel);
}

TEST(WarmupGame, ScoresOfAThousandShowAllDigits) {
    EXPECT_EQ(WarmupGame::displayDigits(7), QStringLiteral("007"));
    EXPECT_EQ(WarmupGame::displayDigits(999), QStringLiteral("999"));
    EXPECT_EQ(WarmupGame::displayDigits(1000), QStringLiteral("1000"));
    EXPECT_EQ(WarmupGame::displayDigits(12345), QStringLiteral("12345"));
}

} // namespace
