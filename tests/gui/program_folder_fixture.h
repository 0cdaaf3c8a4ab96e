#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

// A temporary program folder with all windows created on it, and the
// learner's side of the message boxes and the desktop recorded.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& relative) const { return folder_.path() + u'/' + relative; }
    // Writes a real JPEG of one colour.
    void writeJpeg(const QString& relative, const QColor& colour, int w = 297, int h = 424) const;
    void writeFile(const QString& relative, const QByteArray& bytes) const;

    QTemporaryDir folder_;
    std::vector<QUrl> opened; // what the desktop was asked to open
    bool desktopOpens = true; // whether the desktop has a program for it (a browser)
    QStringList questions;    // questions asked, in order
    bool answerYes = false;   // the answer to every question
    QStringList errorsShown;  // messages of the error handler
    std::optional<QString> typedName = QStringLiteral("小明"); // typed into input boxes
    QStringList notices;                                       // texts of notices

private:
    // A test whose window never closes fails after this time, its windows
    // closed, instead of waiting for CTest's time-out.
    static constexpr int kLongestTestMs = 30000;
    QTimer* watchdog_ = nullptr;
    QByteArray oldConfig_;
};

// The same with the start screen shown, as the learner first sees it; it is
// closed at the end (any question then answered yes).
class StartScreenShownTest : public ProgramFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;
};
