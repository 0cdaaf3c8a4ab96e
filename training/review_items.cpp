#include "training/review_items.h"

#include "dictionary/character_codes.h"

namespace training {

ReviewItems reviewItems(HistoryLink* history, bool words, int count,
                        const std::vector<std::pair<QString, QString>>& frequent, bool fill,
                        const CodesOf& codesOf) {
    ReviewItems r;
    const std::optional<ReviewDraw> d =
        history ? history->drawReview(words, count,
                                      fill ? frequent : std::vector<std::pair<QString, QString>>())
                : std::nullopt;
    const QString unit = words ? QStringLiteral("词") : QStringLiteral("字");
    if (!d) {
        r.items = frequent;
        r.message = {QStringLiteral("学习记录无法打开，"), QStringLiteral("先复习常用的。")};
        return r;
    }
    if (d->items.empty()) {
        r.items = frequent;
        r.message = {QStringLiteral("今天没有要复习的%1，").arg(unit),
                     QStringLiteral("先复习常用%1。").arg(unit)};
        return r;
    }
    if (!fill) {
        r.wholeGrid = false;
        r.message = {QStringLiteral("今天要复习%1个%2，").arg(d->items.size()).arg(unit),
                     QStringLiteral("勾上“补满”可练满一页。")};
    }
    // Without a readable dictionary (it is named where it is used) the codes
    // the history kept are the ones taken.
    bool fromDictionary = !words && codesOf;
    for (const auto& [item, kept] : d->items) {
        QString shown = kept;
        if (fromDictionary) {
            // Every code the dictionary gives the character is right; the
            // one shown (F1, the tooltip) is its full code.
            const std::optional<QStringList> found = codesOf(item);
            fromDictionary = found.has_value();
            QStringList codes = found.value_or(QStringList());
            const QString full = dictionary::fullCodeAmong(codes);
            if (!full.isEmpty()) {
                if (!codes.contains(shown))
                    codes << shown; // the code the history kept stays right
                shown = full;
            }
            codes.removeAll(shown);
            codes.removeAll(QString());
            if (!codes.isEmpty())
                r.otherCodes[item] = codes;
        }
        r.items.emplace_back(item, shown);
    }
    if (fill) {
        r.message = d->message;
        r.filled = d->filled;
    }
    return r;
}

ReviewItems drillItems(HistoryLink* history, const std::optional<DrillTarget>& target, int count,
                       const QStringList& byFrequency) {
    ReviewItems r;
    const std::optional<ReviewDraw> d =
        history ? history->drawDrill(target, count, byFrequency) : std::nullopt;
    if (d) {
        r.items = d->items;
        r.message = d->message;
        r.drilled = d->drilled;
    }
    return r;
}

} // namespace training
