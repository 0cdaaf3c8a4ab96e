#include "app/history_loader.h"

#include "history/history_service.h"
#include "history/history_service_impl.h"

namespace {

HistoryService*& loaded() {
    static HistoryService* service = nullptr;
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
        if (HistoryService* h = loadedHistory())
            h->showWindow();
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
        loaded() = &historyService();
        loaded()->open();
    }
    return loaded();
}

HistoryService* historyIfLoaded() {
    return loaded();
}

void closeHistory() {
    if (HistoryService* h = loaded())
        h->close();
    loaded() = nullptr;
}
