// tarvo-results: the class results service the tutor's 在线竞技 opens.
//   tarvo-results serve [--db ADDRESS] [--listen ADDRESS] [--port N]
//   tarvo-results class create NAME [--db ADDRESS]
// ADDRESS of the database: sqlite:FILE (the default is
// $XDG_DATA_HOME/tarvo-results/results.sqlite) or postgresql://user@host/db.
#include "results/posted_input.h"
#include "results/results_server.h"
#include "results/results_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <unistd.h>

namespace {

int usage(QTextStream& out, int status) {
    out << "用法：\n"
           "  tarvo-results serve [--db 数据库] [--listen 地址] [--port 端口]\n"
           "      开始服务（默认 127.0.0.1:8080，放在 HTTPS 代理后面）\n"
           "  tarvo-results class create 班级名 [--db 数据库]\n"
           "      建立班级，显示学员加入用的班级代码和老师的令牌（只显示一次）\n"
           "数据库：sqlite:文件（默认 $XDG_DATA_HOME/tarvo-results/results.sqlite）\n"
           "        或 postgresql://用户@主机/数据库\n";
    out.flush();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvo-results"));
    QTextStream out(stdout), err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.contains(QStringLiteral("--help")))
        return usage(args.isEmpty() ? err : out, args.isEmpty() ? 2 : 0);
    if (::geteuid() == 0) {
        err << "tarvo-results：不要以 root 运行，请用一个普通用户（如 systemd 的 DynamicUser）。\n";
        return 2;
    }
    auto option = [&](const QString& name, const QString& fallback) {
        const qsizetype at = args.indexOf(name);
        if (at < 0 || at + 1 >= args.size())
            return fallback;
        const QString value = args.at(at + 1);
        args.remove(at, 2);
        return value;
    };
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString db = option(QStringLiteral("--db"), QStringLiteral("sqlite:") + dataFolder +
                                                          QStringLiteral("/results.sqlite"));
    if (db.startsWith(QLatin1String("sqlite:")))
        QDir().mkpath(QFileInfo(db.mid(7)).absolutePath());
    try {
        if (args.size() == 3 && args[0] == u"class" && args[1] == u"create") {
            const auto name = results::checkedName(args[2]);
            if (const auto* r = std::get_if<results::Refusal>(&name)) {
                err << "tarvo-results：" << r->message << "\n";
                return 2;
            }
            results::ResultsStore store(db);
            const results::NewClass made = store.createClass(std::get<QString>(name));
            out << "班级代码：" << made.joinCode << "\n老师令牌：" << made.teacherToken
                << "\n老师页：服务器地址后加 /class/" << made.joinCode
                << "/teacher?token=" << made.teacherToken << "\n（令牌只显示这一次，请保存好）\n";
            return 0;
        }
        const QString listen = option(QStringLiteral("--listen"), QStringLiteral("127.0.0.1"));
        bool portOk = false;
        const int port = option(QStringLiteral("--port"), QStringLiteral("8080")).toInt(&portOk);
        if (args != QStringList{QStringLiteral("serve")} || !portOk || port < 0 || port > 65535)
            return usage(err, 2);
        results::ResultsStore store(db);
        results::ResultsServer server(store);
        const quint16 got = server.listen(QHostAddress(listen), static_cast<quint16>(port));
        if (got == 0) {
            err << "tarvo-results：无法在 " << listen << ":" << port << " 上服务\n";
            return 1;
        }
        out << "tarvo-results 在 http://" << listen << ":" << got << "/ 服务\n";
        out.flush();
        return app.exec();
    } catch (const results::ResultsError& e) {
        err << "tarvo-results：" << e.message << "\n";
        return 1;
    }
}
