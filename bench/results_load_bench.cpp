// The class results service under a school's load, on loopback: the server
// as it is deployed (`tarvo-results serve`, its own process, on a throw-away
// PostgreSQL cluster), 2,000 learners in 50 classes each posting a result a
// second. Reported: posts a second, p50/p99 latency of a post (from its
// sending to its whole answer), and the class page's time at a year of
// results. The fault run stops PostgreSQL for two seconds mid-load; posts
// refused meanwhile are posted again with the same key, as the tutor does,
// and every result must end up stored exactly once.
//
//   bench_results_load [--benchmark_filter=…]   (TARVO_LOAD_SECONDS: 60 by default)
#include <benchmark/benchmark.h>

#include "results/results_store.h"
#include "tests/support/throwaway_postgres.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <deque>
#include <memory>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kClasses = 50;
constexpr int kLearnersPerClass = 40;
constexpr int kConnections = 100; // the learners' computers share them, as behind a school's NAT

int loadSeconds() {
    const int s = qEnvironmentVariableIntValue("TARVO_LOAD_SECONDS");
    return s > 0 ? s : 60;
}

// The server process on the cluster, as nobody when run as root (it
// refuses root).
class ServerProcess {
public:
    explicit ServerProcess(const QString& db) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port_ = probe.serverPort();
        probe.close();
        QStringList args = {QStringLiteral(TARVO_RESULTS), QStringLiteral("serve"),
                            QStringLiteral("--db"),        db,
                            QStringLiteral("--port"),      QString::number(port_)};
        QString program = args.takeFirst();
        if (::geteuid() == 0) {
            args.prepend(program);
            args = QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                               QStringLiteral("--clear-groups"), QStringLiteral("--")} +
                   args;
            program = QStringLiteral("setpriv");
        }
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(program, args);
        ready_ = process_.waitForReadyRead(20000); // it says where it serves
    }
    ~ServerProcess() {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
    }
    bool ready() const { return ready_; }
    quint16 port() const { return port_; }

private:
    QProcess process_;
    quint16 port_ = 0;
    bool ready_ = false;
};

struct Post {
    QByteArray token;
    QByteArray key;
    int speed = 0;
};

// One keep-alive connection sending its posts one after another.
class Connection {
public:
    Connection(quint16 port, std::vector<double>& latencies, int& stored, int& again, int& refused)
        : port_(port), latencies_(latencies), stored_(stored), again_(again), refused_(refused) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { read(); });
        QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { lost(); });
        QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this] { lost(); });
    }
    void add(const Post& p) {
        queue_.push_back(p);
        if (!busy_)
            sendNext();
    }
    bool idle() const { return !busy_ && queue_.empty(); }

private:
    void sendNext() {
        if (queue_.empty())
            return;
        if (socket_.state() != QAbstractSocket::ConnectedState) {
            socket_.abort();
            socket_.connectToHost(QHostAddress::LocalHost, port_);
            if (!socket_.waitForConnected(2000)) {
                QTimer::singleShot(200, [this] { sendNext(); });
                return;
            }
        }
        const Post& p = queue_.front();
        const QByteArray body = "{\"key\":\"" + p.key +
                                "\",\"lxid\":4,\"speed\":" + QByteArray::number(p.speed) +
                                ",\"accuracy\":97.5,\"practised\":\"2026-12-08T08:00:00Z\"}";
        socket_.write("POST /api/v1/results HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " +
                      p.token + "\r\nContent-Type: application/json\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
        busy_ = true;
        answer_.clear();
        clock_.start();
    }
    void read() {
        answer_ += socket_.readAll();
        const qsizetype end = answer_.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const qsizetype at = answer_.toLower().indexOf("content-length:");
        const int length =
            at < 0 ? 0
                   : answer_.mid(at + 15, answer_.indexOf("\r\n", at) - at - 15).trimmed().toInt();
        if (answer_.size() < end + 4 + length)
            return;
        const int status = answer_.mid(9, 3).toInt();
        finished(status);
    }
    void lost() {
        if (busy_)
            finished(0);
    }
    void finished(int status) {
        busy_ = false;
        latencies_.push_back(static_cast<double>(clock_.nsecsElapsed()) / 1e6);
        const Post p = queue_.front();
        queue_.pop_front();
        if (status == 201) {
            ++stored_;
        } else if (status == 200) {
            ++again_; // stored before, under the same key
        } else if (status == 400 || status == 401) {
            ++refused_;
        } else {
            // The database away (503), too many (429) or no answer: the same
            // key again, later.
            QTimer::singleShot(200, [this, p] { add(p); });
        }
        sendNext();
    }

    QTcpSocket socket_;
    quint16 port_;
    std::deque<Post> queue_;
    bool busy_ = false;
    QByteArray answer_;
    QElapsedTimer clock_;
    std::vector<double>& latencies_;
    int& stored_;
    int& again_;
    int& refused_;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

// A GET on a fresh connection until its whole answer, in milliseconds (-1:
// failed).
double timedGet(quint16 port, const QByteArray& path) {
    QTcpSocket s;
    QElapsedTimer clock;
    clock.start();
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!s.waitForConnected(5000))
        return -1;
    s.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray answer;
    while (s.waitForReadyRead(5000)) {
        answer += s.readAll();
        const qsizetype end = answer.indexOf("\r\n\r\n");
        const qsizetype at = answer.toLower().indexOf("content-length:");
        if (end < 0 || at < 0)
            continue;
        const qsizetype length =
            answer.mid(at + 15, answer.indexOf("\r\n", at) - at - 15).trimmed().toLongLong();
        if (answer.size() >= end + 4 + length)
            return answer.startsWith("HTTP/1.1 200")
                       ? static_cast<double>(clock.nsecsElapsed()) / 1e6
                       : -1;
    }
    return -1;
}

void runLoad(benchmark::State& state, bool restartMidway) {
    ThrowawayPostgres cluster;
    if (!cluster.started()) {
        state.SkipWithError(cluster.problem().toStdString().c_str());
        return;
    }
    std::vector<QByteArray> tokens;
    QString firstClass;
    {
        results::ResultsStore store(cluster.address());
        for (int c = 0; c < kClasses; ++c) {
            const QString code = store.createClass(QStringLiteral("%1班").arg(c + 1)).joinCode;
            if (c == 0)
                firstClass = code;
            for (int l = 0; l < kLearnersPerClass; ++l)
                tokens.push_back(store.join(code, QStringLiteral("学员%1").arg(l))->toLatin1());
        }
    }
    // A year of the first class's results, three a day for each learner,
    // made by the database itself (a year posted one by one takes minutes).
    bool yearMade = false;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("year"));
        const QUrl url(cluster.address());
        db.setHostName(url.host());
        db.setPort(url.port());
        db.setUserName(url.userName());
        db.setDatabaseName(url.path().mid(1));
        yearMade =
            db.open() &&
            QSqlQuery(db).exec(
                QStringLiteral(
                    "INSERT INTO results(learner_id, idempotency_key, kind, speed, accuracy, "
                    "practised, received) SELECT l.id, 'year-' || d || '-' || i, 4, 30 + (d + "
                    "l.id + i) % 60, 96, to_char(now() AT TIME ZONE 'UTC' - make_interval(days "
                    "=> 365 - d), 'YYYY-MM-DD\"T\"HH24:MI:SS\"Z\"'), '2026-01-01T00:00:00Z' FROM "
                    "learners l JOIN classes c ON c.id = l.class_id, generate_series(0, 364) d, "
                    "generate_series(0, 2) i WHERE c.join_code = '%1'")
                    .arg(firstClass));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("year"));
    if (!yearMade) {
        state.SkipWithError("the year of results could not be made");
        return;
    }
    ServerProcess server(cluster.address());
    if (!server.ready()) {
        state.SkipWithError("tarvo-results did not start");
        return;
    }
    const int yearRows = kLearnersPerClass * 365 * 3;

    for (auto _ : state) {
        std::vector<double> latencies;
        int stored = 0, again = 0, refused = 0;
        std::vector<std::unique_ptr<Connection>> connections;
        for (int c = 0; c < kConnections; ++c)
            connections.push_back(
                std::make_unique<Connection>(server.port(), latencies, stored, again, refused));
        const int seconds = loadSeconds();
        std::thread restart;
        QElapsedTimer clock;
        clock.start();
        for (int second = 0; second < seconds; ++second) {
            for (size_t l = 0; l < tokens.size(); ++l)
                connections[l % kConnections]->add({tokens[l],
                                                    "load-" + QByteArray::number(second) + "-x",
                                                    40 + static_cast<int>(l % 50)});
            if (restartMidway && second == seconds / 2)
                restart = std::thread([&cluster] {
                    cluster.stop();
                    std::this_thread::sleep_for(std::chrono::seconds(2));
                    cluster.start();
                });
            while (clock.elapsed() < (second + 1) * 1000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        // Until every post has its answer (those sent again included).
        QElapsedTimer drain;
        drain.start();
        while (drain.elapsed() < 120000 && !std::all_of(connections.begin(), connections.end(),
                                                        [](const auto& c) { return c->idle(); }))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (restart.joinable())
            restart.join();
        const double wall = static_cast<double>(clock.elapsed()) / 1000.0;

        std::vector<double> pages;
        for (int i = 0; i < 20; ++i)
            pages.push_back(timedGet(server.port(), "/class/" + firstClass.toLatin1() + "?lxid=4"));

        const int expected = seconds * static_cast<int>(tokens.size());
        results::ResultsStore check(cluster.address());
        const int inStore = check.resultCount() - yearRows;
        state.counters["posts"] = expected;
        state.counters["posts_per_s"] = static_cast<double>(stored + again) / wall;
        state.counters["p50_ms"] = percentile(latencies, 0.50);
        state.counters["p99_ms"] = percentile(latencies, 0.99);
        state.counters["page_p50_ms"] = percentile(pages, 0.50);
        state.counters["page_max_ms"] = percentile(pages, 1.0);
        state.counters["stored_before"] = again;
        state.counters["refused"] = refused;
        // Every result once: as many rows as results made, none lost or doubled.
        state.counters["lost_or_doubled"] = expected - inStore;
        if (inStore != expected)
            state.SkipWithError("results were lost or doubled");
    }
}

void BM_SchoolLoad(benchmark::State& state) {
    runLoad(state, false);
}
void BM_SchoolLoadWithPostgresRestart(benchmark::State& state) {
    runLoad(state, true);
}

BENCHMARK(BM_SchoolLoad)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_SchoolLoadWithPostgresRestart)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
