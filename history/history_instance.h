#pragma once

#include "history/history_records.h"

#include <QDateTime>
#include <QString>

#include <functional>

#include <memory>

namespace coaching {
class CornerTable;
}
class HistoryStore;
class TrainingRecorder;

// The program's one learning history, "history.sqlite": in the learner's data
// folder when installed, in the program folder's "files" when run from the
// build folder (like the score files).
QString historyDatabasePath();

// Opens the history on first use. Null when it cannot be opened; the reason
// is then in historyProblem() (the window "学习记录" shows it) and in the log.
HistoryStore* learningHistory();
QString historyProblem();
// The corner table of the program folder, read once and shared: the history
// keeps its corner counts by it, the drill chooses its characters from it.
// `problem` (when given) says why it is empty or lacks lines.
std::shared_ptr<const coaching::CornerTable> historyCornerTable(QString* problem = nullptr);
// Sends the results waiting for the class now, without waiting for the next
// try (the window "学习记录" opens, the learner has just joined).
void sendClassResultsNow();
// The line of "学习记录" on the learner's class and the results sent to it.
QString classResultsLine();
// Closes it (the next use opens it again, e.g. on another program folder).
void closeLearningHistory();

// What the windows hand over when a test or game ends. A history that fails
// must not stop the test or the game: the record waits in memory and is
// written at the next chance (the next record, the window "学习记录"), the
// learner is told once, and the program goes on.
void recordArticleTest(ArticleTestRecord test);
void recordWarmup(const WarmupRecord& warmup);
// Writes the records still waiting, if any, and tries again a history that
// could not be opened (the window "学习记录" opens).
void writeWaitingHistory();
// Before the program closes: one more try for the records still waiting;
// when some still cannot be written, the question for the learner (they
// are lost if the program closes now), else "".
QString historyLostOnClosing();

// The recorder of the training window's runs, on the program's history (no
// history: it records nothing). Its calls during a run only add to memory.
TrainingRecorder& trainingRecorder();
// The time the training's runs are recorded at (tests set their own days;
// none: the clock).
void setTrainingClock(std::function<QDateTime()> now);
// Ends the run under way and writes it; a failure is kept like the others.
void endTrainingRun(int speed, bool finished);
