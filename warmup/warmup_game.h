#pragma once

#include "platform/pad_key.h"

#include <QString>

#include <functional>

// The keys of the warm-up game: the sixteen keys of the numeric keypad.
using WarmupKey = PadKey;
using WarmupKeyPress = PadKeyPress;

// The warm-up game of the numeric keypad, in its two modes:
// - classic: six random digits are shown and typed into the entry field; each
//   correct entry scores a point;
// - fun: a mark sits at one of the sixteen keypad holes; the matching key
//   scores a point and moves it.
// The countdown starts with the first key of a game and ends it one tick
// after showing zero. The window draws the fields after every event.
class WarmupGame {
public:
    enum class Mode { Classic, Fun };
    enum class Face { Start, Laugh, Cry };
    static constexpr int kKeyDel = 10; // the on-screen key "DEL"

    // `random(n)` gives a uniform integer 0 … n − 1.
    explicit WarmupGame(std::function<int(int)> random);

    // Resets: showing the window, choosing a length (1-5 minutes), a mode.
    void FormShow();
    void chooseLength(int minutes);
    void chooseClassic();
    void chooseFun();
    // The smiley buttons.
    void startClick();
    void startclassClick();
    // A key press in the window. Returns whether the key goes on to the
    // classic entry field (its text is then the window's to change).
    bool FormKeyPress(WarmupKeyPress key);
    // The classic entry field's text changed (by the learner or the program).
    void inputChange(const QString& text);
    // The "." key in the entry field: erases its last character.
    void eraseLast();
    // A tick of the countdown. Returns true when the game ended with it.
    bool Timer1Timer();
    // The window became active again: the countdown stops.
    void FormActivate() { timerRunning = false; }

    // The fun-mode index of a key (0-15), or -1.
    static int targetIndexOf(WarmupKeyPress key);
    // The three (or more, from 1000 on) digits a display shows for a value.
    static QString displayDigits(int value);

    Mode mode = Mode::Classic;
    int minutes = 1;
    bool GameRunning = false;
    bool ClockStarted = false;
    int Score = 0;
    int GameSeconds = 60;
    int SecondsLeft = 60;
    int TargetKey = 0;
    QString TargetCode = QStringLiteral("000000");
    bool markVisible = false;
    bool timerRunning = false;

    // The classic entry field and its surroundings.
    QString input;
    bool inputReadOnly = true;
    bool focusInput = false;
    int pressedKey = kKeyDel; // 0-9, or kKeyDel
    Face face = Face::Start;
    // Set whenever the face changes, so the window reads its picture anew.
    int faceChanges = 0;

    static QString prompt() { return QStringLiteral("点击“笑脸”开始热身"); }

private:
    void mydraw();
    void classdraw();
    void setFace(Face f);
    void setInput(const QString& text);

    std::function<int(int)> random_;
};
