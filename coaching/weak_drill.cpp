#include "coaching/weak_drill.h"

#include "coaching/code_explanation.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace coaching {

QString drillStroke(const DigitConfusion& confusion) {
    const QString& name = confusion.rightName;
    if (name.isEmpty() || name == rhymeName(confusion.right) || name == u"空角" || name == u"已用")
        return {};
    return name;
}

std::vector<CharacterMiss> missesAt(const DrillTarget& target,
                                    const std::vector<CornerAnswer>& answers) {
    std::vector<CharacterMiss> missed;
    QHash<QString, size_t> at;
    for (const CornerAnswer& a : answers) {
        if (a.corner != target.corner || a.right != target.digit || a.typed == a.right ||
            (!target.stroke.isEmpty() && a.rightName != target.stroke))
            continue;
        auto it = at.constFind(a.character);
        if (it == at.constEnd()) {
            it = at.insert(a.character, missed.size());
            missed.push_back({a.character});
        }
        CharacterMiss& m = missed[*it];
        ++m.times;
        m.last = std::max(m.last, a.order);
    }
    rankMisses(missed);
    return missed;
}

void rankMisses(std::vector<CharacterMiss>& misses) {
    std::sort(misses.begin(), misses.end(), [](const CharacterMiss& a, const CharacterMiss& b) {
        return a.times != b.times ? a.times > b.times : a.last > b.last;
    });
}

std::vector<std::pair<QString, QString>> chooseDrill(const DrillTarget& target, int count,
                                                     const std::vector<AnsweredItem>& answered,
                                                     const CornerTable& table,
                                                     const QStringList& byFrequency) {
    return chooseDrillFromMisses(target, count, missesAt(target, cornerAnswers(answered, table)),
                                 table, byFrequency);
}

std::vector<std::pair<QString, QString>>
chooseDrillFromMisses(const DrillTarget& target, int count,
                      const std::vector<CharacterMiss>& misses, const CornerTable& table,
                      const QStringList& byFrequency) {
    std::vector<std::pair<QString, QString>> out;
    QSet<QString> chosen;
    auto take = [&](const QString& ch) {
        if (static_cast<int>(out.size()) >= count || chosen.contains(ch))
            return;
        const CornerEntry* e = table.find(ch);
        if (!e || target.corner < 0 || e->code.size() <= target.corner ||
            e->code[target.corner] != target.digit)
            return;
        if (!target.stroke.isEmpty() &&
            (target.corner >= static_cast<int>(e->names.size()) ||
             e->names[static_cast<size_t>(target.corner)] != target.stroke))
            return;
        chosen.insert(ch);
        out.emplace_back(ch, e->code);
    };
    for (const CharacterMiss& m : misses)
        take(m.character);
    for (const QString& ch : byFrequency)
        take(ch);
    return out;
}

} // namespace coaching
