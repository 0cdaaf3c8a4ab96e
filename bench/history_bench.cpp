// The key path of a training answer, with the learning history on and off:
// the learner types a code on the keypad into the answer box and presses
// Enter; the answer is checked, the speed label updated and the box cleared.
// With the history on, the recorder notes the answer and the next item. The
// write at the end of each run of 119 items is not on the key path: it is
// left out of the key timings and measured on its own.
//   QT_QPA_PLATFORM=offscreen bench_history
#include "bench/history_year.h"
#include "coaching/confusion_counts.h"
#include "coaching/corner_table.h"
#include "coaching/weak_drill.h"
#include "history/history_instance.h"
#include "history/history_stats.h"
#include "history/history_store.h"
#include "history/history_window.h"
#include "history/review_source.h"
#include "history/training_answers.h"
#include "history/training_recorder.h"
#include "platform/program_folder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <fstream>
#include <map>
#include <memory>

namespace {

constexpr int kItemsPerRun = 119;

struct Item {
    QString text;
    QString code;
};

std::array<Item, 8> items() {
    return {{{QStringLiteral("中"), QStringLiteral("50006")},
             {QStringLiteral("国"), QStringLiteral("60104")},
             {QStringLiteral("的"), QStringLiteral("2760")},
             {QStringLiteral("是"), QStringLiteral("6080")},
             {QStringLiteral("人"), QStringLiteral("8000")},
             {QStringLiteral("我"), QStringLiteral("2355")},
             {QStringLiteral("在"), QStringLiteral("4021")},
             {QStringLiteral("有"), QStringLiteral("4022")}}};
}

void pressKey(QWidget* w, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeypadModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::KeypadModifier, text);
    QCoreApplication::sendEvent(w, &release);
}

void answerKeyPath(benchmark::State& state) {
    const bool historyOn = state.range(0) != 0;
    QTemporaryDir dir;
    HistoryStore store(dir.filePath(QStringLiteral("history.sqlite")));
    TrainingRecorder recorder(historyOn ? &store : nullptr,
                              [] { return QDateTime::currentDateTime(); });
    QLineEdit box;
    QLabel speed;
    box.show();
    const auto all = items();
    int answered = 0;
    int right = 0;
    size_t at = 0;
    recorder.startRun(3, 1);
    recorder.itemShown(all[0].text, all[0].code);
    for (auto _ : state) {
        const Item& item = all[at];
        // A wrong digit every fifth item, as learners make.
        QString typed = item.code;
        if (answered % 5 == 4)
            typed[0] = typed[0] == u'9' ? u'0' : QChar(typed[0].unicode() + 1);
        for (QChar c : typed)
            pressKey(&box, Qt::Key_0 + (c.unicode() - u'0'), QString(c));
        pressKey(&box, Qt::Key_Enter, QStringLiteral("\r"));
        const QString answer = box.text();
        const bool ok = answer == item.code;
        recorder.answerTyped(answer);
        recorder.itemDone(ok);
        right += ok;
        ++answered;
        speed.setText(QStringLiteral("%1 字/分").arg(right));
        box.clear();
        at = (at + 1) % all.size();
        if (answered % kItemsPerRun == 0) {
            state.PauseTiming();
            recorder.endRun(right, true);
            recorder.startRun(3, 1);
            state.ResumeTiming();
        }
        recorder.itemShown(all[at].text, all[at].code);
    }
    state.SetItemsProcessed(answered);
    state.counters["runs_written"] = static_cast<double>(store.trainingRuns().size());
}
BENCHMARK(answerKeyPath)->Arg(0)->ArgName("history")->Unit(benchmark::kMicrosecond);
BENCHMARK(answerKeyPath)->Arg(1)->ArgName("history")->Unit(benchmark::kMicrosecond);

// The write at the end of a run: 119 items in one transaction, with the
// review schedule updated.
void runEndWrite(benchmark::State& state) {
    QTemporaryDir dir;
    HistoryStore store(dir.filePath(QStringLiteral("history.sqlite")));
    QDateTime now = QDateTime::currentDateTime();
    TrainingRecorder recorder(&store, [&now] { return now; });
    const auto all = items();
    for (auto _ : state) {
        recorder.startRun(3, 1);
        for (int i = 0; i < kItemsPerRun; ++i) {
            const Item& item = all[static_cast<size_t>(i) % all.size()];
            recorder.itemShown(item.text, item.code);
            recorder.answerTyped(i % 5 == 4 ? QStringLiteral("1") : item.code);
            recorder.itemDone(i % 5 != 4);
        }
        recorder.endRun(40, true);
    }
}
BENCHMARK(runEndWrite)->Unit(benchmark::kMillisecond);

std::shared_ptr<const coaching::CornerTable> sharedCornerTable() {
    static const auto table = std::make_shared<const coaching::CornerTable>(
        coaching::CornerTable::fromFile(QStringLiteral(TARVO_CORNER_TABLE)));
    return table;
}

// A history holding a year (or three; none: 0) of daily practice, made once
// for the benchmarks below, with the program's corner table.
// Closed before the program ends, while Qt SQL is still there.
std::map<int, std::unique_ptr<HistoryStore>> stores;

HistoryStore& historyOf(int years) {
    static QTemporaryDir dir;
    std::unique_ptr<HistoryStore>& store = stores[years];
    if (!store) {
        store = std::make_unique<HistoryStore>(
            dir.filePath(QStringLiteral("history-%1.sqlite").arg(years)));
        store->setCornerTable(sharedCornerTable());
        history_year::fill(*store, years);
    }
    return *store;
}
// The day after the last one of a generated history: what is due then.
QDate dayAfter(int years) {
    return QDate(2025, 12, 1).addDays(365 * years + 1);
}

const coaching::CornerTable& cornerTable() {
    return *sharedCornerTable();
}

// The resident memory of this process, in MB.
double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// What "学习记录" reads when it opens, on no history, a year or three: the
// counts it shows, kept in the history, and the tests' accuracy.
void yearHistoryOpening(benchmark::State& state) {
    HistoryStore& store = historyOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.speedPerDay().size());
        benchmark::DoNotOptimize(store.articleTestTotals().size());
        benchmark::DoNotOptimize(store.trainedRuns());
        benchmark::DoNotOptimize(store.mostMissed(50).size());
        benchmark::DoNotOptimize(store.warmupTotals().size());
        benchmark::DoNotOptimize(store.digitMistakes().total(0));
        benchmark::DoNotOptimize(store.confusions()->digits.size());
    }
}
BENCHMARK(yearHistoryOpening)
    ->Arg(0)
    ->Arg(1)
    ->Arg(3)
    ->ArgName("years")
    ->Unit(benchmark::kMillisecond);

// The click on "学习记录" to its first paint, as the program opens it the
// second time on (the window made, the history open): the records waiting
// written, everything read and filled, the charts and the grids painted.
// The memory counters say what a year adds and whether an open adds more.
void yearHistoryWindow(benchmark::State& state) {
    const int years = static_cast<int>(state.range(0));
    const QString folder = historyOf(years).path() + QStringLiteral(".program/");
    QDir().mkpath(folder + QStringLiteral("files"));
    QDir().mkpath(folder + QStringLiteral("hzlib"));
    QFile::remove(folder + QStringLiteral("files/history.sqlite"));
    QFile::copy(historyOf(years).path(), folder + QStringLiteral("files/history.sqlite"));
    QFile::remove(folder + QStringLiteral("hzlib/corners.txt"));
    QFile::copy(QStringLiteral(TARVO_CORNER_TABLE), folder + QStringLiteral("hzlib/corners.txt"));
    setProgramFolder(folder);
    const double before = residentMegabytes();
    auto window = std::make_unique<TFormHistory>();
    window->resize(1000, 760);
    auto open = [&] {
        window->show();
        window->grab(); // painted, charts and all
        window->hide();
    };
    open(); // the first opening makes what every later one reuses
    // TARVO_BENCH_PICTURES=DIR: what the window drew, to look at.
    if (const QString pictures = qEnvironmentVariable("TARVO_BENCH_PICTURES"); !pictures.isEmpty())
        window->grab().save(pictures + QStringLiteral("/history-window-%1-years.png").arg(years));
    const double afterFirst = residentMegabytes();
    for (auto _ : state)
        open();
    state.counters["MB_first_open"] = afterFirst - before;
    state.counters["MB_per_open"] =
        (residentMegabytes() - afterFirst) / static_cast<double>(state.iterations());
    window.reset();
    closeLearningHistory();
}
BENCHMARK(yearHistoryWindow)
    ->Arg(0)
    ->Arg(1)
    ->Arg(3)
    ->ArgName("years")
    ->Unit(benchmark::kMillisecond);

// Opening the history file at the program's start, on no history, a year or
// three: as the program opens it, its check left to the background.
void yearStoreOpen(benchmark::State& state) {
    const QString path = historyOf(static_cast<int>(state.range(0))).path();
    for (auto _ : state) {
        HistoryStore again(path, HistoryStore::Check::InBackground);
        benchmark::DoNotOptimize(again.schemaVersion());
    }
}
BENCHMARK(yearStoreOpen)->Arg(0)->Arg(1)->Arg(3)->ArgName("years")->Unit(benchmark::kMillisecond);

// What the start screen's plan line reads on a year (or three) of history:
// the streak, the course's runs, the tests' totals and the due cards.
void yearPlanLine(benchmark::State& state) {
    HistoryStore& store = historyOf(static_cast<int>(state.range(0)));
    const QDate today = dayAfter(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.streakDays(today).size());
        benchmark::DoNotOptimize(store.courseRuns().size());
        benchmark::DoNotOptimize(store.articleTestTotals().size());
        benchmark::DoNotOptimize(store.dueCount(false, today) + store.dueCount(true, today));
    }
}
BENCHMARK(yearPlanLine)->Arg(0)->Arg(1)->Arg(3)->ArgName("years")->Unit(benchmark::kMillisecond);

// A drill's start on no history, a year or three: the corner confused most
// and the characters missed there, from the counts the history keeps, and
// the drill's characters chosen.
void yearDrillStart(benchmark::State& state) {
    HistoryStore& store = historyOf(static_cast<int>(state.range(0)));
    const QStringList byFrequency = cornerTable().characters();
    for (auto _ : state) {
        const std::optional<coaching::ConfusionReport> report = store.confusions();
        coaching::DrillTarget target{coaching::TopLeft, u'0', {}};
        if (report && !report->digits.empty()) {
            const coaching::DigitConfusion& d = report->digits.front();
            target = {d.corner, d.right, coaching::drillStroke(d)};
        }
        benchmark::DoNotOptimize(coaching::chooseDrillFromMisses(target, kItemsPerRun,
                                                                 store.cornerMisses(target),
                                                                 cornerTable(), byFrequency)
                                     .size());
    }
}
BENCHMARK(yearDrillStart)->Arg(0)->Arg(1)->Arg(3)->ArgName("years")->Unit(benchmark::kMillisecond);

// A review's start on no history, a year or three: the cards it can draw
// read and 119 items drawn, topped up from the frequent characters.
void yearReviewStart(benchmark::State& state) {
    HistoryStore& store = historyOf(static_cast<int>(state.range(0)));
    std::mt19937 random(7);
    const std::vector<std::pair<QString, QString>> frequent = {
        {QStringLiteral("的"), QStringLiteral("07600")}};
    size_t drawn = 0;
    for (auto _ : state) {
        drawn = review_source::draw(
                    store, false, kItemsPerRun, frequent,
                    [&state] { return dayAfter(static_cast<int>(state.range(0))); }, random)
                    .items.size();
        benchmark::DoNotOptimize(drawn);
    }
    state.counters["drawn"] = static_cast<double>(drawn);
}
BENCHMARK(yearReviewStart)->Arg(0)->Arg(1)->Arg(3)->ArgName("years")->Unit(benchmark::kMillisecond);

// A run's end on no history, a year or three: 119 items written, and the review cards
// of those items (not the whole schedule) read and written again.
void yearRunEnd(benchmark::State& state) {
    HistoryStore& store = historyOf(static_cast<int>(state.range(0)));
    const QDate day(2026, 12, 1);
    int n = 0;
    for (auto _ : state) {
        TrainingRunRecord run;
        run.kind = 3;
        run.started = run.ended = QDateTime(day, QTime(9, 0));
        for (int i = 0; i < kItemsPerRun; ++i) {
            const QString item(QChar(0x4E00 + ((n * kItemsPerRun + i) % 4000) * 3));
            const bool right = i % 7 != 0;
            run.items.push_back({item,
                                 QStringLiteral("50006"),
                                 {right ? QStringLiteral("50006") : QStringLiteral("1")},
                                 right,
                                 2.0,
                                 false});
        }
        run.answered = kItemsPerRun;
        store.addTrainingRun(run, [day] { return day; });
        ++n;
    }
}
BENCHMARK(yearRunEnd)->Arg(0)->Arg(1)->Arg(3)->ArgName("years")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    stores.clear();
    return 0;
}
