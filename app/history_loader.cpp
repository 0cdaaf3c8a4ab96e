#include "app/history_loader.h"

#include "history/history_service.h"
#include "platform/error_report.h"
#include "platform/module_file.h"
#include "training/training_window.h"

#include <QApplication>
#include <QTimer>

namespace {

HistoryService*& loaded() {
    static HistoryService* service = nullptr;
    return service;
}

HistoryService*& linked() {
    static HistoryService* service = nullptr;
    return service;
}

QString& moduleMessage() {
    static QString message;
    return message;
}

// Loads the module once; a module that cannot be loaded is reported once, by
// its path and the reason, and the program goes on without a history.
HistoryService* loadModule() {
    static HistoryService* service = nullptr;
    static bool tried = false;
    if (tried)
        return service;
    tried = true;
    const QString path = moduleFile(QStringLiteral("tarvo-history.so"));
    QString problem;
    using Entry = HistoryService* (*)();
    auto entry = reinterpret_cast<Entry>(loadModuleEntry(path, kHistoryServiceEntry, problem));
    if (entry)
        service = entry();
    if (!service) {
        moduleMessage() =
            QStringLiteral("学习记录无法打开：模块 %1 不能载入（%2）。练习照常进行，"
                           "只是不记入学习记录。")
                .arg(path, problem.isEmpty() ? QStringLiteral("没有给出学习记录") : problem);
        errors::report(nullptr, moduleMessage());
    }
    return service;
}

// The links the subsystems hold: each loads the history at its first call.
class TrainingLink : public training::HistoryLink {
public:
    training::RunObserver& runs() override {
        if (HistoryService* h = loadedHistory())
            return h->trainingLink().runs();
        return none_;
    }
    std::optional<training::ReviewDraw>
    drawReview(bool words, int count,
               const std::vector<std::pair<QString, QString>>& frequent) override {
        if (HistoryService* h = loadedHistory())
            return h->trainingLink().drawReview(words, count, frequent);
        return std::nullopt;
    }
    void showWindow() override {
        // The button says each time why there is no window.
        if (HistoryService* h = loadedHistory())
            h->showWindow();
        else if (!moduleMessage().isEmpty())
            errors::report(QApplication::activeWindow(), moduleMessage());
    }
    std::pair<int, int> dueCounts() override {
        if (HistoryService* h = loadedHistory())
            return h->trainingLink().dueCounts();
        return {0, 0};
    }
    std::optional<training::ReviewDraw>
    drawDrill(const std::optional<training::DrillTarget>& target, int count,
              const QStringList& byFrequency) override {
        if (HistoryService* h = loadedHistory())
            return h->trainingLink().drawDrill(target, count, byFrequency);
        return std::nullopt;
    }

private:
    training::RunObserver none_;
};

class ArticleTestLink : public articletest::HistoryLink {
public:
    void testEnded(const QString& article, const QString& clock, int typed,
                   const QStringList& errorLines, const std::vector<std::string>& typedCodes,
                   const std::function<QStringList(const QString&)>& codesOf) override {
        if (HistoryService* h = loadedHistory())
            h->articleTestLink().testEnded(article, clock, typed, errorLines, typedCodes, codesOf);
    }
};

class WarmupLink : public warmup::HistoryLink {
public:
    void gameEnded(bool funMode, int seconds, int score) override {
        if (HistoryService* h = loadedHistory())
            h->warmupLink().gameEnded(funMode, seconds, score);
    }
};

// A weak corner clicked in "学习记录": the training's drill of it, in the
// training window that is open under the history, or opened as the start
// screen opens it (its windows are made before any of its entries opens).
void openDrill(const training::DrillTarget& target) {
    if (!Form1)
        return;
    Form1->requestDrill(target);
    if (!Form1->isVisible())
        QTimer::singleShot(0, [] {
            if (Form1 && !Form1->isVisible())
                Form1->exec();
        });
}

} // namespace

void linkHistory() {
    static TrainingLink trainingLink;
    static ArticleTestLink articleTestLink;
    static WarmupLink warmupLink;
    training::setHistoryLink(&trainingLink);
    articletest::setHistoryLink(&articleTestLink);
    warmup::setHistoryLink(&warmupLink);
}

HistoryService* loadedHistory() {
    if (!loaded()) {
        loaded() = linked() ? linked() : loadModule();
        // The window "学习记录" (its charts) is made when it is first asked
        // for, not when the plan line loads the history after the first paint.
        if (loaded())
            loaded()->setDrillOpener(openDrill);
    }
    return loaded();
}

void useLinkedHistory(HistoryService* history) {
    linked() = history;
}

HistoryService* historyIfLoaded() {
    return loaded();
}

void closeHistory() {
    if (HistoryService* h = loaded())
        h->close();
    loaded() = nullptr;
}
