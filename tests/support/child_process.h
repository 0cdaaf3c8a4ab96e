#pragma once

#include <QByteArray>
#include <QString>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// Runs `body` in a child process as a user who owns none of the test's
// folders (nobody, when the tests run as root, who may write anywhere), so a
// folder with mode 0555 takes no new file. Returns the text `body` returned,
// or "<child failed>".
inline QString inChildProcess(const std::function<QString()>& body) {
    int ends[2];
    if (::pipe(ends) != 0)
        return QStringLiteral("<child failed>");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        const QByteArray out = body().toUtf8();
        ::_exit(::write(ends[1], out.constData(), out.size()) == out.size() ? 0 : 3);
    }
    ::close(ends[1]);
    QByteArray out;
    char buffer[512];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, n);
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("<child failed>");
    return QString::fromUtf8(out);
}
