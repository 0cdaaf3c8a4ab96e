#include "bench/history_year.h"

#include <QDate>

#include <random>

namespace history_year {

Size fill(HistoryStore& store, int years) {
    std::mt19937 random(20251201); // fixed seed
    // 4,000 characters and 600 words from a stretch of the GB2312 block.
    auto character = [](int n) { return QString(QChar(0x4E00 + n * 3)); };
    auto word = [&](int n) { return character(n) + character(n + 1000); };
    std::uniform_int_distribution<int> someCharacter(0, 3999), someWord(0, 599), percent(0, 99);
    Size size;
    const QDate first(2025, 12, 1);
    for (int day = 0; day < 365 * years; ++day) {
        const QDate today = first.addDays(day);
        const auto clock = [today] { return today; };
        if (percent(random) < 10)
            continue; // a day off now and then
        const int runs = 3 + percent(random) % 3;
        for (int r = 0; r < runs; ++r) {
            TrainingRunRecord run;
            const bool words = r % 3 == 2;
            run.kind = words ? 7 : 3 + r % 2;
            run.level = 1;
            run.started = QDateTime(today, QTime(8 + r, 0));
            run.ended = run.started.addSecs(240);
            run.finished = true;
            for (int i = 0; i < 82; ++i) {
                TrainingItemRecord item;
                // Each character or word has its one code, as in the dictionary.
                const int n = words ? someWord(random) : someCharacter(random);
                item.item = words ? word(n) : character(n);
                item.code = words ? QStringLiteral("%1").arg(500000 + n)
                                  : QStringLiteral("%1").arg(10000 + n);
                item.right = percent(random) >= 8;
                item.answers = {item.right ? item.code : QStringLiteral("99999")};
                if (!item.right)
                    item.answers << item.code;
                item.hinted = percent(random) < 3;
                item.seconds = 2.5;
                run.items.push_back(item);
            }
            run.answered = static_cast<int>(run.items.size());
            run.speed = 20 + day / 10;
            store.addTrainingRun(run, clock);
            ++size.runs;
            size.items += run.answered;
        }
        if (day % 3 == 0) {
            ArticleTestRecord test;
            test.article = QStringLiteral("test.tvm");
            test.ended = QDateTime(today, QTime(20, 0));
            test.seconds = 300;
            test.typed = 200;
            test.wrong = 6;
            test.speed = 40;
            test.accuracy = 97;
            for (int e = 0; e < 6; ++e)
                test.errors.push_back({character(someCharacter(random)), character(1),
                                       QStringLiteral("50006"), QStringLiteral("50007"), false});
            store.addArticleTest(test, clock);
            ++size.tests;
        }
        store.addWarmup({QDateTime(today, QTime(7, 30)), QStringLiteral("fun"), 60, 30});
    }
    return size;
}

} // namespace history_year
