#pragma once

#include "tests/training/fake_training_host.h"
#include "training/training_flow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

// The practice flow over a temporary program folder (its "hzlib" and
// "exercise/bixing" made), a recording window and a scripted random draw.
// The working folder is never changed: the flow opens full paths.
class FlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("hzlib");
        QDir(dir.path()).mkpath("exercise/bixing");
        flow.setProgramFolder(dir.path());
        host.folder = dir.path();
        host.flow = &flow;
        auto d = std::make_unique<ScriptedDraw>();
        draw = d.get();
        flow.setRandomDraw(std::move(d));
    }

    // The full path of a data path ("hzlib/z1.txt") in the program folder.
    QString at(const QString& relative) const { return dir.filePath(relative); }
    void write(const QString& relative, const std::string& bytes) const {
        QFile f(at(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << relative.toStdString();
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    // The run's state, and the buttons and clocks the window shows in it:
    // an idle window (Start "开始" and the settings on, no pause, the gauge
    // and speed clock stopped), a run under way (only pause on, both clocks
    // running), time-up (Start "继续", no pause, the gauge stopped, full).
    ::testing::AssertionResult shows(training::RunState state) const {
        using training::RunState;
        if (flow.runState() != state)
            return ::testing::AssertionFailure()
                   << "run state " << static_cast<int>(flow.runState()) << ", not "
                   << static_cast<int>(state);
        const training::Buttons& b = flow.buttons;
        const training::Clocks& c = flow.clocks;
        bool drawn = true;
        switch (state) {
        case RunState::Idle:
            drawn = b.startEnabled && b.startCaption == QStringLiteral("开始") && !b.pauseEnabled &&
                    b.settingsEnabled && !c.gauge && !c.speed;
            break;
        case RunState::Running:
            drawn = !b.startEnabled && b.pauseEnabled && !b.settingsEnabled && c.gauge && c.speed;
            break;
        case RunState::TimeUp:
            drawn = b.startEnabled && b.startCaption == QStringLiteral("继续") && !b.pauseEnabled &&
                    !c.gauge && flow.gauges.second >= 100;
            break;
        default:
            break;
        }
        if (!drawn)
            return ::testing::AssertionFailure()
                   << "the buttons or clocks do not match run state " << static_cast<int>(state);
        return ::testing::AssertionSuccess();
    }

    QTemporaryDir dir;
    FakeTrainingHost host;
    training::TrainingFlow flow{host};
    ScriptedDraw* draw = nullptr;
};
