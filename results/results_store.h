#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

// The class results service's storage: classes with their join codes, the
// learners who joined them, and the results they post. One schema for
// SQLite (a teacher's classroom PC) and PostgreSQL (a school's server, run
// as several processes): every statement is written in the SQL both take,
// every value bound as a parameter. Tokens are kept as their SHA-256 only,
// so a copy of the database gives nobody a way in. Errors throw
// ResultsError with the reason.
namespace results {

struct ResultsError : std::runtime_error {
    explicit ResultsError(const QString& why)
        : std::runtime_error(why.toStdString()), message(why) {}
    QString message;
};

// What a result is of, as "lxid" of the results page names it: the
// start screen's entries 指法热身 (2), 字词训练 (3) and 文章练习 (4).
enum class Kind { Warmup = 2, Training = 3, ArticleTest = 4 };
std::optional<Kind> kindOf(int lxid);
QString kindName(Kind kind);

// One result as the tutor posts it.
struct Result {
    QString key; // the tutor's idempotency key: a result posted twice is stored once
    Kind kind = Kind::ArticleTest;
    int speed = 0;       // characters per minute (the warm-up: its score)
    double accuracy = 0; // percent
    QDateTime practised; // when it was made, UTC
};

struct NewClass {
    QString joinCode;     // what learners type to join
    QString teacherToken; // the teacher's key to the class page, shown once
};

struct Learner {
    qint64 id = 0;
    qint64 classId = 0;
    QString name;
};

// One learner's line on the class page.
struct Ranked {
    QString name;
    int best = 0;
    int latest = 0;
    double accuracy = 0;  // of the latest
    int daysThisWeek = 0; // days with a result in the 7 days up to now
    QDateTime lastSeen;
    std::vector<std::pair<QDate, int>> weeks; // best speed of each week (Monday), oldest first
};

class ResultsStore {
public:
    // "sqlite:PATH" or "postgresql://user@host:port/database" (a password
    // in the address or in ~/.pgpass). Brings the schema up to date.
    explicit ResultsStore(const QString& address);
    ~ResultsStore();
    ResultsStore(const ResultsStore&) = delete;
    ResultsStore& operator=(const ResultsStore&) = delete;

    NewClass createClass(const QString& name);
    // The learner's token, or nothing when no open class has that code.
    std::optional<QString> join(const QString& joinCode, const QString& name);
    std::optional<Learner> learnerOf(const QString& token) const;
    // Whether `token` is the teacher's of the class with `joinCode`.
    bool teaches(const QString& token, const QString& joinCode) const;
    bool inClass(const Learner& learner, const QString& joinCode) const;
    // The class's learners, in the order they joined (the teacher's list).
    std::vector<Learner> learners(const QString& joinCode) const;
    bool renameLearner(const QString& joinCode, qint64 learner, const QString& name);
    bool removeLearner(const QString& joinCode, qint64 learner);
    bool closeClass(const QString& joinCode);
    // Stores a result once: false when the learner posted that key before.
    bool addResult(const Learner& learner, const Result& result, const QDateTime& now);
    // The class's name, or nothing for a code no class has.
    std::optional<QString> className(const QString& joinCode) const;
    // The learners of a class with results of `kind`, best first.
    std::vector<Ranked> ranking(const QString& joinCode, Kind kind, const QDateTime& now) const;
    int resultCount() const;

    static QString hashOf(const QString& token);

private:
    void migrate();
    QSqlQuery run(const QString& sql, const QVariantList& values) const;
    // Opens a dead connection again; false when it was alive or stays dead.
    bool reconnect() const;
    QString connection_;
    mutable QSqlDatabase db_; // opened again when PostgreSQL comes back
    // Each statement with values, prepared once: PostgreSQL then answers it
    // in one round trip instead of three (prepare, run, deallocate).
    mutable std::map<QString, QSqlQuery> prepared_;
    bool postgres_ = false;
};

} // namespace results
