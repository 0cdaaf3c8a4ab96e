// The key path of a training answer, with the learning history on and off:
// the learner types a code on the keypad into the answer box and presses
// Enter; the answer is checked, the speed label updated and the box cleared.
// With the history on, the recorder notes the answer and the next item. The
// write at the end of each run of 119 items is not on the key path: it is
// left out of the key timings and measured on its own.
//   QT_QPA_PLATFORM=offscreen bench_history
#include "history_store.h"
#include "training_recorder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>

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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
