#pragma once

#include <QString>

// The media player the training window plays its sounds through: one sound
// at a time, chosen by file name (wave or MIDI by extension), played without
// waiting; opening a new sound closes the one before.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void setFileName(const QString& path) = 0;
    QString fileName() const { return fileName_; }
    // Opens the current file; an open sound is closed first.
    virtual void open() = 0;
    // Starts playing the opened sound and returns at once.
    virtual void play() = 0;
    // Ends what plays and releases the sound.
    virtual void close() = 0;
    // Whether the opened sound can be played on this machine.
    virtual bool canPlay() const = 0;

protected:
    QString fileName_;
};

// A player that plays nothing and says so: what the program uses until the
// sound output is built.
class SilentSoundPlayer : public SoundPlayer {
public:
    void setFileName(const QString& path) override { fileName_ = path; }
    void open() override {}
    void play() override {}
    void close() override {}
    bool canPlay() const override { return false; }
};
