#include "results/results_store.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <map>
#include <set>

namespace results {

namespace {

QAtomicInt connections;

// Times as the tables keep them: UTC, sortable as text in both databases.
QString timeText(const QDateTime& t) {
    return t.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}
QDateTime timeOf(const QVariant& v) {
    QDateTime t = QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
    t.setTimeSpec(Qt::UTC);
    return t;
}

// The schema, one step per version; %ID% is each dialect's generated key.
const char* const kSteps[][6] = {
    {
        "CREATE TABLE classes(id %ID%, name TEXT NOT NULL, join_code TEXT NOT NULL UNIQUE, "
        "teacher_token TEXT NOT NULL UNIQUE, closed INTEGER NOT NULL DEFAULT 0, created TEXT NOT "
        "NULL)",
        "CREATE TABLE learners(id %ID%, class_id BIGINT NOT NULL REFERENCES classes(id), name TEXT "
        "NOT NULL, token TEXT NOT NULL UNIQUE, removed INTEGER NOT NULL DEFAULT 0, joined TEXT NOT "
        "NULL)",
        "CREATE INDEX learners_class ON learners(class_id)",
        // A result posted again with its key is stored once.
        "CREATE TABLE results(id %ID%, learner_id BIGINT NOT NULL REFERENCES learners(id), "
        "idempotency_key TEXT NOT NULL, kind INTEGER NOT NULL, speed INTEGER NOT NULL, accuracy "
        "REAL NOT NULL, practised TEXT NOT NULL, received TEXT NOT NULL, UNIQUE(learner_id, "
        "idempotency_key))",
        "CREATE INDEX results_learner ON results(learner_id, kind, practised)",
        nullptr,
    },
};

// 32 random bytes from the system's generator, URL-safe.
QString newToken() {
    QByteArray bytes(32, '\0');
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

// Eight letters and digits that cannot be read as one another (no O/0, I/1).
QString newJoinCode() {
    static const char kAlphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    QString code;
    for (int i = 0; i < 8; ++i)
        code += QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(32)]);
    return code;
}

} // namespace

std::optional<Kind> kindOf(int lxid) {
    switch (lxid) {
    case 2:
        return Kind::Warmup;
    case 3:
        return Kind::Training;
    case 4:
        return Kind::ArticleTest;
    default:
        return std::nullopt;
    }
}

QString kindName(Kind kind) {
    switch (kind) {
    case Kind::Warmup:
        return QStringLiteral("指法热身");
    case Kind::Training:
        return QStringLiteral("字词训练");
    case Kind::ArticleTest:
        break;
    }
    return QStringLiteral("文章练习");
}

QString ResultsStore::hashOf(const QString& token) {
    return QString::fromLatin1(
        QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Sha256).toHex());
}

ResultsStore::ResultsStore(const QString& address)
    : connection_(QStringLiteral("tarvo-results-%1").arg(++connections)) {
    if (address.startsWith(QLatin1String("sqlite:"))) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db_.setDatabaseName(address.mid(7));
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else if (address.startsWith(QLatin1String("postgresql://")) ||
               address.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(address);
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection_);
        db_.setHostName(url.host());
        if (url.port() > 0)
            db_.setPort(url.port());
        db_.setUserName(url.userName());
        db_.setPassword(url.password());
        db_.setDatabaseName(url.path().mid(1));
        postgres_ = true;
    } else {
        QSqlDatabase::removeDatabase(connection_);
        throw ResultsError(QStringLiteral("数据库地址 %1 不对：应为 sqlite:文件 或 "
                                          "postgresql://用户@主机/数据库")
                               .arg(address));
    }
    if (!db_.open()) {
        const QString why = db_.lastError().text();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
        throw ResultsError(QStringLiteral("无法打开数据库：%1").arg(why));
    }
    if (postgres_) {
        run(QStringLiteral("SET client_min_messages TO WARNING"), {}); // no notices in the log
    } else {
        run(QStringLiteral("PRAGMA journal_mode=WAL"), {});
        run(QStringLiteral("PRAGMA foreign_keys=ON"), {});
    }
    migrate();
}

ResultsStore::~ResultsStore() {
    prepared_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

QSqlQuery ResultsStore::run(const QString& sql, const QVariantList& values) const {
    // The statements run before are read by now: none keeps a read open
    // (SQLite would hold its snapshot, and a checkpoint would wait on it).
    for (auto& [text, statement] : prepared_)
        statement.finish();
    auto attempt = [&]() -> std::pair<bool, QSqlQuery> {
        // Statements without values (the schema's) are run as they are:
        // PostgreSQL prepares no CREATE.
        if (values.isEmpty()) {
            QSqlQuery q(db_);
            q.setForwardOnly(true);
            const bool ok = q.exec(sql);
            return {ok, q};
        }
        auto it = prepared_.find(sql);
        if (it == prepared_.end()) {
            QSqlQuery q(db_);
            q.setForwardOnly(true);
            if (!q.prepare(sql))
                return {false, q};
            it = prepared_.emplace(sql, q).first;
        }
        QSqlQuery& q = it->second;
        for (qsizetype i = 0; i < values.size(); ++i)
            q.bindValue(static_cast<int>(i), values[i]);
        const bool ok = q.exec();
        return {ok, q};
    };
    auto [ok, q] = attempt();
    // A PostgreSQL restarted (or a connection cut) under the server leaves
    // the connection dead: it is opened again and the statement run once
    // more. Every statement is safe to run twice (a result is stored once
    // by its key).
    if (!ok && postgres_ && reconnect())
        std::tie(ok, q) = attempt();
    if (!ok)
        throw ResultsError(QStringLiteral("数据库出错：%1").arg(q.lastError().text()));
    return q;
}

bool ResultsStore::reconnect() const {
    if (QSqlQuery(db_).exec(QStringLiteral("SELECT 1")))
        return false;  // the connection works: the statement itself failed
    prepared_.clear(); // prepared on the connection that died
    db_.close();
    return db_.open();
}

void ResultsStore::migrate() {
    // Several servers on one PostgreSQL database bring it up to date one
    // at a time.
    if (postgres_)
        run(QStringLiteral("SELECT pg_advisory_lock(7270421)"), {});
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version(version INTEGER NOT NULL)"), {});
    QSqlQuery v = run(QStringLiteral("SELECT max(version) FROM schema_version"), {});
    int version = v.next() ? v.value(0).toInt() : 0;
    v.finish();
    const QString id =
        postgres_ ? QStringLiteral("BIGSERIAL PRIMARY KEY") : QStringLiteral("INTEGER PRIMARY KEY");
    for (; version < static_cast<int>(std::size(kSteps)); ++version) {
        if (!db_.transaction())
            throw ResultsError(QStringLiteral("数据库出错：%1").arg(db_.lastError().text()));
        try {
            for (const char* sql : kSteps[version])
                if (sql)
                    run(QString::fromLatin1(sql).replace(QLatin1String("%ID%"), id), {});
            run(QStringLiteral("INSERT INTO schema_version(version) VALUES(?)"), {version + 1});
        } catch (...) {
            db_.rollback();
            throw;
        }
        db_.commit();
    }
    if (postgres_)
        run(QStringLiteral("SELECT pg_advisory_unlock(7270421)"), {});
}

NewClass ResultsStore::createClass(const QString& name) {
    NewClass made;
    made.teacherToken = newToken();
    // A code already taken (one in a billion) is drawn again.
    for (int tries = 0; tries < 5; ++tries) {
        made.joinCode = newJoinCode();
        if (className(made.joinCode))
            continue;
        run(QStringLiteral("INSERT INTO classes(name, join_code, teacher_token, created) "
                           "VALUES(?, ?, ?, ?)"),
            {name, made.joinCode, hashOf(made.teacherToken),
             timeText(QDateTime::currentDateTimeUtc())});
        return made;
    }
    throw ResultsError(QStringLiteral("无法生成班级代码"));
}

std::optional<QString> ResultsStore::join(const QString& joinCode, const QString& name) {
    QSqlQuery c = run(QStringLiteral("SELECT id FROM classes WHERE join_code = ? AND closed = 0"),
                      {joinCode});
    if (!c.next())
        return std::nullopt;
    const qint64 classId = c.value(0).toLongLong();
    c.finish();
    const QString token = newToken();
    run(QStringLiteral("INSERT INTO learners(class_id, name, token, joined) VALUES(?, ?, ?, ?)"),
        {classId, name, hashOf(token), timeText(QDateTime::currentDateTimeUtc())});
    return token;
}

std::optional<Learner> ResultsStore::learnerOf(const QString& token) const {
    QSqlQuery q = run(QStringLiteral("SELECT l.id, l.class_id, l.name FROM learners l JOIN classes "
                                     "c ON c.id = l.class_id WHERE l.token = ? AND l.removed = 0 "
                                     "AND c.closed = 0"),
                      {hashOf(token)});
    if (!q.next())
        return std::nullopt;
    return Learner{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString()};
}

bool ResultsStore::teaches(const QString& token, const QString& joinCode) const {
    QSqlQuery q =
        run(QStringLiteral("SELECT 1 FROM classes WHERE join_code = ? AND teacher_token = ?"),
            {joinCode, hashOf(token)});
    return q.next();
}

bool ResultsStore::inClass(const Learner& learner, const QString& joinCode) const {
    return run(QStringLiteral("SELECT 1 FROM classes WHERE id = ? AND join_code = ?"),
               {learner.classId, joinCode})
        .next();
}

std::vector<Learner> ResultsStore::learners(const QString& joinCode) const {
    QSqlQuery q = run(QStringLiteral("SELECT l.id, l.class_id, l.name FROM learners l JOIN classes "
                                     "c ON c.id = l.class_id WHERE c.join_code = ? AND l.removed = "
                                     "0 ORDER BY l.id"),
                      {joinCode});
    std::vector<Learner> out;
    while (q.next())
        out.push_back({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString()});
    return out;
}

bool ResultsStore::renameLearner(const QString& joinCode, qint64 learner, const QString& name) {
    QSqlQuery q = run(QStringLiteral("UPDATE learners SET name = ? WHERE id = ? AND class_id = "
                                     "(SELECT id FROM classes WHERE join_code = ?)"),
                      {name, learner, joinCode});
    return q.numRowsAffected() > 0;
}

bool ResultsStore::removeLearner(const QString& joinCode, qint64 learner) {
    QSqlQuery q = run(QStringLiteral("UPDATE learners SET removed = 1 WHERE id = ? AND class_id = "
                                     "(SELECT id FROM classes WHERE join_code = ?)"),
                      {learner, joinCode});
    return q.numRowsAffected() > 0;
}

bool ResultsStore::closeClass(const QString& joinCode) {
    return run(QStringLiteral("UPDATE classes SET closed = 1 WHERE join_code = ?"), {joinCode})
               .numRowsAffected() > 0;
}

bool ResultsStore::addResult(const Learner& learner, const Result& r, const QDateTime& now) {
    QSqlQuery q = run(
        QStringLiteral("INSERT INTO results(learner_id, idempotency_key, kind, speed, accuracy, "
                       "practised, received) VALUES(?, ?, ?, ?, ?, ?, ?) ON CONFLICT(learner_id, "
                       "idempotency_key) DO NOTHING RETURNING id"),
        {learner.id, r.key, static_cast<int>(r.kind), r.speed, r.accuracy, timeText(r.practised),
         timeText(now)});
    return q.next();
}

std::optional<QString> ResultsStore::className(const QString& joinCode) const {
    QSqlQuery q = run(QStringLiteral("SELECT name FROM classes WHERE join_code = ?"), {joinCode});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

int ResultsStore::resultCount() const {
    QSqlQuery q = run(QStringLiteral("SELECT count(*) FROM results"), {});
    return q.next() ? q.value(0).toInt() : 0;
}

std::vector<Ranked> ResultsStore::ranking(const QString& joinCode, Kind kind,
                                          const QDateTime& now) const {
    const QString weekAgo = timeText(now.addDays(-7));
    // Twelve weeks of progress, from a Monday.
    const QDate today = now.toUTC().date();
    const QDate firstWeek = today.addDays(1 - today.dayOfWeek()).addDays(-7 * 11);
    const int k = static_cast<int>(kind);
    // Each learner's best, last seen and latest result, in one statement.
    QSqlQuery q = run(
        QStringLiteral(
            "SELECT l.id, l.name, max(r.speed), max(r.practised), (SELECT x.speed FROM results x "
            "WHERE x.learner_id = l.id AND x.kind = ? ORDER BY x.practised DESC, x.id DESC LIMIT "
            "1), (SELECT x.accuracy FROM results x WHERE x.learner_id = l.id AND x.kind = ? ORDER "
            "BY x.practised DESC, x.id DESC LIMIT 1) FROM learners l JOIN classes c ON c.id = "
            "l.class_id JOIN results r ON r.learner_id = l.id WHERE c.join_code = ? AND "
            "l.removed = 0 AND r.kind = ? GROUP BY l.id, l.name"),
        {k, k, joinCode, k});
    std::map<qint64, Ranked> all;
    while (q.next()) {
        Ranked& r = all[q.value(0).toLongLong()];
        r.name = q.value(1).toString();
        r.best = q.value(2).toInt();
        r.lastSeen = timeOf(q.value(3));
        r.latest = q.value(4).toInt();
        r.accuracy = q.value(5).toDouble();
    }
    q.finish();
    // The twelve weeks' days: each day's best, and whether the day had a
    // result within the last seven days.
    QSqlQuery days = run(
        QStringLiteral("SELECT r.learner_id, substr(r.practised, 1, 10), max(r.speed), "
                       "max(r.practised) FROM results r JOIN learners l ON l.id = r.learner_id "
                       "JOIN classes c ON c.id = l.class_id WHERE c.join_code = ? AND l.removed = "
                       "0 AND r.kind = ? AND r.practised >= ? GROUP BY r.learner_id, "
                       "substr(r.practised, 1, 10)"),
        {joinCode, k, timeText(firstWeek.startOfDay(Qt::UTC))});
    std::map<qint64, std::map<QDate, int>> weeks;
    while (days.next()) {
        const qint64 id = days.value(0).toLongLong();
        const QDate d = QDate::fromString(days.value(1).toString(), Qt::ISODate);
        if (!d.isValid() || !all.count(id))
            continue;
        if (days.value(3).toString() >= weekAgo)
            ++all[id].daysThisWeek;
        int& best = weeks[id][d.addDays(1 - d.dayOfWeek())];
        best = std::max(best, days.value(2).toInt());
    }
    days.finish();
    std::vector<Ranked> out;
    for (auto& [id, r] : all) {
        const auto& w = weeks[id];
        r.weeks.assign(w.begin(), w.end());
        out.push_back(std::move(r));
    }
    std::sort(out.begin(), out.end(), [](const Ranked& a, const Ranked& b) {
        return a.best != b.best ? a.best > b.best : a.name < b.name;
    });
    return out;
}

} // namespace results
