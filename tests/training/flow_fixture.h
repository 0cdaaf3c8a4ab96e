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

    QTemporaryDir dir;
    FakeTrainingHost host;
    training::TrainingFlow flow{host};
    ScriptedDraw* draw = nullptr;
};
