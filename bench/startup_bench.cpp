// Start-up of the tutor beside a skeleton Qt program doing the same work: the
// whole process of each, run alternately so that both see the same machine.
// "ratio": the tutor to its first paint (the start screen its one window) /
// the skeleton to its first paint with one window; goal at most 1.3.
// "ready_ratio": the tutor until all its windows are made / the skeleton
// painting with as many windows made; goal at most 2. Runs on the display in
// DISPLAY, or on Qt's offscreen platform when there is none.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <vector>

namespace {

// Runs a program until the stage named in TARVO_QUIT_AFTER_FIRST_PAINT ("1":
// the first paint, "ready": all windows made); milliseconds, or -1.
double runTo(const QString& program, const QString& stage, const QStringList& arguments = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVO_QUIT_AFTER_FIRST_PAINT"), stage);
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
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

} // namespace

BENCHMARK_MAIN();
