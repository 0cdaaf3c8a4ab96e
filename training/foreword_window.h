#pragma once

#include "platform/sound_player.h"

#include <QDialog>

#include <memory>

// A window never shown: it carries the media player that the training window
// plays its sounds through.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    SoundPlayer& MediaPlayer1() { return *player_; }

private:
    std::unique_ptr<SoundPlayer> player_;
};

extern TForm2* Form2;
