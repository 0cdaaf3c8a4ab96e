#include "warmup/warmup_game.h"

WarmupGame::WarmupGame(std::function<int(int)> random) : random_(std::move(random)) {}

QString WarmupGame::displayDigits(int value) {
    if (value < 0)
        value = 0;
    // Three digits; a value of 1000 or more shows all of its digits.
    return QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
}

int WarmupGame::targetIndexOf(WarmupKeyPress k) {
    switch (k.key) {
    case WarmupKey::Digit:
        return k.digit;
    case WarmupKey::Slash:
        return 10;
    case WarmupKey::Star:
        return 11;
    case WarmupKey::Minus:
        return 12;
    case WarmupKey::Plus:
        return 13;
    case WarmupKey::Enter:
        return 14;
    case WarmupKey::Dot:
        return 15;
    default:
        return -1;
    }
}

void WarmupGame::setFace(Face f) {
    face = f;
    ++faceChanges;
}

void WarmupGame::setInput(const QString& text) {
    if (input == text)
        return;
    input = text;
    inputChange(text); // the field reports every change, also the program's own
}

void WarmupGame::mydraw() {
    TargetKey = random_(16);
    markVisible = true;
}

void WarmupGame::classdraw() {
    TargetCode.clear();
    for (int i = 0; i < 6; ++i)
        TargetCode += QChar(u'0' + (GameRunning ? random_(10) : 0));
}

void WarmupGame::FormShow() {
    markVisible = false; // a game closed half-way is not shown again
    Score = 0;
    minutes = 1;
    GameSeconds = SecondsLeft = 60;
    GameRunning = ClockStarted = false;
    timerRunning = false;
    setInput(prompt());
    pressedKey = kKeyDel;
    inputReadOnly = true;
    classdraw();
    setFace(Face::Start);
}

void WarmupGame::chooseLength(int m) {
    minutes = m;
    GameSeconds = SecondsLeft = m * 60;
    Score = 0;
    timerRunning = false;
    GameRunning = ClockStarted = false;
    setInput(prompt());
    pressedKey = kKeyDel;
    inputReadOnly = true;
    classdraw();
    setFace(Face::Start);
}

void WarmupGame::chooseClassic() {
    mode = Mode::Classic;
    Score = 0;
    GameRunning = ClockStarted = false;
    classdraw();
    SecondsLeft = GameSeconds;
    timerRunning = false;
    pressedKey = kKeyDel;
    setInput(QString());
    inputReadOnly = true;
}

void WarmupGame::chooseFun() {
    mode = Mode::Fun;
    Score = 0;
    GameRunning = ClockStarted = false;
    SecondsLeft = GameSeconds;
    timerRunning = false;
}

void WarmupGame::startClick() {
    mydraw();
    Score = 0;
    GameRunning = true;
    ClockStarted = false;
    SecondsLeft = GameSeconds;
    timerRunning = false;
}

void WarmupGame::startclassClick() {
    pressedKey = kKeyDel;
    GameRunning = true;
    ClockStarted = false;
    timerRunning = false;
    SecondsLeft = GameSeconds;
    Score = 0;
    classdraw();
    inputReadOnly = false;
    setInput(QString()); // a change while the game runs: the countdown starts
    focusInput = true;
}

bool WarmupGame::FormKeyPress(WarmupKeyPress k) {
    if (!GameRunning)
        return false;
    if (!ClockStarted) {
        ClockStarted = true;
        timerRunning = true;
    }
    if (mode == Mode::Fun) {
        if (targetIndexOf(k) == TargetKey) {
            ++Score;
            mydraw();
        }
        return false;
    }
    pressedKey = k.key == WarmupKey::Digit ? k.digit : kKeyDel;
    return true;
}

void WarmupGame::inputChange(const QString& text) {
    input = text;
    if (GameRunning)
        timerRunning = true;
    if (text.size() != 6)
        return;
    if (text == TargetCode) {
        setFace(Face::Laugh);
        ++Score;
    } else {
        setFace(Face::Cry);
    }
    classdraw();
    input.clear();
    inputChange(input);
    focusInput = true;
    if (face == Face::Laugh)
        pressedKey = kKeyDel;
}

void WarmupGame::eraseLast() {
    if (!input.isEmpty() && !inputReadOnly)
        setInput(input.left(input.size() - 1));
}

bool WarmupGame::Timer1Timer() {
    if (SecondsLeft > 0) {
        --SecondsLeft;
        return false;
    }
    timerRunning = false;
    GameRunning = false;
    ClockStarted = false;
    markVisible = false;
    inputReadOnly = true;
    return true;
}
