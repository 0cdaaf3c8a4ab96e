#include "history/history_stats.h"

#include <algorithm>
#include <cmath>

namespace history_stats {

namespace {
std::vector<DayValue> meanPerDay(const std::map<QDate, std::pair<double, int>>& sums) {
    std::vector<DayValue> out;
    for (const auto& [day, sum] : sums)
        out.push_back({day, sum.first / sum.second});
    return out;
}

bool digitsOnly(const QString& s) {
    return !s.isEmpty() &&
           std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
} // namespace

QString kindName(int kind) {
    static const char* const kNames[] = {"简单",     "较难",     "彩色字",   "全码字",  "稍难字",
                                         "一键简码", "二键简码", "二字词",   "三字词",  "四字词",
                                         "一键词",   "多字词",   "错字复习", "错词复习"};
    if (kind == kArticleTestKind)
        return QStringLiteral("文章测试");
    if (kind > kCourseLineBase)
        return QStringLiteral("学习路线第%1步").arg(kind - kCourseLineBase);
    if (kind < 0 || kind >= static_cast<int>(std::size(kNames)))
        return QStringLiteral("练习%1").arg(kind);
    return QString::fromUtf8(kNames[kind]);
}

std::map<int, std::vector<DayValue>> speedPerDay(const std::vector<TrainingRunRecord>& runs,
                                                 const std::vector<ArticleTestRecord>& tests) {
    std::map<int, std::map<QDate, std::pair<double, int>>> sums;
    for (const TrainingRunRecord& r : runs) {
        // Opened and left at once, or left before the speed clock showed a
        // speed: no speed to speak of (a zero would pull the day down).
        if (r.answered == 0 || r.speed <= 0)
            continue;
        auto& s = sums[lineOf(r)][r.ended.date()];
        s.first += r.speed;
        ++s.second;
    }
    for (const ArticleTestRecord& t : tests) {
        if (t.typed == 0)
            continue;
        auto& s = sums[kArticleTestKind][t.ended.date()];
        s.first += t.speed;
        ++s.second;
    }
    std::map<int, std::vector<DayValue>> out;
    for (const auto& [kind, days] : sums)
        out[kind] = meanPerDay(days);
    return out;
}

std::vector<DayValue> testAccuracy(const std::vector<ArticleTestRecord>& tests) {
    std::vector<DayValue> out;
    for (const ArticleTestRecord& t : tests) {
        if (t.typed > 0)
            out.push_back({t.ended.date(), t.accuracy});
    }
    return out;
}

QStringList summaryLines(int trainedRuns, int tests,
                         const std::map<int, std::vector<DayValue>>& speeds,
                         const std::vector<DayValue>& testAccuracy) {
    if (trainedRuns == 0 && tests == 0)
        return {QStringLiteral("还没有学习记录。完成一次训练或文章测试后，这里会显示进步。")};
    QStringList lines;
    lines << QStringLiteral("共 %1 次训练，%2 次文章测试。").arg(trainedRuns).arg(tests);
    for (const auto& [kind, days] : speeds) {
        if (kind != kArticleTestKind)
            lines << QStringLiteral("%1：最好 %2 字/分，中位 %3 字/分。")
                         .arg(kindName(kind))
                         .arg(best(days), 0, 'f', 0)
                         .arg(median(days), 0, 'f', 0);
    }
    if (!testAccuracy.empty()) {
        const auto found = speeds.find(kArticleTestKind);
        const std::vector<DayValue> testSpeeds =
            found == speeds.end() ? std::vector<DayValue>{} : found->second;
        lines << QStringLiteral("文章测试速度：最好 %1 字/分，中位 %2 字/分；正确率：最好 "
                                "%3%，中位 %4%。")
                     .arg(best(testSpeeds), 0, 'f', 0)
                     .arg(median(testSpeeds), 0, 'f', 0)
                     .arg(std::floor(best(testAccuracy)), 0, 'f', 0)
                     .arg(std::floor(median(testAccuracy)), 0, 'f', 0);
    }
    return lines;
}

double best(const std::vector<DayValue>& values) {
    double b = 0;
    for (const DayValue& v : values)
        b = std::max(b, v.value);
    return b;
}

double median(const std::vector<DayValue>& values) {
    if (values.empty())
        return 0;
    std::vector<double> v;
    for (const DayValue& d : values)
        v.push_back(d.value);
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

MissedTally::Entry& MissedTally::at(const QString& item, const QString& code) {
    Entry& e = entries_[item];
    e.item.item = item;
    if (!code.isEmpty())
        e.item.code = code;
    e.lastSeen = ++order_;
    return e;
}

void MissedTally::addRun(const TrainingRunRecord& run) {
    // The stroke pictures are digits, not characters or words: their slips
    // show in the stroke table.
    if (run.kind >= 0 && run.kind < kFirstCharacterKind)
        return;
    for (const TrainingItemRecord& i : run.items) {
        int wrong = 0;
        for (const QString& a : i.answers)
            wrong += a != i.code;
        if (wrong == 0 && !i.hinted && i.right)
            continue;
        Entry& e = at(i.item, i.code);
        e.item.misses += std::max(wrong, i.right ? 0 : 1);
        e.item.lookups += i.hinted ? 1 : 0;
        for (const QString& a : i.answers) {
            if (a != i.code)
                ++e.typed[a];
        }
    }
}

void MissedTally::addTest(const ArticleTestRecord& test) {
    for (const TestErrorRecord& err : test.errors) {
        if (err.expected.trimmed().isEmpty())
            continue;
        Entry& e = at(err.expected, err.code);
        ++e.item.misses;
        // The right code with the wrong candidate is another slip than a
        // wrong code: it is never the code the learner "types wrong".
        if (err.wrongCandidate)
            ++e.item.wrongCandidates;
        else if (!err.typedCode.isEmpty() && err.typedCode != err.code)
            ++e.typed[err.typedCode];
    }
}

std::vector<MissedItem> ranked(const std::vector<MissedTally::Entry>& entries, int limit) {
    std::vector<std::pair<qint64, MissedItem>> all;
    for (const MissedTally::Entry& e : entries) {
        MissedItem m = e.item;
        for (const auto& [code, n] : e.typed) {
            if (n > m.wrongCodeCount) {
                m.wrongCode = code;
                m.wrongCodeCount = n;
            }
        }
        all.emplace_back(e.lastSeen, std::move(m));
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
        const int na = a.second.misses + a.second.lookups;
        const int nb = b.second.misses + b.second.lookups;
        return na != nb ? na > nb : a.first > b.first;
    });
    std::vector<MissedItem> out;
    for (auto& p : all) {
        if (static_cast<int>(out.size()) >= limit)
            break;
        out.push_back(std::move(p.second));
    }
    return out;
}

void inEndOrder(const std::vector<TrainingRunRecord>& runs,
                const std::vector<ArticleTestRecord>& tests,
                const std::function<void(const TrainingRunRecord&)>& run,
                const std::function<void(const ArticleTestRecord&)>& test) {
    size_t t = 0;
    for (const TrainingRunRecord& r : runs) {
        for (; t < tests.size() && tests[t].ended < r.ended; ++t)
            test(tests[t]);
        run(r);
    }
    for (; t < tests.size(); ++t)
        test(tests[t]);
}

std::vector<MissedItem> mostMissed(const std::vector<TrainingRunRecord>& runs,
                                   const std::vector<ArticleTestRecord>& tests, int limit) {
    MissedTally tally;
    // The most recent slip is the latest of a run's or a test's.
    inEndOrder(
        runs, tests, [&](const TrainingRunRecord& r) { tally.addRun(r); },
        [&](const ArticleTestRecord& t) { tally.addTest(t); });
    std::vector<MissedTally::Entry> entries;
    for (const auto& [item, e] : tally.entries())
        entries.push_back(e);
    return ranked(entries, limit);
}

int DigitMistakes::total(int digit) const {
    int n = 0;
    for (int t : typedFor[static_cast<size_t>(digit)])
        n += t;
    return n;
}

int DigitMistakes::mostConfusedWith(int digit) const {
    int bestDigit = -1;
    int bestCount = 0;
    for (int d = 0; d < 10; ++d) {
        const int n = typedFor[static_cast<size_t>(digit)][static_cast<size_t>(d)];
        if (n > bestCount) {
            bestCount = n;
            bestDigit = d;
        }
    }
    return bestDigit;
}

void DigitMistakes::compare(const QString& right, const QString& typed) {
    if (!digitsOnly(right) || !digitsOnly(typed) || right == typed)
        return;
    for (qsizetype i = 0; i < std::min(right.size(), typed.size()); ++i) {
        if (right[i] != typed[i])
            ++typedFor[static_cast<size_t>(right[i].unicode() - u'0')]
                      [static_cast<size_t>(typed[i].unicode() - u'0')];
    }
}

void DigitMistakes::addRun(const TrainingRunRecord& run) {
    for (const TrainingItemRecord& i : run.items) {
        for (const QString& a : i.answers)
            compare(i.code, a);
    }
}

void DigitMistakes::addTest(const ArticleTestRecord& test) {
    for (const TestErrorRecord& e : test.errors)
        compare(e.code, e.typedCode);
}

DigitMistakes digitMistakes(const std::vector<TrainingRunRecord>& runs,
                            const std::vector<ArticleTestRecord>& tests) {
    DigitMistakes m;
    for (const TrainingRunRecord& r : runs)
        m.addRun(r);
    for (const ArticleTestRecord& t : tests)
        m.addTest(t);
    return m;
}

} // namespace history_stats
