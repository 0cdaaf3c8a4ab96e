#include "history/kept_counts.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <tuple>

namespace {

// The settings that say what is built and where the orders go on.
constexpr char kBuilt[] = "kept_counts";         // "1": the counts are made
constexpr char kCornersWith[] = "corner_counts"; // the corner table's fingerprint
constexpr char kMissedOrder[] = "missed_order";  // the last order a missed item had
constexpr char kCornerOrder[] = "corner_order";  // the next order of a corner answer
constexpr QChar kExampleSeparator = u'\t';

// The codes typed for the character and word items of a run, as the corner
// counts read them (the stroke pictures' digits belong to no corner).
std::vector<coaching::AnsweredItem> answeredItems(const TrainingRunRecord& run) {
    std::vector<coaching::AnsweredItem> out;
    if (run.kind < kFirstCharacterKind)
        return out;
    for (const TrainingItemRecord& i : run.items)
        out.push_back({i.item, i.code, i.answers, {}});
    return out;
}

// How many orders the corner answers of `answered` take.
int ordersOf(const std::vector<coaching::AnsweredItem>& answered) {
    int n = 0;
    for (const coaching::AnsweredItem& a : answered)
        n += static_cast<int>(a.typed.size());
    return n;
}

// Text as the tables hold it: never NULL (a record's missing date or code
// is kept as "").
QString text(const QString& s) {
    return s.isNull() ? QStringLiteral("") : s;
}

QChar firstChar(const QVariant& v) {
    const QString s = v.toString();
    return s.isEmpty() ? QChar() : s[0];
}

} // namespace

KeptCounts::KeptCounts(const QSqlDatabase& db, std::function<void(const QSqlError&)> fail)
    : db_(db), fail_(std::move(fail)) {}

const std::vector<const char*>& KeptCounts::tables() {
    static const std::vector<const char*> kTables = {
        "day_speeds",   "missed_items",      "missed_codes",     "digit_slips",
        "corner_rates", "corner_confusions", "shape_confusions", "corner_misses"};
    return kTables;
}

void KeptCounts::run(QSqlQuery& q) const {
    if (!q.exec())
        fail_(q.lastError());
}

QString KeptCounts::settingText(const char* key) const {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    q.addBindValue(QString::fromLatin1(key));
    run(q);
    return q.next() ? q.value(0).toString() : QString();
}

qint64 KeptCounts::number(const char* key) const {
    return settingText(key).toLongLong();
}

void KeptCounts::setText(const char* key, const QString& value) const {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO settings(key, value) VALUES(?, ?)"));
    q.addBindValue(QString::fromLatin1(key));
    q.addBindValue(value);
    run(q);
}

void KeptCounts::addRun(const TrainingRunRecord& r, const coaching::CornerTable* corners) {
    // A run left before the speed clock showed a speed has no speed to
    // speak of (a zero would pull the day down).
    if (r.answered > 0 && r.speed > 0)
        addDaySpeed(history_stats::lineOf(r), r.ended.date(), r.speed);
    history_stats::MissedTally missed(number(kMissedOrder));
    missed.addRun(r);
    saveMissed(missed);
    history_stats::DigitMistakes digits;
    digits.addRun(r);
    saveDigits(digits);

    const std::vector<coaching::AnsweredItem> answered = answeredItems(r);
    if (answered.empty())
        return;
    if (!corners)
        setText(kCornersWith, QStringLiteral("")); // made again under the next table
    else if (!cornersMadeWith().isEmpty())
        addCorners(answered, *corners);
}

void KeptCounts::addTest(const ArticleTestRecord& test) {
    if (test.typed > 0)
        addDaySpeed(kArticleTestKind, test.ended.date(), test.speed);
    history_stats::MissedTally missed(number(kMissedOrder));
    missed.addTest(test);
    saveMissed(missed);
    history_stats::DigitMistakes digits;
    digits.addTest(test);
    saveDigits(digits);
}

bool KeptCounts::built() const {
    return number(kBuilt) == 1;
}

void KeptCounts::rebuild(const std::vector<TrainingRunRecord>& runs,
                         const std::vector<ArticleTestRecord>& tests) {
    for (const char* table : {"day_speeds", "missed_items", "missed_codes", "digit_slips"}) {
        QSqlQuery q(db_);
        q.prepare(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
        run(q);
    }
    std::map<std::pair<int, QDate>, std::pair<double, int>> speeds;
    history_stats::MissedTally missed;
    history_stats::DigitMistakes digits;
    history_stats::inEndOrder(
        runs, tests,
        [&](const TrainingRunRecord& r) {
            if (r.answered > 0 && r.speed > 0) {
                auto& s = speeds[{history_stats::lineOf(r), r.ended.date()}];
                s.first += r.speed;
                ++s.second;
            }
            missed.addRun(r);
            digits.addRun(r);
        },
        [&](const ArticleTestRecord& t) {
            if (t.typed > 0) {
                auto& s = speeds[{kArticleTestKind, t.ended.date()}];
                s.first += t.speed;
                ++s.second;
            }
            missed.addTest(t);
            digits.addTest(t);
        });
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO day_speeds(line, day, total, runs) VALUES(?, ?, ?, ?)"));
    for (const auto& [key, sum] : speeds) {
        q.bindValue(0, key.first);
        q.bindValue(1, text(key.second.toString(Qt::ISODate)));
        q.bindValue(2, sum.first);
        q.bindValue(3, sum.second);
        run(q);
    }
    saveMissed(missed);
    saveDigits(digits);
    setText(kBuilt, QStringLiteral("1"));
}

void KeptCounts::addDaySpeed(int line, const QDate& day, double speed) const {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("INSERT INTO day_speeds(line, day, total, runs) VALUES(?, ?, ?, 1) "
                             "ON CONFLICT(line, day) DO UPDATE SET total = total + excluded.total, "
                             "runs = runs + 1"));
    q.addBindValue(line);
    q.addBindValue(text(day.toString(Qt::ISODate)));
    q.addBindValue(speed);
    run(q);
}

void KeptCounts::saveMissed(const history_stats::MissedTally& tally) const {
    if (tally.entries().empty())
        return;
    QSqlQuery item(db_);
    item.prepare(QStringLiteral(
        "INSERT INTO missed_items(item, code, misses, lookups, wrong_candidates, last_seen) "
        "VALUES(?, ?, ?, ?, ?, ?) ON CONFLICT(item) DO UPDATE SET code = CASE WHEN excluded.code "
        "<> '' THEN excluded.code ELSE code END, misses = misses + excluded.misses, lookups = "
        "lookups + excluded.lookups, wrong_candidates = wrong_candidates + "
        "excluded.wrong_candidates, last_seen = max(last_seen, excluded.last_seen)"));
    QSqlQuery typed(db_);
    typed.prepare(QStringLiteral("INSERT INTO missed_codes(item, typed, times) VALUES(?, ?, ?) ON "
                                 "CONFLICT(item, typed) DO UPDATE SET times = times + "
                                 "excluded.times"));
    for (const auto& [name, e] : tally.entries()) {
        const history_stats::MissedItem& m = e.item;
        item.bindValue(0, text(name));
        item.bindValue(1, text(m.code));
        item.bindValue(2, m.misses);
        item.bindValue(3, m.lookups);
        item.bindValue(4, m.wrongCandidates);
        item.bindValue(5, e.lastSeen);
        run(item);
        for (const auto& [code, n] : e.typed) {
            typed.bindValue(0, text(name));
            typed.bindValue(1, text(code));
            typed.bindValue(2, n);
            run(typed);
        }
    }
    setText(kMissedOrder, QString::number(tally.lastOrder()));
}

void KeptCounts::saveDigits(const history_stats::DigitMistakes& digits) const {
    QSqlQuery q(db_);
    q.prepare(
        QStringLiteral("INSERT INTO digit_slips(right, typed, times) VALUES(?, ?, ?) ON "
                       "CONFLICT(right, typed) DO UPDATE SET times = times + excluded.times"));
    for (int right = 0; right < 10; ++right) {
        for (int typed = 0; typed < 10; ++typed) {
            const int n = digits.typedFor[static_cast<size_t>(right)][static_cast<size_t>(typed)];
            if (n == 0)
                continue;
            q.bindValue(0, right);
            q.bindValue(1, typed);
            q.bindValue(2, n);
            run(q);
        }
    }
}

QString KeptCounts::cornersMadeWith() const {
    return settingText(kCornersWith);
}

void KeptCounts::rebuildCorners(const std::vector<coaching::AnsweredItem>& answered,
                                const coaching::CornerTable& table, const QString& fingerprint) {
    for (const char* t :
         {"corner_rates", "corner_confusions", "shape_confusions", "corner_misses"}) {
        QSqlQuery q(db_);
        q.prepare(QStringLiteral("DELETE FROM %1").arg(QLatin1String(t)));
        run(q);
    }
    setText(kCornerOrder, QStringLiteral("0"));
    addCorners(answered, table);
    setText(kCornersWith, fingerprint);
}

void KeptCounts::addCorners(const std::vector<coaching::AnsweredItem>& answered,
                            const coaching::CornerTable& table) const {
    const int first = static_cast<int>(number(kCornerOrder));
    const coaching::ConfusionReport newer = coaching::countConfusions(answered, table, 3, first);
    saveConfusions(coaching::mergeConfusions(confusions(), newer), newer);
    saveMisses(coaching::cornerAnswers(answered, table, first));
    setText(kCornerOrder, QString::number(first + ordersOf(answered)));
}

void KeptCounts::saveConfusions(const coaching::ConfusionReport& merged,
                                const coaching::ConfusionReport& changed) const {
    QSqlQuery rate(db_);
    rate.prepare(QStringLiteral("INSERT OR REPLACE INTO corner_rates(corner, answers, wrong) "
                                "VALUES(?, ?, ?)"));
    for (size_t c = 0; c < merged.corners.size(); ++c) {
        if (changed.corners[c].answers == 0)
            continue;
        rate.bindValue(0, static_cast<int>(c));
        rate.bindValue(1, merged.corners[c].answers);
        rate.bindValue(2, merged.corners[c].wrong);
        run(rate);
    }
    QSqlQuery digit(db_);
    digit.prepare(QStringLiteral(
        "INSERT OR REPLACE INTO corner_confusions(corner, right, typed, right_name, count, last, "
        "examples) VALUES(?, ?, ?, ?, ?, ?, ?)"));
    for (const coaching::DigitConfusion& d : merged.digits) {
        const bool touched = std::any_of(
            changed.digits.begin(), changed.digits.end(), [&](const coaching::DigitConfusion& c) {
                return c.corner == d.corner && c.right == d.right && c.typed == d.typed;
            });
        if (!touched)
            continue;
        for (const QVariant& v :
             {QVariant(d.corner), QVariant(QString(d.right)), QVariant(QString(d.typed)),
              QVariant(text(d.rightName)), QVariant(d.count), QVariant(d.last),
              QVariant(text(d.examples.join(kExampleSeparator)))})
            digit.addBindValue(v);
        run(digit);
    }
    QSqlQuery shape(db_);
    shape.prepare(QStringLiteral(
        "INSERT OR REPLACE INTO shape_confusions(right_name, typed_name, count, last, examples) "
        "VALUES(?, ?, ?, ?, ?)"));
    for (const coaching::ShapeConfusion& s : merged.shapes) {
        const bool touched = std::any_of(changed.shapes.begin(), changed.shapes.end(),
                                         [&](const coaching::ShapeConfusion& c) {
                                             return c.right == s.right && c.typed == s.typed;
                                         });
        if (!touched)
            continue;
        for (const QVariant& v :
             {QVariant(text(s.right)), QVariant(text(s.typed)), QVariant(s.count), QVariant(s.last),
              QVariant(text(s.examples.join(kExampleSeparator)))})
            shape.addBindValue(v);
        run(shape);
    }
}

void KeptCounts::saveMisses(const std::vector<coaching::CornerAnswer>& answers) const {
    // Counted here first: a rebuild writes each character's row once.
    struct Miss {
        int times = 0;
        int last = -1;
    };
    std::map<std::tuple<int, QChar, QString, QString>, Miss> misses;
    for (const coaching::CornerAnswer& a : answers) {
        if (a.typed == a.right)
            continue;
        Miss& m = misses[{a.corner, a.right, a.rightName, a.character}];
        ++m.times;
        m.last = std::max(m.last, a.order);
    }
    QSqlQuery q(db_);
    q.prepare(QStringLiteral(
        "INSERT INTO corner_misses(corner, right, right_name, character, times, last) VALUES(?, ?, "
        "?, ?, ?, ?) ON CONFLICT(corner, right, right_name, character) DO UPDATE SET times = "
        "times + excluded.times, last = max(last, excluded.last)"));
    for (const auto& [key, m] : misses) {
        const auto& [corner, right, name, character] = key;
        for (const QVariant& v : {QVariant(corner), QVariant(QString(right)), QVariant(text(name)),
                                  QVariant(text(character)), QVariant(m.times), QVariant(m.last)})
            q.addBindValue(v);
        run(q);
    }
}

std::map<int, std::vector<history_stats::DayValue>> KeptCounts::speedPerDay() const {
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT line, day, total, runs FROM day_speeds ORDER BY line, day"));
    run(q);
    std::map<int, std::vector<history_stats::DayValue>> out;
    while (q.next())
        out[q.value(0).toInt()].push_back({QDate::fromString(q.value(1).toString(), Qt::ISODate),
                                           q.value(2).toDouble() / q.value(3).toInt()});
    return out;
}

std::vector<history_stats::MissedItem> KeptCounts::mostMissed(int limit) const {
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("SELECT item, code, misses, lookups, wrong_candidates FROM "
                       "missed_items ORDER BY misses + lookups DESC, last_seen DESC LIMIT ?"));
    q.addBindValue(std::max(0, limit));
    run(q);
    QSqlQuery typed(db_);
    typed.prepare(QStringLiteral("SELECT typed, times FROM missed_codes WHERE item = ? ORDER BY "
                                 "times DESC, typed LIMIT 1"));
    std::vector<history_stats::MissedItem> out;
    while (q.next()) {
        history_stats::MissedItem m;
        m.item = q.value(0).toString();
        m.code = q.value(1).toString();
        m.misses = q.value(2).toInt();
        m.lookups = q.value(3).toInt();
        m.wrongCandidates = q.value(4).toInt();
        typed.bindValue(0, m.item);
        run(typed);
        if (typed.next()) {
            m.wrongCode = typed.value(0).toString();
            m.wrongCodeCount = typed.value(1).toInt();
        }
        typed.finish();
        out.push_back(std::move(m));
    }
    return out;
}

history_stats::DigitMistakes KeptCounts::digitMistakes() const {
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("SELECT right, typed, times FROM digit_slips"));
    run(q);
    history_stats::DigitMistakes m;
    while (q.next()) {
        const int right = q.value(0).toInt(), typed = q.value(1).toInt();
        if (right >= 0 && right < 10 && typed >= 0 && typed < 10)
            m.typedFor[static_cast<size_t>(right)][static_cast<size_t>(typed)] = q.value(2).toInt();
    }
    return m;
}

coaching::ConfusionReport KeptCounts::confusions() const {
    coaching::ConfusionReport r;
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT corner, answers, wrong FROM corner_rates"));
    run(q);
    while (q.next()) {
        const int corner = q.value(0).toInt();
        if (corner >= 0 && corner < static_cast<int>(r.corners.size()))
            r.corners[static_cast<size_t>(corner)] = {q.value(1).toInt(), q.value(2).toInt()};
    }
    q.prepare(QStringLiteral("SELECT corner, right, typed, right_name, count, last, examples FROM "
                             "corner_confusions"));
    run(q);
    while (q.next()) {
        coaching::DigitConfusion d;
        d.corner = q.value(0).toInt();
        d.right = firstChar(q.value(1));
        d.typed = firstChar(q.value(2));
        d.rightName = q.value(3).toString();
        d.count = q.value(4).toInt();
        d.last = q.value(5).toInt();
        d.examples = q.value(6).toString().split(kExampleSeparator, Qt::SkipEmptyParts);
        r.digits.push_back(std::move(d));
    }
    q.prepare(QStringLiteral(
        "SELECT right_name, typed_name, count, last, examples FROM shape_confusions"));
    run(q);
    while (q.next()) {
        coaching::ShapeConfusion s;
        s.right = q.value(0).toString();
        s.typed = q.value(1).toString();
        s.count = q.value(2).toInt();
        s.last = q.value(3).toInt();
        s.examples = q.value(4).toString().split(kExampleSeparator, Qt::SkipEmptyParts);
        r.shapes.push_back(std::move(s));
    }
    coaching::rankConfusions(r);
    return r;
}

std::vector<coaching::CharacterMiss> KeptCounts::misses(const coaching::DrillTarget& target) const {
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT character, sum(times), max(last) FROM corner_misses WHERE "
                             "corner = ? AND right = ? AND (? = '' OR right_name = ?) GROUP BY "
                             "character"));
    q.addBindValue(target.corner);
    q.addBindValue(QString(target.digit));
    q.addBindValue(text(target.stroke));
    q.addBindValue(text(target.stroke));
    run(q);
    std::vector<coaching::CharacterMiss> out;
    while (q.next())
        out.push_back({q.value(0).toString(), q.value(1).toInt(), q.value(2).toInt()});
    coaching::rankMisses(out);
    return out;
}
