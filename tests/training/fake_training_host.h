#pragma once

#include "training/training_flow.h"

#include <QStringList>

#include <vector>

// Records what the flow asks of its window; modal windows return at once.
// Files in the program folder `folder` are noted as "~/<path in it>", so a
// path the flow left relative shows as it is.
class FakeTrainingHost : public training::TrainingHost {
public:
    QString folder;
    QString noted(const QString& path) const {
        const QString prefix = folder + u'/';
        return !folder.isEmpty() && path.startsWith(prefix)
                   ? QStringLiteral("~/") + path.mid(prefix.size())
                   : path;
    }
    bool sound = false;
    bool canPlay = true;
    bool quitAnswer = false;
    std::vector<training::Cue> cues;
    QStringList calls;
    // The clocks' flags while the pause window was open.
    bool timersDuringPause = true;
    training::TrainingFlow* flow = nullptr;

    bool soundOptionTicked() const override { return sound; }
    void playCue(training::Cue cue) override { cues.push_back(cue); }
    bool soundCanPlay() override { return canPlay; }
    void disableSoundOption() override {
        sound = false;
        calls << "soundDisabled";
    }
    void showPanel(const QString& file) override { calls << "panel " + noted(file); }
    void closePanel() override { calls << "closePanel"; }
    void showPause() override {
        calls << "pause";
        if (flow)
            timersDuringPause = flow->clocks.gauge || flow->clocks.speed || flow->clocks.face;
    }
    void closePause() override {}
    void closeMediaPlayer() override { calls << "closeMedia"; }
    void showHelp(const QString& file) override { calls << "help " + noted(file); }
    void showSettings() override { calls << "settings"; }
    void showRecordHolders() override { calls << "records"; }
    void showHistory() override { calls << "history"; }
    bool autoHint = true;
    bool autoHintTicked() const override { return autoHint; }
    // The code diagram: its closing by its own button.
    bool diagramClosedByButton = true;
    bool clocksDuringDiagram = true;
    bool showDiagram(const QString& picture) override {
        calls << "diagram " + noted(picture);
        if (flow)
            clocksDuringDiagram = flow->clocks.gauge || flow->clocks.speed;
        return diagramClosedByButton;
    }
    // The record file: whether a score is a record, and the names asked.
    bool isRecord = false;
    QStringList judged;
    bool judgeRecord(training::ExerciseKind kind, const QString& score) override {
        judged << QStringLiteral("%1:%2").arg(training::numberOf(kind)).arg(score);
        return isRecord;
    }
    void enterRecordName(training::ExerciseKind kind, const QString& score) override {
        calls << QStringLiteral("name %1 %2").arg(training::numberOf(kind)).arg(score);
    }
    bool askQuit() override {
        calls << "askQuit";
        return quitAnswer;
    }
    void closeWindow() override { calls << "close"; }
    void waitBeforeClocks() override {
        calls << "wait";
        if (flow)
            clocksDuringWait = flow->clocks.gauge || flow->clocks.speed;
    }
    bool clocksDuringWait = true;
};

// Draws a scripted sequence (then 0), noting each range asked for.
class ScriptedDraw : public training::RandomDraw {
public:
    std::vector<int> script;
    std::vector<int> ranges;
    int seeds = 0;
    bool last = false; // always draw n − 1
    void seedFromClock() override { ++seeds; }
    int below(int n) override {
        ranges.push_back(n);
        if (last)
            return n - 1;
        if (next_ < script.size())
            return script[next_++] % n;
        return 0;
    }

private:
    size_t next_ = 0;
};
