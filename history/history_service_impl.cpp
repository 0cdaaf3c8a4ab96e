#include "history/history_service_impl.h"

#include "articletest/article_test_report.h"
#include "classresults/join_dialog.h"
#include "coaching/code_explanation.h"
#include "coaching/weak_drill.h"
#include "dictionary/character_codes.h"
#include "history/history_instance.h"
#include "history/history_store.h"
#include "history/history_window.h"
#include "history/review_source.h"
#include "history/training_recorder.h"
#include "platform/desktop_open.h"
#include "platform/error_report.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/user_error.h"

#include <QApplication>
#include <QDate>
#include <QDateTime>

#include <random>
#include <set>

namespace {

// An article test ended: its record, with each error's right code and the
// code typed for it.
void recordTest(const QString& article, const QString& clock, int typed,
                const QStringList& errorLines, const std::vector<std::string>& typedCodes,
                const std::function<QStringList(const QString&)>& codesOf) {
    const auto fullCode = dictionary::fullCodeAmong;
    ArticleTestRecord t;
    t.article = article;
    t.ended = QDateTime::currentDateTime();
    const TestReport report =
        TestReport::compute(clock, typed, static_cast<int>(errorLines.size()));
    const qsizetype colon = clock.indexOf(u':');
    if (colon >= 0)
        t.seconds =
            clock.left(colon).trimmed().toInt() * 60 + clock.mid(colon + 1).trimmed().toInt();
    t.typed = typed;
    t.wrong = static_cast<int>(errorLines.size());
    t.speed = report.speed;
    // The report's rule: whole percent, cut off (97.9 % is 97 %).
    t.accuracy = typed > 0 ? (typed - t.wrong) * 100 / typed : 0;
    for (qsizetype i = 0; i < errorLines.size(); ++i) {
        const QString& line = errorLines[i];
        const qsizetype open = line.indexOf(u'(');
        if (open < 0 || !line.endsWith(u')'))
            continue;
        TestErrorRecord e;
        e.expected = line.left(open);
        e.entered = line.mid(open + 1, line.size() - open - 2);
        const QStringList codes = codesOf(e.expected);
        e.code = fullCode(codes);
        const size_t at = static_cast<size_t>(i);
        e.typedCode = at < typedCodes.size() && !typedCodes[at].empty()
                          ? QString::fromLatin1(typedCodes[at])
                          : fullCode(codesOf(e.entered));
        e.wrongCandidate = !e.typedCode.isEmpty() && codes.contains(e.typedCode);
        t.errors.push_back(std::move(e));
    }
    recordArticleTest(std::move(t));
}

// The runs of the training window go to the recorder. Each call only adds
// to memory; a run is written when it ends.
class RunsToHistory : public training::RunObserver {
public:
    void runStarted(int kind, int level) override { trainingRecorder().startRun(kind, level); }
    void runIsCourseStep(int step) override { trainingRecorder().markCourseStep(step); }
    void itemShown(const QString& text, const QString& code) override {
        trainingRecorder().itemShown(text, code);
    }
    void answerTyped(const QString& code) override { trainingRecorder().answerTyped(code); }
    void lookedUp() override { trainingRecorder().lookedUp(); }
    void itemDone(bool right) override { trainingRecorder().itemDone(right); }
    void runEnded(int speed, bool finished) override { endTrainingRun(speed, finished); }
};

class ProgramHistory : public HistoryService,
                       private training::HistoryLink,
                       private articletest::HistoryLink,
                       private warmup::HistoryLink {
public:
    training::HistoryLink& trainingLink() override { return *this; }
    articletest::HistoryLink& articleTestLink() override { return *this; }
    warmup::HistoryLink& warmupLink() override { return *this; }

    void open() override {
        if (!FormHistory)
            FormHistory = new TFormHistory;
        FormHistory->openDrill = drillOpener_;
    }
    void setDrillOpener(std::function<void(const training::DrillTarget&)> open) override {
        drillOpener_ = std::move(open);
        if (FormHistory)
            FormHistory->openDrill = drillOpener_;
    }
    void showWindow() override {
        open();
        FormHistory->exec();
    }
    std::pair<int, int> dueCounts() override {
        const HistoryStore* history = learningHistory();
        if (!history)
            return {0, 0};
        const QDate today = QDate::currentDate();
        return {history->dueCount(false, today), history->dueCount(true, today)};
    }
    QString lostOnClosing() override { return historyLostOnClosing(); }
    std::optional<LearningSummary> summary(QDate today) override {
        HistoryStore* history = learningHistory();
        if (!history)
            return std::nullopt;
        const int setAside = history->setAsideCount();
        try {
            return summaryOf(*history, today);
        } catch (const UserError& e) {
            // A damaged file met here is set aside and a fresh history
            // started: told, and the plan read from the fresh one.
            if (history->setAsideCount() == setAside)
                throw;
            errors::report(QApplication::activeWindow(), e.message());
            return summaryOf(*history, today);
        }
    }
    static LearningSummary summaryOf(const HistoryStore& h, QDate today) {
        const HistoryStore* history = &h;
        LearningSummary s;
        for (const TrainingRunRecord& r : history->courseRuns())
            s.courseRuns.push_back(
                {r.courseStep, r.ended.date(), r.answered, r.wrong, r.speed, r.finished, r.hints});
        for (const ArticleTestRecord& t : history->articleTestTotals())
            s.articleTests.push_back({0, t.ended.date(), t.typed, t.wrong, t.speed});
        s.practiceDays = history->streakDays(today);
        s.dueCharacters = history->dueCount(false, today);
        s.dueWords = history->dueCount(true, today);
        return s;
    }
    void close() override {
        closeLearningHistory();
        delete FormHistory;
        FormHistory = nullptr;
    }

    void openClass(QWidget* parent, const std::optional<QUrl>& resultsPage) override {
        const QString path = classmembership::learnersPath();
        std::optional<ClassMembership> m = classmembership::read(path);
        if (!m) {
            const QString address =
                resultsPage ? classmembership::serverOf(*resultsPage).toString() : QString();
            JoinDialog dialog(parent, path, address, resultsPage);
            if (dialog.exec() != QDialog::Accepted)
                return;
            if (dialog.pageAsked()) {
                desktop::open(*resultsPage);
                return;
            }
            m = dialog.membership();
        }
        const QUrl page = classmembership::classPage(*m, 4);
        if (!desktop::open(page))
            prompts::inform(
                parent, QStringLiteral("在线竞技"),
                QStringLiteral("这台电脑上没有找到网页浏览器。班级“%1”的成绩网页在：\n%2")
                    .arg(m->className, page.toString()));
    }

private:
    std::function<void(const training::DrillTarget&)> drillOpener_;

    // The training.
    training::RunObserver& runs() override { return runs_; }
    std::optional<training::ReviewDraw>
    drawReview(bool words, int count,
               const std::vector<std::pair<QString, QString>>& frequent) override {
        HistoryStore* history = learningHistory();
        if (!history)
            return std::nullopt;
        std::mt19937 random(std::random_device{}());
        const review_source::Draw d = review_source::draw(
            *history, words, count, frequent, [] { return QDate::currentDate(); }, random);
        training::ReviewDraw draw;
        for (const ReviewCard& c : d.items)
            draw.items.emplace_back(c.item, c.code);
        draw.message = d.message;
        draw.filled = d.filled;
        return draw;
    }

    std::optional<training::ReviewDraw> drawDrill(const std::optional<training::DrillTarget>& asked,
                                                  int count,
                                                  const QStringList& byFrequency) override {
        HistoryStore* history = learningHistory();
        if (!history)
            return std::nullopt;
        QString tableProblem;
        const std::shared_ptr<const coaching::CornerTable> table =
            historyCornerTable(&tableProblem);
        training::ReviewDraw draw;
        if (table->isEmpty()) {
            // Without the strokes of the corners no character can be chosen
            // for a corner: said, and the frequent characters taken instead.
            errors::report(QApplication::activeWindow(), tableProblem + QStringLiteral("。"));
            draw.message = {QStringLiteral("笔形表读不出来，"), QStringLiteral("先复习常用字。")};
            return draw;
        }
        history->setCornerTable(table);
        std::optional<training::DrillTarget> target = asked;
        if (!target) {
            // The strongest confusion, from the counts the history keeps.
            const std::optional<coaching::ConfusionReport> report = history->confusions();
            if (!report || report->digits.empty()) {
                draw.message = {QStringLiteral("还没有读错的角，"),
                                QStringLiteral("先复习常用字。")};
                return draw;
            }
            const coaching::DigitConfusion& strongest = report->digits.front();
            target = training::DrillTarget{strongest.corner, strongest.right,
                                           coaching::drillStroke(strongest)};
        }
        const coaching::DrillTarget drilled{target->corner, target->digit, target->stroke};
        draw.items = coaching::chooseDrillFromMisses(drilled, count, history->cornerMisses(drilled),
                                                     *table, byFrequency);
        if (draw.items.empty()) {
            draw.message = {QStringLiteral("没有这个角的练习字，"),
                            QStringLiteral("先复习常用字。")};
            return draw;
        }
        draw.drilled = target;
        const QString shape =
            target->stroke.isEmpty() ? coaching::rhymeName(target->digit) : target->stroke;
        draw.message = {QStringLiteral("弱点练习：%1").arg(coaching::cornerName(target->corner)),
                        QStringLiteral("%1（%2）").arg(shape, target->digit)};
        return draw;
    }

    // The article test.
    void testEnded(const QString& article, const QString& clock, int typed,
                   const QStringList& errorLines, const std::vector<std::string>& typedCodes,
                   const std::function<QStringList(const QString&)>& codesOf) override {
        recordTest(article, clock, typed, errorLines, typedCodes, codesOf);
    }

    // The warm-up.
    void gameEnded(bool funMode, int seconds, int score) override {
        recordWarmup({QDateTime::currentDateTime(),
                      funMode ? QStringLiteral("fun") : QStringLiteral("classic"), seconds, score});
    }

    RunsToHistory runs_;
};

} // namespace

HistoryService& historyService() {
    static ProgramHistory history;
    return history;
}
