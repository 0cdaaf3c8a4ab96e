#pragma once

#include "platform/key_hold.h"
#include "warmup/warmup_game.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPixmap>

#include <array>
#include <memory>

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

// A row of digit pictures (green on black): the score, the clock, the target.
class DigitDisplay : public QWidget {
public:
    DigitDisplay(int digits, QWidget* parent);
    void setDigits(const QString& digits);
    QString digits() const { return digits_; }
    void setStrip(const QPixmap& strip) {
        strip_ = strip;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString digits_;
    QPixmap strip_;
};

// The keypad warm-up game, in its classic and fun modes.
class TFHot : public QDialog {
    Q_OBJECT
public:
    explicit TFHot(QWidget* parent = nullptr);

    WarmupGame& game() { return game_; }

    QWidget *Pclass, *Pintere, *Panel3, *Panel1;
    QToolButton *start, *startclass;
    DigitDisplay *s, *t, *sc, *Tc, *I; // fun score and clock, classic score and clock, target
    QLabel* mark;
    QLineEdit* input;
    std::array<QToolButton*, 11> k{}; // k0 … k9, and kk ("DEL") at index 10
    QAction *NStart, *Nclass, *Nintere, *N2, *N6, *N8;
    std::array<QAction*, 6> N1x{}; // N11 … N15 at 1 … 5
    QTimer* Timer1;

    // The mark's top-left corner in the play field for each target.
    static const std::array<QPoint, 16> kMarkPositions;

    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FormKeyPress(QKeyEvent* event);
    // Starts the game of the mode shown, as its smiley does.
    void startByKey();
    // Enter or Space when no game runs: starts one. True when taken.
    bool startKey(int key);
    void handOver();
    void showRanking();
    void loadPictures();
    void refresh();
    // Runs an event on the game and draws the result; errors are reported.
    template <typename Action> void play(Action action);

    WarmupGame game_;
    int shownFace_ = -1;
    bool syncing_ = false;      // the program sets the entry field's text
    bool forwarding_ = false;   // a key handled here goes on to the entry field
    QElapsedTimer lastGameKey_; // since the last key of a game
    QPixmap strip_;
    // Keys still coming from the game when the ranking dialog opened are
    // held back until the keypad is quiet.
    std::unique_ptr<KeyHold> rankingHold_;
};

extern TFHot* FHot;
