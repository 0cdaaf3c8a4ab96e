#pragma once

#include "articletest/history_link.h"
#include "course/course.h"
#include "training/history_link.h"
#include "warmup/history_link.h"

#include <QDate>
#include <QString>
#include <QUrl>

#include <optional>
#include <vector>

// What the start screen's plan and the course read from the history.
struct LearningSummary {
    // The runs of the course's steps that had answers, oldest first.
    std::vector<course::StepRun> courseRuns;
    // The article tests, step 0: typed as answered.
    std::vector<course::StepRun> articleTests;
    // The days practised (a run, a test or a game) of the streak that reaches
    // today or yesterday, each once, in order.
    std::vector<QDate> practiceDays;
    int dueCharacters = 0; // review items due today
    int dueWords = 0;
};

#include <functional>

class QWidget;

// The learning history as the program sees it: the links the training, the
// article test and the warm-up record through, its window "学习记录", and
// its closing. The program loads it after the start screen is on the screen
// (it brings Qt SQL and Qt Charts); this header is all it knows of it.
class HistoryService {
public:
    virtual ~HistoryService() = default;
    virtual training::HistoryLink& trainingLink() = 0;
    virtual articletest::HistoryLink& articleTestLink() = 0;
    virtual warmup::HistoryLink& warmupLink() = 0;
    // Makes the window "学习记录" if it is not made: at its first showing
    // (not when the history is loaded), and again after close().
    virtual void open() = 0;
    // Opens "学习记录" over the active window and returns when it closes.
    virtual void showWindow() = 0;
    // What a click on a weak corner of "学习记录" does, after the window
    // has closed: the program opens the training's drill of that corner.
    virtual void setDrillOpener(std::function<void(const training::DrillTarget&)> open) = 0;
    // Before the program closes: one more try for the records still waiting;
    // when some still cannot be written, the question for the learner, else "".
    virtual QString lostOnClosing() = 0;
    // Closes the history and deletes its window (the next use opens both again).
    virtual void close() = 0;
    // The course's runs, the days of practice and what is due on `today`;
    // nothing when the history cannot be opened.
    virtual std::optional<LearningSummary> summary(QDate today) = 0;
    // "在线竞技": the learner's class page when the learner has joined a
    // class, else the join dialog over `parent`, its address filled with
    // `resultsPage`'s server; the dialog can also open `resultsPage` itself.
    virtual void openClass(QWidget* parent, const std::optional<QUrl>& resultsPage) = 0;
};

// The name of the entry point of the loaded history: a function without
// arguments that returns the program's one HistoryService.
inline constexpr const char* kHistoryServiceEntry = "tarvo_history_service";
