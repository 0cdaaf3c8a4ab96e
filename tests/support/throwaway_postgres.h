#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>

#include <unistd.h>

// A PostgreSQL cluster of Debian's postgresql package for one test run:
// made with initdb in a temporary folder, started with pg_ctl on a free
// loopback port (trust for local connections only), stopped and removed at
// the end. As root the cluster runs as nobody, as PostgreSQL asks.
class ThrowawayPostgres {
public:
    ThrowawayPostgres() {
        const QString bin = binFolder();
        if (bin.isEmpty()) {
            problem_ = QStringLiteral("no PostgreSQL server in /usr/lib/postgresql/*/bin");
            return;
        }
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::WriteOther |
                                               QFile::ExeOther);
        data_ = dir_.filePath(QStringLiteral("data"));
        QTcpServer probe; // a port nobody listens on
        probe.listen(QHostAddress::LocalHost, 0);
        port_ = probe.serverPort();
        probe.close();
        if (!run(bin + QStringLiteral("/initdb"),
                 {QStringLiteral("-D"), data_, QStringLiteral("-U"), QStringLiteral("tarvo"),
                  QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                  QStringLiteral("--no-sync")})) {
            problem_ = QStringLiteral("initdb failed: ") + output_;
            return;
        }
        start();
    }
    ~ThrowawayPostgres() { stop(); }

    // Starts the cluster made (again, after stop()).
    void start() {
        if (started_ || data_.isEmpty())
            return;
        started_ = run(binFolder() + QStringLiteral("/pg_ctl"),
                       {QStringLiteral("-D"), data_, QStringLiteral("-w"), QStringLiteral("-l"),
                        dir_.filePath(QStringLiteral("log")), QStringLiteral("-o"),
                        QStringLiteral("-h 127.0.0.1 -p %1 -k %2 -F").arg(port_).arg(dir_.path()),
                        QStringLiteral("start")});
        if (!started_)
            problem_ = QStringLiteral("the cluster did not start: ") + output_;
    }

    // Stops the cluster (a test of a database that goes away); start() again.
    void stop() {
        if (started_)
            run(binFolder() + QStringLiteral("/pg_ctl"),
                {QStringLiteral("-D"), data_, QStringLiteral("-w"), QStringLiteral("-m"),
                 QStringLiteral("fast"), QStringLiteral("stop")});
        started_ = false;
    }

    bool started() const { return started_; }
    const QString& problem() const { return problem_; }
    QString address() const {
        return QStringLiteral("postgresql://tarvo@127.0.0.1:%1/postgres").arg(port_);
    }

private:
    static QString binFolder() {
        const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                                         .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& v : versions)
            if (QFileInfo::exists(QStringLiteral("/usr/lib/postgresql/%1/bin/initdb").arg(v)))
                return QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
        return {};
    }
    bool run(const QString& program, const QStringList& arguments) {
        QProcess p;
        QStringList command = {program};
        command += arguments;
        if (::geteuid() == 0)
            command =
                QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                            QStringLiteral("--clear-groups"), QStringLiteral("--")} +
                command;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(dir_.path());
        const QString first = ::geteuid() == 0 ? QStringLiteral("setpriv") : command.takeFirst();
        p.start(first, command);
        const bool ok =
            p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        output_ = QString::fromLocal8Bit(p.readAll());
        return ok;
    }

    QTemporaryDir dir_;
    QString data_;
    quint16 port_ = 0;
    bool started_ = false;
    QString problem_;
    QString output_;
};
