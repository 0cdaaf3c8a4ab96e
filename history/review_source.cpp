#include "history/review_source.h"

#include "history/history_store.h"
#include "platform/gbk_codec.h"
#include "platform/user_error.h"
#include "training/history_link.h"

#include <QFile>

namespace review_source {

std::vector<std::pair<QString, QString>> frequentItems(const QString& path, int recordLength,
                                                       int limit) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("无法读取练习文件 %1：%2").arg(path, f.errorString()));
    const QByteArray bytes = f.read(static_cast<qint64>(recordLength) * limit);
    std::vector<std::pair<QString, QString>> items;
    const int textBytes = recordLength - 8;
    for (qsizetype at = 0;
         at + recordLength <= bytes.size() + 1 && static_cast<int>(items.size()) < limit;
         at += recordLength) {
        const QString code = QString::fromLatin1(bytes.mid(at, 6)).trimmed();
        const QString text = gbk::toUnicode(std::string_view(bytes.constData() + at + 6,
                                                             static_cast<size_t>(textBytes)))
                                 .trimmed();
        if (!code.isEmpty() && !text.isEmpty())
            items.emplace_back(text, code);
    }
    return items;
}

Draw draw(const HistoryStore& store, bool words, int count,
          const std::vector<std::pair<QString, QString>>& frequent,
          const ReviewSchedule::Clock& today, std::mt19937& random) {
    // Only what the draw can take: the due cards and those of the frequent
    // items (a year of cards is mostly waiting for a later day).
    QStringList frequentItems;
    for (const auto& [item, code] : frequent)
        frequentItems << item;
    const ReviewSelection s =
        store.dueSchedule(words, today, frequentItems).draw(count, frequent, random);
    Draw d;
    d.items = s.cards;
    d.filled = s.filled;
    if (s.filled > 0)
        d.message = training::reviewTopUpMessage(static_cast<int>(s.cards.size()) - s.filled,
                                                 s.filled, words);
    return d;
}

} // namespace review_source
