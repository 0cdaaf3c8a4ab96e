#include "history/history_hooks.h"

#include "articletest/article_test_report.h"
#include "history/history_instance.h"

#include <QDateTime>

void recordTestInHistory(const QString& article, const QString& clock, int typed,
                         const QStringList& errorLines, const std::vector<std::string>& typedCodes,
                         const std::function<QStringList(const QString&)>& codesOf) {
    // A character's full code: the first of its longest codes.
    auto fullCode = [](const QStringList& codes) {
        QString full;
        for (const QString& c : codes)
            if (c.size() > full.size())
                full = c;
        return full;
    };
    ArticleTestRecord t;
    t.article = article;
    t.ended = QDateTime::currentDateTime();
    const TestReport report =
        TestReport::compute(clock, typed, static_cast<int>(errorLines.size()));
    const qsizetype colon = clock.indexOf(u':');
    if (colon >= 0)
        t.seconds =
            clock.left(colon).trimmed().toInt() * 60 + clock.mid(colon + 1).trimmed().toInt();
    t.typed = typed;
    t.wrong = static_cast<int>(errorLines.size());
    t.speed = report.speed;
    // The report's rule: whole percent, cut off (97.9 % is 97 %).
    t.accuracy = typed > 0 ? (typed - t.wrong) * 100 / typed : 0;
    for (qsizetype i = 0; i < errorLines.size(); ++i) {
        const QString& line = errorLines[i];
        const qsizetype open = line.indexOf(u'(');
        if (open < 0 || !line.endsWith(u')'))
            continue;
        TestErrorRecord e;
        e.expected = line.left(open);
        e.entered = line.mid(open + 1, line.size() - open - 2);
        const QStringList codes = codesOf(e.expected);
        e.code = fullCode(codes);
        const size_t at = static_cast<size_t>(i);
        e.typedCode = at < typedCodes.size() && !typedCodes[at].empty()
                          ? QString::fromLatin1(typedCodes[at])
                          : fullCode(codesOf(e.entered));
        e.wrongCandidate = !e.typedCode.isEmpty() && codes.contains(e.typedCode);
        t.errors.push_back(std::move(e));
    }
    recordArticleTest(std::move(t));
}

void recordWarmupInHistory(bool funMode, int seconds, int score) {
    recordWarmup({QDateTime::currentDateTime(),
                  funMode ? QStringLiteral("fun") : QStringLiteral("classic"), seconds, score});
}
