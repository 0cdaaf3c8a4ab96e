// Start-up of the tutor beside a skeleton Qt program doing the same work: the
// whole process of each, run alternately so that both see the same machine.
// "ratio": the tutor to its first paint (the start screen its one window) /
// the skeleton to its first paint with one window; goal at most 1.3.
// "ready_ratio": the tutor until all its windows are made / the skeleton
// painting with as many windows made; goal at most 2. Runs on the display in
// DISPLAY, or on Qt's offscreen platform when there is none.
#include <benchmark/benchmark.h>

#include "bench/history_year.h"
#include "history/history_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

// Runs a program until the stage named in TARVO_QUIT_AFTER_FIRST_PAINT ("1":
// the first paint, "ready": all windows made); milliseconds, or -1.
double runTo(const QString& program, const QString& stage, const QStringList& arguments = {},
             const QString& home = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!home.isEmpty())
        env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("TARVO_QUIT_AFTER_FIRST_PAINT"), stage);
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    p.start(program, arguments);
    // The tutor tells the stage on its standard output when it reaches it;
    // the skeleton ends there.
    double reached = -1;
    if (p.waitForReadyRead(30000))
        reached = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (p.state() != QProcess::NotRunning)
        p.waitForFinished(30000);
    if (p.state() != QProcess::NotRunning || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0)
        return -1;
    return reached >= 0 ? reached : static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    // The windows the tutor has made when it is ready: the start screen and
    // the modules' eighteen (the learning history's is made at its first use).
    const QStringList readyWindows = {QStringLiteral("19")};
    std::vector<double> tutor, ready, skeleton, skeletonReady;
    for (auto _ : state) {
        const double t = runTo(QStringLiteral(TARVO_PROGRAM), QStringLiteral("1"));
        const double r = runTo(QStringLiteral(TARVO_PROGRAM), QStringLiteral("ready"));
        const double s = runTo(QStringLiteral(TARVO_SKELETON), QStringLiteral("1"));
        const double sr = runTo(QStringLiteral(TARVO_SKELETON), QStringLiteral("1"), readyWindows);
        if (t < 0 || r < 0 || s < 0 || sr < 0) {
            state.SkipWithError("a program did not start and end normally");
            return;
        }
        tutor.push_back(t);
        ready.push_back(r);
        skeleton.push_back(s);
        skeletonReady.push_back(sr);
    }
    state.counters["tutor_ms"] = median(tutor);
    state.counters["skeleton_ms"] = median(skeleton);
    state.counters["ratio"] = median(tutor) / median(skeleton);
    // Until every window is made and the entries answer at once.
    state.counters["ready_ms"] = median(ready);
    state.counters["skeleton_ready_ms"] = median(skeletonReady);
    state.counters["ready_ratio"] = median(ready) / median(skeletonReady);
}
BENCHMARK(BM_StartupToFirstPaint)->Iterations(15)->Unit(benchmark::kMillisecond);

// The tutor from its start to the plan line under the start screen, which
// reads the history: with none, and with three years of daily practice.
// "ratio": three years / none, run alternately; goal at most 1.2.
void BM_StartupToPlanLine(benchmark::State& state) {
    // A copy of the program whose files/ holds the history: the executable
    // and its modules copied (the program folder is the executable's), the
    // data linked.
    QTemporaryDir dir;
    const QString built = QFileInfo(QStringLiteral(TARVO_PROGRAM)).absolutePath();
    auto programWith = [&](const QString& name, bool history) {
        const QString folder = dir.filePath(name);
        QDir().mkpath(folder + QStringLiteral("/files"));
        for (const QFileInfo& f :
             QDir(built).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            const QString to = folder + u'/' + f.fileName();
            if (f.fileName() == u"files") {
                for (const QFileInfo& g : QDir(f.filePath()).entryInfoList(QDir::Files))
                    QFile::copy(g.filePath(), to + u'/' + g.fileName());
            } else if (f.isDir()) {
                QFile::link(f.filePath(), to);
            } else {
                QFile::copy(f.filePath(), to);
            }
        }
        QFile::remove(folder + QStringLiteral("/files/history.sqlite"));
        if (history) {
            HistoryStore store(folder + QStringLiteral("/files/history.sqlite"));
            history_year::fill(store, 3);
        }
        return folder + QStringLiteral("/tarvo");
    };
    const QString none = programWith(QStringLiteral("none"), false);
    const QString years = programWith(QStringLiteral("three-years"), true);
    std::vector<double> empty, full;
    for (auto _ : state) {
        const double e = runTo(none, QStringLiteral("plan"), {}, dir.path());
        const double f = runTo(years, QStringLiteral("plan"), {}, dir.path());
        if (e < 0 || f < 0) {
            state.SkipWithError("a program did not start and end normally");
            return;
        }
        empty.push_back(e);
        full.push_back(f);
    }
    state.counters["none_ms"] = median(empty);
    state.counters["three_years_ms"] = median(full);
    state.counters["ratio"] = median(full) / median(empty);
}
BENCHMARK(BM_StartupToPlanLine)->Iterations(9)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // Qt SQL writes the history
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
