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

std::vector<std::pair<QString, QString>> chooseDrill(const DrillTarget& target, int count,
                                                     const std::vector<AnsweredItem>& answered,
                                                     const CornerTable& table,
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

    struct Missed {
        QString character;
        int times = 0;
        int last = -1;
    };
    std::vector<Missed> missed;
    QHash<QString, size_t> at;
    for (const CornerAnswer& a : cornerAnswers(answered, table)) {
        if (a.corner != target.corner || a.right != target.digit || a.typed == a.right ||
            (!target.stroke.isEmpty() && a.rightName != target.stroke))
            continue;
        auto it = at.constFind(a.character);
        if (it == at.constEnd()) {
            it = at.insert(a.character, missed.size());
            missed.push_back({a.character});
        }
        Missed& m = missed[*it];
        ++m.times;
        m.last = std::max(m.last, a.order);
    }
    std::sort(missed.begin(), missed.end(), [](const Missed& a, const Missed& b) {
        return a.times != b.times ? a.times > b.times : a.last > b.last;
    });
    for (const Missed& m : missed)
        take(m.character);
    for (const QString& ch : byFrequency)
        take(ch);
    return out;
}

} // namespace coaching
