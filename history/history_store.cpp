#include "history/history_store.h"

#include "history/history_schema.h"
#include "history/sqlite_reason.h"
#include "platform/damaged_copy.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QAtomicInt connections;

// Why the file is damaged; the constructor sets it aside and starts afresh.
struct Damaged {
    QString why;
};

const char* const kTimeFormat = "yyyy-MM-ddTHH:mm:ss";

QString timeText(const QDateTime& t) {
    return t.toString(QString::fromLatin1(kTimeFormat));
}
// Reads a time as the store writes it, "yyyy-MM-ddTHH:mm:ss", by its fixed
// places (a format parse at every row made a year of history slow to open);
// anything else goes through the format parse.
QDateTime timeOf(const QVariant& v) {
    const QString t = v.toString();
    if (t.size() == 19 && t[4] == u'-' && t[7] == u'-' && t[10] == u'T' && t[13] == u':' &&
        t[16] == u':') {
        auto number = [&](int at, int n) { return QStringView(t).mid(at, n).toInt(); };
        const QDateTime fast(QDate(number(0, 4), number(5, 2), number(8, 2)),
                             QTime(number(11, 2), number(14, 2), number(17, 2)));
        if (fast.isValid())
            return fast;
    }
    return QDateTime::fromString(t, QString::fromLatin1(kTimeFormat));
}
QString dayText(const QDate& d) {
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}
QDate dayOf(const QVariant& v) {
    return QDate::fromString(v.toString(), Qt::ISODate);
}

// Hands each row of `rows` (ordered by the id of its parent, in column 0) to
// `take` with its parent from `parents` (ordered by id): one walk through
// both, rows of a parent not in the list left out.
template <typename Parent, typename Take>
void attachRows(QSqlQuery& rows, std::vector<Parent>& parents, Take take) {
    size_t at = 0;
    while (rows.next()) {
        const qint64 id = rows.value(0).toLongLong();
        while (at < parents.size() && parents[at].id < id)
            ++at;
        if (at == parents.size() || parents[at].id != id)
            continue;
        take(parents[at], rows);
    }
}

// Characters are reviewed from the character exercises, words from the word
// exercises; the stroke exercises have nothing to review.
enum class Reviewed { None, Characters, Words };
Reviewed reviewedBy(int kind) {
    if ((kind >= kFirstCharacterKind && kind <= kLastCharacterKind) || kind == kCharacterReviewKind)
        return Reviewed::Characters;
    if ((kind >= kFirstWordKind && kind <= kLastWordKind) || kind == kWordReviewKind)
        return Reviewed::Words;
    return Reviewed::None;
}

// A transaction that rolls back unless committed.
class Transaction {
public:
    explicit Transaction(QSqlDatabase& db) : db_(db) { open_ = db_.transaction(); }
    ~Transaction() {
        if (open_)
            db_.rollback();
    }
    bool opened() const { return open_; }
    bool commit() {
        open_ = !db_.commit();
        return !open_;
    }

private:
    QSqlDatabase& db_;
    bool open_ = false;
};

// Checks the file's pages and indexes on a read-only connection of its own
// (in the thread that calls it): why it is damaged, "" when it is not, or
// when it cannot be read now (the program's own reads and writes then say
// what is wrong).
QString damageOf(const QString& path) {
    const QString name = QStringLiteral("tarvo-history-check-%1").arg(++connections);
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1")
                                 .arg(HistoryStore::kBusyMilliseconds));
        if (db.open()) {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
                if (isDamage(q.lastError()))
                    why = sqliteReason(q.lastError());
            } else if (!q.next() || q.value(0).toString() != QLatin1String("ok")) {
                why = QStringLiteral("页面或索引的校验没有通过");
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return why;
}

} // namespace

HistoryStore::HistoryStore(const QString& path, Check check)
    : path_(path), connection_(QStringLiteral("tarvo-history-%1").arg(++connections)),
      checkWhen_(check) {
    // A folder or a FIFO in its place is never opened (SQLite would wait or
    // call it a disk error).
    // A symbolic link is refused too: SQLite would write wherever it points,
    // or make a new database there when it points nowhere.
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode))
        throw UserError(QStringLiteral("无法打开学习记录 %1：%2")
                            .arg(regularfile::fullPath(path_), regularfile::linkReason()));
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        throw UserError(
            QStringLiteral("无法打开学习记录 %1：%2")
                .arg(regularfile::fullPath(path_), regularfile::notRegularReason(st.st_mode)));
    try {
        open();
    } catch (const Damaged& d) {
        close();
        setAside(d.why);
        open();
    }
}

HistoryStore::~HistoryStore() {
    close();
}

void HistoryStore::open() {
    opening_ = true;
    struct Opened {
        bool& flag;
        ~Opened() { flag = false; }
    } opened{opening_};
    // A learner's history is private: a new file is made readable by its
    // owner only, and SQLite gives its journal files the same rights.
    const QByteArray name = QFile::encodeName(path_);
    const int made = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (made >= 0)
        ::close(made);
    // A connection name of its own at each opening: a file set aside while
    // a read of it was under way leaves that read's connection behind.
    connection_ = QStringLiteral("tarvo-history-%1").arg(++connections);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db_.setDatabaseName(path_);
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyMilliseconds));
    try {
        if (!db_.open())
            fail(db_.lastError());
        // A file that is not a database fails at its first read; a damaged
        // one at the check of its pages and indexes.
        auto first = [this](const QString& sql) {
            QSqlQuery q(db_);
            if (!q.exec(sql)) {
                if (isDamage(q.lastError()))
                    throw Damaged{sqliteReason(q.lastError())};
                fail(q.lastError());
            }
            return q;
        };
        // The version comes first, before anything is written: a file of a
        // newer program, or with a version no program writes, stays as it is.
        QSqlQuery versionQuery = first(QStringLiteral("PRAGMA user_version"));
        const int version = versionQuery.next() ? versionQuery.value(0).toInt() : 0;
        versionQuery.finish();
        if (version > kSchemaVersion)
            throw UserError(
                QStringLiteral("学习记录 %1 由更新版本的程序写的（版本 %2），这个程序不能读写它，"
                               "文件保持原样")
                    .arg(regularfile::fullPath(path_))
                    .arg(version));
        if (version < 0)
            throw UserError(
                QStringLiteral("学习记录 %1 的版本号 %2 不对，不是本程序写的，文件保持原样")
                    .arg(regularfile::fullPath(path_))
                    .arg(version));
        first(QStringLiteral("PRAGMA journal_mode=WAL"));
        // A file brought up to date is written at once: checked first.
        const bool current = version == kSchemaVersion && kept_.built();
        if (checkWhen_ == Check::AtOpening || !current) {
            QSqlQuery check = first(QStringLiteral("PRAGMA quick_check"));
            if (!check.next() || check.value(0).toString() != QLatin1String("ok"))
                throw Damaged{QStringLiteral("页面或索引的校验没有通过")};
        } else {
            checkPending_ = true;
        }
        exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        migrate(db_, kSchemaVersion, path_);
        buildKeptCounts();
    } catch (...) {
        close();
        throw;
    }
}

void HistoryStore::startCheck() {
    if (checkPending_ && !check_.valid())
        check_ = std::async(std::launch::async, damageOf, path_);
}

void HistoryStore::settleCheck() {
    if (!checkPending_)
        return;
    checkPending_ = false;
    const QString why = check_.valid() ? check_.get() : damageOf(path_);
    if (!why.isEmpty())
        startAfresh(why);
}

void HistoryStore::startAfresh(const QString& why) {
    checkPending_ = false;
    close();
    setAside(why);
    checkWhen_ = Check::AtOpening;
    open();
}

void HistoryStore::buildKeptCounts() {
    // Once, for a history written before the counts were kept (and again
    // if that was cut short).
    if (kept_.built())
        return;
    Transaction t(db_);
    if (!t.opened())
        fail(db_.lastError());
    kept_.rebuild(trainingRuns(Items::Missed), articleTests());
    if (!t.commit())
        fail(db_.lastError());
}

void HistoryStore::setCornerTable(std::shared_ptr<const coaching::CornerTable> table) {
    corners_ = std::move(table);
    refreshCorners();
}

void HistoryStore::refreshCorners() {
    if (!corners_)
        return;
    // An empty table (its file missing) has no fingerprint of its own.
    const QString print =
        corners_->fingerprint().isEmpty() ? QStringLiteral("-") : corners_->fingerprint();
    // Made by another table, or left stale by a run recorded without one
    // (here or by another program on the same file): made again.
    if (kept_.cornersMadeWith() == print)
        return;
    settleCheck();
    Transaction t(db_);
    if (!t.opened())
        fail(db_.lastError());
    kept_.rebuildCorners(answeredItems(true), *corners_, print);
    if (!t.commit())
        fail(db_.lastError());
}

std::optional<coaching::ConfusionReport> HistoryStore::confusions() {
    if (!corners_)
        return std::nullopt;
    refreshCorners();
    return kept_.confusions();
}

std::vector<coaching::CharacterMiss>
HistoryStore::cornerMisses(const coaching::DrillTarget& target) {
    if (!corners_)
        return {};
    refreshCorners();
    return kept_.misses(target);
}

std::vector<coaching::AnsweredItem> HistoryStore::answeredItems(bool withRightOnes) const {
    std::vector<coaching::AnsweredItem> answered;
    if (withRightOnes)
        for (const ItemCount& c : rightAtOnceCounts())
            answered.push_back({c.item, c.code, {c.code}, {}, c.times});
    for (const TrainingRunRecord& run : trainingRuns(Items::Missed)) {
        if (run.kind < kFirstCharacterKind)
            continue;
        for (const TrainingItemRecord& item : run.items)
            answered.push_back({item.item, item.code, item.answers, {}});
    }
    return answered;
}

std::map<int, std::vector<history_stats::DayValue>> HistoryStore::speedPerDay() const {
    return kept_.speedPerDay();
}

std::vector<history_stats::MissedItem> HistoryStore::mostMissed(int limit) const {
    return kept_.mostMissed(limit);
}

history_stats::DigitMistakes HistoryStore::digitMistakes() const {
    return kept_.digitMistakes();
}

int HistoryStore::trainedRuns() const {
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM training_runs WHERE answered > 0")) ||
        !q.next())
        fail(q.lastError());
    return q.value(0).toInt();
}

std::vector<HistoryStore::WarmupTotal> HistoryStore::warmupTotals() const {
    std::vector<WarmupTotal> out;
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT mode, count(*), max(score) FROM warmups GROUP BY mode")))
        fail(q.lastError());
    while (q.next())
        out.push_back({q.value(0).toString(), q.value(1).toInt(), q.value(2).toInt(), {}});
    QSqlQuery recent(db_);
    recent.prepare(
        QStringLiteral("SELECT score FROM warmups WHERE mode = ? ORDER BY rowid DESC LIMIT 5"));
    for (WarmupTotal& w : out) {
        recent.addBindValue(w.mode);
        if (!recent.exec())
            fail(recent.lastError());
        while (recent.next())
            w.recent << recent.value(0).toInt();
    }
    return out;
}

void HistoryStore::close() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

void HistoryStore::setAside(const QString& why) {
    const QString shown = regularfile::fullPath(path_);
    const damagedcopy::Moved moved = damagedcopy::setAside(path_);
    if (!moved.ok())
        throw UserError(QStringLiteral("学习记录 %1 已损坏（%2），无法改名保存（%3）。")
                            .arg(shown, why, moved.reason));
    // Its write-ahead log goes with it; the shared-memory index is made anew.
    QFile::rename(path_ + QStringLiteral("-wal"), moved.copy + QStringLiteral("-wal"));
    QFile::remove(path_ + QStringLiteral("-shm"));
    ++setAsideCount_;
    notice_ = QStringLiteral("学习记录 %1 已损坏（%2），已改名保存为 %3，学习记录重新开始。")
                  .arg(shown, why, moved.copy);
}

void HistoryStore::fail(const QSqlError& error) const {
    // Damage met while opening (the settings read before the check): the
    // file is set aside like one that fails the check.
    if (opening_ && isDamage(error))
        throw Damaged{sqliteReason(error)};
    // A damaged file met by a read before its check in the background had
    // its say (the plan line reads first): set aside now, a fresh history
    // started, and the read's error says so.
    if (checkPending_ && isDamage(error)) {
        auto* self = const_cast<HistoryStore*>(this);
        self->startAfresh(QStringLiteral("读取时发现文件内容损坏"));
        throw UserError(self->takeNotice());
    }
    throw UserError(QStringLiteral("无法读写学习记录 %1：%2")
                        .arg(regularfile::fullPath(path_), sqliteReason(error)));
}

void HistoryStore::exec(const QString& sql) const {
    QSqlQuery q(db_);
    if (!q.exec(sql))
        fail(q.lastError());
}

void HistoryStore::migrate(QSqlDatabase& db, int version, const QString& path) {
    history_schema::migrate(db, version, path);
}

std::vector<QDate> HistoryStore::streakDays(QDate today) const {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral(
        "SELECT EXISTS(SELECT 1 FROM training_runs WHERE answered > 0 AND substr(ended, 1, 10) = "
        ":d) OR EXISTS(SELECT 1 FROM article_tests WHERE substr(ended, 1, 10) = :d) OR "
        "EXISTS(SELECT 1 FROM warmups WHERE substr(played, 1, 10) = :d)"));
    auto practised = [&](QDate day) {
        q.bindValue(QStringLiteral(":d"), dayText(day));
        if (!q.exec() || !q.next())
            fail(q.lastError());
        return q.value(0).toBool();
    };
    std::vector<QDate> days;
    QDate day = practised(today) ? today : today.addDays(-1);
    while (day.isValid() && practised(day)) {
        days.push_back(day);
        day = day.addDays(-1);
    }
    std::reverse(days.begin(), days.end());
    return days;
}

std::vector<TrainingRunRecord> HistoryStore::courseRuns() const {
    // By the course's index; ordered here, as an ORDER BY would walk every run.
    std::vector<TrainingRunRecord> runs =
        runsWhere(QStringLiteral("course_step > 0 AND answered > 0"));
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    return runs;
}

std::vector<TrainingRunRecord> HistoryStore::runsWhere(const QString& condition) const {
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT id, kind, level, started, ended, speed, answered, wrong, "
                               "hints, finished, course_step FROM training_runs WHERE %1")
                    .arg(condition)))
        fail(q.lastError());
    std::vector<TrainingRunRecord> runs;
    while (q.next()) {
        TrainingRunRecord r;
        r.id = q.value(0).toLongLong();
        r.kind = q.value(1).toInt();
        r.level = q.value(2).toInt();
        r.started = timeOf(q.value(3));
        r.ended = timeOf(q.value(4));
        r.speed = q.value(5).toInt();
        r.answered = q.value(6).toInt();
        r.wrong = q.value(7).toInt();
        r.hints = q.value(8).toInt();
        r.finished = q.value(9).toInt() != 0;
        r.courseStep = q.value(10).toInt();
        runs.push_back(std::move(r));
    }
    return runs;
}

std::vector<ArticleTestRecord> HistoryStore::articleTestTotals() const {
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT id, article, ended, seconds, typed, wrong, speed, accuracy "
                               "FROM article_tests ORDER BY id")))
        fail(q.lastError());
    std::vector<ArticleTestRecord> tests;
    while (q.next()) {
        ArticleTestRecord t;
        t.id = q.value(0).toLongLong();
        t.article = q.value(1).toString();
        t.ended = timeOf(q.value(2));
        t.seconds = q.value(3).toInt();
        t.typed = q.value(4).toInt();
        t.wrong = q.value(5).toInt();
        t.speed = q.value(6).toInt();
        t.accuracy = q.value(7).toDouble();
        tests.push_back(std::move(t));
    }
    return tests;
}

int HistoryStore::dueCount(bool words, QDate today) const {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("SELECT count(*) FROM review WHERE words = ? AND retired = 0 AND "
                             "due <> '' AND due <= ?"));
    q.addBindValue(words ? 1 : 0);
    q.addBindValue(dayText(today));
    if (!q.exec() || !q.next())
        fail(q.lastError());
    return q.value(0).toInt();
}

std::vector<HistoryStore::ItemCount> HistoryStore::rightAtOnceCounts() const {
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT item, code, times FROM right_at_once")))
        fail(q.lastError());
    std::vector<ItemCount> counts;
    while (q.next())
        counts.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt()});
    return counts;
}

int HistoryStore::schemaVersion() const {
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        fail(q.lastError());
    return q.value(0).toInt();
}

QString HistoryStore::setting(const QString& key, const QString& fallback) const {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    q.addBindValue(key);
    if (!q.exec())
        fail(q.lastError());
    return q.next() ? q.value(0).toString() : fallback;
}

void HistoryStore::setSetting(const QString& key, const QString& value) {
    settleCheck();
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO settings(key, value) VALUES(?, ?)"));
    q.addBindValue(key);
    q.addBindValue(value);
    if (!q.exec())
        fail(q.lastError());
}

bool HistoryStore::enabled() const {
    return setting(QStringLiteral("enabled"), QStringLiteral("1")) == QLatin1String("1");
}
void HistoryStore::setEnabled(bool on) {
    setSetting(QStringLiteral("enabled"), on ? QStringLiteral("1") : QStringLiteral("0"));
}
int HistoryStore::goal() const {
    return setting(QStringLiteral("goal"), QStringLiteral("0")).toInt();
}
void HistoryStore::setGoal(int charactersPerMinute) {
    setSetting(QStringLiteral("goal"), QString::number(std::max(0, charactersPerMinute)));
}

void HistoryStore::addTrainingRun(TrainingRunRecord& run, const ReviewSchedule::Clock& today) {
    settleCheck();
    if (!enabled())
        return queueOnly([&] { queue_.addRun(run); });
    Transaction t(db_);
    if (!t.opened())
        fail(db_.lastError());
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO training_runs(kind, level, started, ended, speed, "
                             "answered, wrong, hints, finished, course_step) "
                             "VALUES(?,?,?,?,?,?,?,?,?,?)"));
    for (const QVariant& v :
         {QVariant(run.kind), QVariant(run.level), QVariant(timeText(run.started)),
          QVariant(timeText(run.ended)), QVariant(run.speed), QVariant(run.answered),
          QVariant(run.wrong), QVariant(run.hints), QVariant(run.finished ? 1 : 0),
          QVariant(run.courseStep)})
        q.addBindValue(v);
    if (!q.exec())
        fail(q.lastError());
    run.id = q.lastInsertId().toLongLong();

    QSqlQuery item(db_);
    item.prepare(QStringLiteral("INSERT INTO training_items(run_id, item, code, answers, right, "
                                "seconds, hinted, slip) VALUES(?,?,?,?,?,?,?,?)"));
    QSqlQuery counted(db_);
    counted.prepare(QStringLiteral("INSERT INTO right_at_once(item, code, times) VALUES(?, ?, 1) "
                                   "ON CONFLICT(item, code) DO UPDATE SET times = times + 1"));
    for (const TrainingItemRecord& i : run.items) {
        const QString answers = i.answers.join(u' ');
        const bool slip = !i.right || i.hinted || answers != i.code;
        for (const QVariant& v : {QVariant(run.id), QVariant(i.item), QVariant(i.code),
                                  QVariant(answers), QVariant(i.right ? 1 : 0), QVariant(i.seconds),
                                  QVariant(i.hinted ? 1 : 0), QVariant(slip ? 1 : 0)})
            item.addBindValue(v);
        if (!item.exec())
            fail(item.lastError());
        if (!slip && run.kind >= kFirstCharacterKind) {
            counted.bindValue(0, i.item);
            counted.bindValue(1, i.code);
            if (!counted.exec())
                fail(counted.lastError());
        }
    }

    const Reviewed reviewed = reviewedBy(run.kind);
    if (reviewed != Reviewed::None) {
        const bool words = reviewed == Reviewed::Words;
        // Only the cards of the run's items are read and written again.
        QStringList items;
        for (const TrainingItemRecord& i : run.items)
            items << i.item;
        ReviewSchedule s = reviewSchedule(words, today, items);
        for (const TrainingItemRecord& i : run.items)
            s.answered(i.item, i.code, i.right && i.answers.size() <= 1, i.hinted);
        saveCards(words, s);
    }
    kept_.addRun(run, corners_.get());
    if (queueing_)
        queue_.addRun(run);
    if (!t.commit())
        fail(db_.lastError());
}

void HistoryStore::addArticleTest(ArticleTestRecord& test, const ReviewSchedule::Clock& today) {
    settleCheck();
    if (!enabled())
        return queueOnly([&] { queue_.addTest(test); });
    Transaction t(db_);
    if (!t.opened())
        fail(db_.lastError());
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO article_tests(article, ended, seconds, typed, wrong, "
                             "speed, accuracy) VALUES(?,?,?,?,?,?,?)"));
    for (const QVariant& v : {QVariant(test.article), QVariant(timeText(test.ended)),
                              QVariant(test.seconds), QVariant(test.typed), QVariant(test.wrong),
                              QVariant(test.speed), QVariant(test.accuracy)})
        q.addBindValue(v);
    if (!q.exec())
        fail(q.lastError());
    test.id = q.lastInsertId().toLongLong();

    QSqlQuery e(db_);
    e.prepare(QStringLiteral(
        "INSERT INTO test_errors(test_id, expected, entered, code, typed_code, wrong_candidate) "
        "VALUES(?,?,?,?,?,?)"));
    QStringList missed;
    for (const TestErrorRecord& r : test.errors)
        missed << r.expected;
    ReviewSchedule s = reviewSchedule(false, today, missed);
    for (const TestErrorRecord& r : test.errors) {
        for (const QVariant& v :
             {QVariant(test.id), QVariant(r.expected), QVariant(r.entered), QVariant(r.code),
              QVariant(r.typedCode), QVariant(r.wrongCandidate ? 1 : 0)})
            e.addBindValue(v);
        if (!e.exec())
            fail(e.lastError());
        if (!r.expected.trimmed().isEmpty())
            s.missed(r.expected, r.code);
    }
    saveCards(false, s);
    kept_.addTest(test);
    if (queueing_)
        queue_.addTest(test);
    if (!t.commit())
        fail(db_.lastError());
}

void HistoryStore::addWarmup(const WarmupRecord& warmup) {
    settleCheck();
    if (!enabled())
        return queueOnly([&] { queue_.addGame(warmup); });
    Transaction t(db_);
    if (!t.opened())
        fail(db_.lastError());
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO warmups(played, mode, seconds, score) VALUES(?,?,?,?)"));
    q.addBindValue(timeText(warmup.played));
    q.addBindValue(warmup.mode);
    q.addBindValue(warmup.seconds);
    q.addBindValue(warmup.score);
    if (!q.exec())
        fail(q.lastError());
    if (queueing_)
        queue_.addGame(warmup);
    if (!t.commit())
        fail(db_.lastError());
}

void HistoryStore::queueOnly(const std::function<void()>& add) {
    if (!queueing_)
        return;
    Transaction t(db_);
    if (!t.opened())
        fail(db_.lastError());
    add();
    if (!t.commit())
        fail(db_.lastError());
}

std::optional<ClassResult> HistoryStore::nextResultToPost() const {
    return queue_.next();
}

void HistoryStore::resultPosted(const QString& key, PostOutcome outcome, const QString& why) {
    settleCheck();
    if (outcome == PostOutcome::Sent)
        queue_.markSent(key);
    else if (outcome == PostOutcome::Refused)
        queue_.markRefused(key, why);
}

ResultsQueue::Account HistoryStore::resultsAccount() const {
    return queue_.account();
}

std::vector<TrainingRunRecord> HistoryStore::trainingRuns(Items which) const {
    std::vector<TrainingRunRecord> runs = runsWhere(QStringLiteral("1 ORDER BY id"));
    if (which == Items::None)
        return runs;
    // The items answered right at once (their one answer is their code, no
    // F1) are most of a year's history and tell nothing of the slips.
    const QString filter = which == Items::Missed ? QStringLiteral(" WHERE slip = 1") : QString();
    QSqlQuery i(db_);
    if (!i.exec(QStringLiteral("SELECT run_id, item, code, answers, right, seconds, hinted FROM "
                               "training_items%1 ORDER BY run_id, rowid")
                    .arg(filter)))
        fail(i.lastError());
    attachRows(i, runs, [](TrainingRunRecord& run, const QSqlQuery& row) {
        TrainingItemRecord item;
        item.item = row.value(1).toString();
        item.code = row.value(2).toString();
        item.answers = row.value(3).toString().split(u' ', Qt::SkipEmptyParts);
        item.right = row.value(4).toInt() != 0;
        item.seconds = row.value(5).toDouble();
        item.hinted = row.value(6).toInt() != 0;
        run.items.push_back(std::move(item));
    });
    return runs;
}

std::vector<ArticleTestRecord> HistoryStore::articleTests() const {
    std::vector<ArticleTestRecord> tests = articleTestTotals();
    QSqlQuery e(db_);
    if (!e.exec(QStringLiteral("SELECT test_id, expected, entered, code, typed_code, "
                               "wrong_candidate FROM test_errors ORDER BY test_id, rowid")))
        fail(e.lastError());
    attachRows(e, tests, [](ArticleTestRecord& test, const QSqlQuery& row) {
        test.errors.push_back({row.value(1).toString(), row.value(2).toString(),
                               row.value(3).toString(), row.value(4).toString(),
                               row.value(5).toInt() != 0});
    });
    return tests;
}

std::vector<WarmupRecord> HistoryStore::warmups() const {
    std::vector<WarmupRecord> all;
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT played, mode, seconds, score FROM warmups ORDER BY rowid")))
        fail(q.lastError());
    while (q.next())
        all.push_back(
            {timeOf(q.value(0)), q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt()});
    return all;
}

ReviewSchedule HistoryStore::reviewSchedule(bool words, ReviewSchedule::Clock today) const {
    return reviewSchedule(words, std::move(today), std::nullopt);
}

ReviewSchedule HistoryStore::dueSchedule(bool words, ReviewSchedule::Clock today,
                                         const QStringList& alsoItems) const {
    return reviewSchedule(words, std::move(today), alsoItems, true);
}

ReviewSchedule HistoryStore::reviewSchedule(bool words, ReviewSchedule::Clock today,
                                            const std::optional<QStringList>& only,
                                            bool dueToo) const {
    std::vector<ReviewCard> cards;
    if (only && only->isEmpty() && !dueToo)
        return ReviewSchedule(std::move(today), std::move(cards));
    QStringList distinct;
    if (only) {
        distinct = *only;
        distinct.removeDuplicates();
    }
    QSqlQuery q(db_);
    QString sql = QStringLiteral("SELECT item, code, box, due, right_days, last_right, misses, "
                                 "lookups, last_miss, retired FROM review WHERE words = ?");
    const QString listed = QStringLiteral("item IN (%1)")
                               .arg(QStringList(distinct.size(), QStringLiteral("?")).join(u','));
    if (dueToo)
        sql += QStringLiteral(" AND ((retired = 0 AND due <= ?) OR %1)").arg(listed);
    else if (only)
        sql += QStringLiteral(" AND ") + listed;
    q.prepare(sql + QStringLiteral(" ORDER BY rowid"));
    q.addBindValue(words ? 1 : 0);
    if (dueToo)
        q.addBindValue(dayText(today())); // "" (never given a day) sorts first
    for (const QString& item : distinct)
        q.addBindValue(item);
    if (!q.exec())
        fail(q.lastError());
    while (q.next()) {
        ReviewCard c;
        c.item = q.value(0).toString();
        c.code = q.value(1).toString();
        c.box = q.value(2).toInt();
        c.due = dayOf(q.value(3));
        c.rightDays = q.value(4).toInt();
        c.lastRight = dayOf(q.value(5));
        c.misses = q.value(6).toInt();
        c.lookups = q.value(7).toInt();
        c.lastMiss = dayOf(q.value(8));
        c.retired = q.value(9).toInt() != 0;
        cards.push_back(std::move(c));
    }
    return ReviewSchedule(std::move(today), std::move(cards));
}

void HistoryStore::saveCards(bool words, const ReviewSchedule& schedule) {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO review(words, item, code, box, due, "
                             "right_days, last_right, misses, lookups, last_miss, retired) "
                             "VALUES(?,?,?,?,?,?,?,?,?,?,?)"));
    for (const ReviewCard& c : schedule.cards()) {
        for (const QVariant& v :
             {QVariant(words ? 1 : 0), QVariant(c.item), QVariant(c.code), QVariant(c.box),
              QVariant(dayText(c.due)), QVariant(c.rightDays), QVariant(dayText(c.lastRight)),
              QVariant(c.misses), QVariant(c.lookups), QVariant(dayText(c.lastMiss)),
              QVariant(c.retired ? 1 : 0)})
            q.addBindValue(v);
        if (!q.exec())
            fail(q.lastError());
    }
}

void HistoryStore::clear() {
    settleCheck();
    {
        Transaction t(db_);
        if (!t.opened())
            fail(db_.lastError());
        std::vector<const char*> tables = {"test_errors",   "article_tests",     "training_items",
                                           "training_runs", "warmups",           "review",
                                           "right_at_once", ResultsQueue::kTable};
        tables.insert(tables.end(), KeptCounts::tables().begin(), KeptCounts::tables().end());
        for (const char* table : tables)
            exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
        if (!t.commit())
            fail(db_.lastError());
    }
    // Deleted for good: the freed pages are wiped and the log emptied.
    exec(QStringLiteral("VACUUM"));
    exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}
