#include "history/history_instance.h"

#include "classresults/class_membership.h"
#include "coaching/corner_table.h"
#include "history/history_store.h"
#include "history/results_outbox.h"
#include "history/training_recorder.h"
#include "history/waiting_records.h"
#include "platform/error_report.h"
#include "platform/program_folder.h"
#include "platform/score_files.h"
#include "platform/user_error.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimer>

#include <memory>

Q_LOGGING_CATEGORY(lcHistory, "tarvo.history")

namespace {
std::unique_ptr<HistoryStore> store;
TrainingRecorder recorder(nullptr, [] { return QDateTime::currentDateTime(); });
QString problem;
bool tried = false;
WaitingRecords waiting;
std::unique_ptr<ResultsOutbox> outbox;

// The learner's class; none when the learner has not joined one (or its file
// cannot be read: the line in "学习记录" says why).
bool joinedClass() {
    try {
        return classmembership::read(classmembership::learnersPath()).has_value();
    } catch (const UserError&) {
        return false;
    }
}

// The sender of the class's results, made once the learner has joined a
// class: a learner who never joins starts no thread for it.
ResultsOutbox* classOutbox() {
    if (!outbox && joinedClass())
        outbox = std::make_unique<ResultsOutbox>(
            [] { return store.get(); },
            [] { return classmembership::read(classmembership::learnersPath()); });
    return outbox.get();
}

void tell(const QString& message) {
    if (message.isEmpty())
        return;
    qCWarning(lcHistory) << message;
    errors::report(QApplication::activeWindow(), message);
}

// Writes the waiting records and then `write`; a history that could not be
// opened before is tried again. A failure keeps them waiting and is told once.
void writeHistory(WaitingRecords::Write write) {
    if (!store)
        tried = false;
    HistoryStore* h = learningHistory();
    // Results are queued for the class only once the learner has joined one.
    if (h)
        h->setQueueingResults(joinedClass());
    tell(waiting.write(h, std::move(write), problem));
    // A damaged file found by the check in the background was set aside
    // before the write.
    if (store)
        tell(store->takeNotice());
    if (ResultsOutbox* o = classOutbox())
        o->sendWaiting();
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
        // Checked in the background: the start screen's plan line does not
        // wait for a check of the whole file.
        auto opened = std::make_unique<HistoryStore>(path, HistoryStore::Check::InBackground);
        opened->setCornerTable(historyCornerTable());
        store = std::move(opened);
        problem.clear();
        // The check starts once the start screen and its plan line are done.
        QTimer::singleShot(1500, qApp, [] {
            if (store)
                store->startCheck();
            // Results made while the class could not be reached go now.
            if (ResultsOutbox* o = classOutbox())
                o->sendWaiting();
        });
        tell(store->takeNotice());
    } catch (const UserError& e) {
        problem = e.message();
        qCWarning(lcHistory) << problem;
    }
    return store.get();
}

QString historyProblem() {
    return problem;
}

std::shared_ptr<const coaching::CornerTable> historyCornerTable(QString* problemOut) {
    // Read again when its file changed: the history's corner counts follow it.
    return coaching::CornerTable::shared(
        programFolder() + QLatin1String(coaching::kCornerTableFile), problemOut);
}

void sendClassResultsNow() {
    if (ResultsOutbox* o = classOutbox())
        o->sendNow();
}

QString classResultsLine() {
    if (ResultsOutbox* o = classOutbox())
        return o->stateLine();
    try {
        classmembership::read(classmembership::learnersPath()); // a damaged file is named
    } catch (const UserError& e) {
        return e.message();
    }
    return ResultsOutbox::notJoinedLine();
}

void closeLearningHistory() {
    // A last try for the records still waiting; they belong to this history.
    if (store)
        waiting.write(store.get());
    outbox.reset(); // a posting under way is given up: its result stays waiting
    waiting = WaitingRecords();
    recorder.setStore(nullptr);
    recorder.drop(); // a run under way is dropped with its store
    store.reset();
    tried = false;
    problem.clear();
}

void writeWaitingHistory() {
    if (waiting.count() > 0) {
        writeHistory({});
    } else if (!store) {
        tried = false; // a history that could not be opened is tried again
        learningHistory();
    }
    sendClassResultsNow(); // and the results waiting for the class
}

QString historyLostOnClosing() {
    if (waiting.count() == 0)
        return {};
    if (!store)
        tried = false;
    waiting.write(learningHistory(), {}, problem); // the question below tells
    if (waiting.count() == 0)
        return {};
    return QStringLiteral("%1。\n\n还有 %2 条学习记录没有写入。现在退出，这些记录就会丢失；"
                          "不退出，下次练习结束或打开“学习记录”时会再写入。\n\n仍要退出吗？")
        .arg(waiting.problem())
        .arg(waiting.count());
}

void recordArticleTest(ArticleTestRecord test) {
    writeHistory([test, day = QDate::currentDate()](HistoryStore& h) mutable {
        h.addArticleTest(test, [day] { return day; });
    });
}

void recordWarmup(const WarmupRecord& warmup) {
    writeHistory([warmup](HistoryStore& h) { h.addWarmup(warmup); });
}

void setTrainingClock(std::function<QDateTime()> now) {
    recorder.setNow(now ? std::move(now) : [] { return QDateTime::currentDateTime(); });
}

TrainingRecorder& trainingRecorder() {
    recorder.setStore(learningHistory());
    return recorder;
}

void endTrainingRun(int speed, bool finished) {
    std::optional<TrainingRunRecord> run = recorder.finishRun(speed, finished);
    if (!run)
        return;
    // A run recorded while the history could not be opened waits for it, and
    // is kept then only if the learner's switch is on.
    const bool switchRead = recorder.switchRead();
    writeHistory([run = std::move(*run), switchRead](HistoryStore& h) mutable {
        if (switchRead || h.enabled())
            h.addTrainingRun(run, [day = run.ended.date()] { return day; });
    });
}
