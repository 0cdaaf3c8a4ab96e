#include "history_instance.h"

#include "history_store.h"
#include "program_folder.h"
#include "score_files.h"
#include "training_recorder.h"
#include "user_error.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <memory>

Q_LOGGING_CATEGORY(lcHistory, "tarvo.history")

namespace {
std::unique_ptr<HistoryStore> store;
TrainingRecorder recorder(nullptr, [] { return QDateTime::currentDateTime(); });
QString problem;
bool tried = false;

void remember(const UserError& e) {
    problem = e.message();
    qCWarning(lcHistory) << problem;
}
} // namespace

QString historyDatabasePath() {
    const QString folder =
        runsInstalled() ? learnerDataFolder() : programFolder() + QStringLiteral("files/");
    return folder + QStringLiteral("history.sqlite");
}

HistoryStore* learningHistory() {
    if (store || tried)
        return store.get();
    tried = true;
    const QString path = historyDatabasePath();
    try {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw UserError(
                QStringLiteral("无法建立学习记录的文件夹 %1").arg(QFileInfo(path).absolutePath()));
        store = std::make_unique<HistoryStore>(path);
        problem.clear();
    } catch (const UserError& e) {
        remember(e);
    }
    return store.get();
}

QString historyProblem() {
    return problem;
}

void closeLearningHistory() {
    recorder.setStore(nullptr);
    recorder.startRun(0, 0); // a run under way is dropped with its store
    store.reset();
    tried = false;
    problem.clear();
}

void recordArticleTest(ArticleTestRecord test) {
    HistoryStore* h = learningHistory();
    if (!h)
        return;
    try {
        h->addArticleTest(test, [] { return QDate::currentDate(); });
    } catch (const UserError& e) {
        remember(e);
    }
}

void recordWarmup(const WarmupRecord& warmup) {
    HistoryStore* h = learningHistory();
    if (!h)
        return;
    try {
        h->addWarmup(warmup);
    } catch (const UserError& e) {
        remember(e);
    }
}

TrainingRecorder& trainingRecorder() {
    recorder.setStore(learningHistory());
    return recorder;
}

void endTrainingRun(int speed, bool finished) {
    try {
        recorder.endRun(speed, finished);
    } catch (const UserError& e) {
        remember(e);
    }
}
