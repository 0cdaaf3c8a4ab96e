#pragma once

#include "platform/sound_player.h"

#include <QByteArray>

#include <functional>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

// The media player on SDL2_mixer: a wave file plays as a sound chunk, a MIDI
// file as music through the General MIDI soundfont TimGM6mb. One sound at a
// time: opening a sound ends the one playing. Nothing waits for a sound to
// end.
//
// File names are found without regard to letter case ("sound/jiayou.wav" is
// "sound/Jiayou.wav"), relative names against the working folder.
//
// A missing or unreadable file or an audio output that cannot be opened
// never stops the caller: the player stays silent, canPlay() answers false, and when such a
// sound is played `unavailable` is told, once per run, with a Chinese message
// naming the file or the device.
class SdlSoundPlayer : public SoundPlayer {
public:
    explicit SdlSoundPlayer(std::function<void(const QString&)> unavailable = {});
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void setFileName(const QString& path) override { fileName_ = path; }
    void open() override;
    void play() override;
    void close() override;
    bool canPlay() const override;

    // Whether something is still sounding.
    bool isPlaying() const;
    // The file actually opened (its letter case as on disk); empty when none.
    QString openedFile() const { return openedFile_; }

    // The path of `name` with each part matched without regard to letter
    // case; `name` itself when nothing matches.
    static QString findIgnoringCase(const QString& name);

private:
    bool ensureDevice();
    void report(const QString& message);

    std::function<void(const QString&)> unavailable_;
    bool deviceTried_ = false;
    bool deviceOpen_ = false;
    bool reported_ = false;
    QString problem_;       // why the sound last opened cannot play
    QString deviceProblem_; // why there is no sound output at all
    Mix_Chunk* chunk_ = nullptr;
    Mix_Music* music_ = nullptr;
    QString openedFile_;
    QByteArray bytes_; // the file of the open sound
};
