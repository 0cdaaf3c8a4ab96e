#include "coaching/confusion_counts.h"

#include "coaching/code_explanation.h"

#include <QHash>

#include <algorithm>
#include <tuple>
#include <utility>

namespace coaching {

namespace {

// A Han character of the basic block or extension A: what the training's
// characters and words are made of (a stroke picture's item is a digit).
bool isHan(const QString& ch) {
    if (ch.size() != 1)
        return false;
    const char16_t u = ch[0].unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF);
}

// For each digit of `code`: the character and corner it comes from. Empty
// when the digits cannot be traced.
struct Traced {
    QString character;
    int corner = -1;
};

std::vector<Traced> trace(const AnsweredItem& a, const CornerTable& table) {
    QStringList chars;
    for (QChar c : a.item)
        chars << QString(c);
    std::vector<Traced> out;
    if (chars.isEmpty() || a.code.isEmpty() || !std::all_of(chars.begin(), chars.end(), isHan))
        return out;
    if (chars.size() == 1) {
        for (int i = 0; i < a.code.size() && i <= ExtraCorner; ++i)
            out.push_back({chars[0], i});
        return out;
    }
    QStringList codes;
    for (const QString& ch : chars) {
        const CornerEntry* e = table.find(ch);
        if (!e)
            return out;
        codes << e->code;
    }
    const QString built = wordCode(codes);
    if (built.isEmpty() || !built.startsWith(a.code))
        return out;
    for (const WordPart& p : wordCodeParts(static_cast<int>(chars.size())))
        for (int k = 0; k < p.length; ++k)
            if (p.from + k < a.code.size())
                out.push_back({chars[p.character], k});
    return out;
}

QString nameAt(const CornerTable& table, const QString& character, int corner, QChar digit) {
    const CornerEntry* e = table.find(character);
    if (e && corner >= 0 && corner < e->code.size() && e->code[corner] == digit)
        return e->names[static_cast<size_t>(corner)];
    return rhymeName(digit);
}

// Counts of one kind of confusion, with the order it was last seen in.
template <typename Confusion> struct Tally {
    Confusion confusion;
    int last = -1;
};

template <typename Confusion> void note(Tally<Confusion>& t, const CornerAnswer& a, int examples) {
    t.confusion.count += a.times;
    t.last = std::max(t.last, a.order);
    QStringList& ex = t.confusion.examples;
    ex.removeAll(a.character);
    ex.prepend(a.character);
    while (ex.size() > examples)
        ex.removeLast();
}

template <typename Confusion, typename Key>
std::vector<Confusion> ranked(const QHash<Key, Tally<Confusion>>& tallies, auto tieKey) {
    std::vector<Tally<Confusion>> all(tallies.begin(), tallies.end());
    std::sort(all.begin(), all.end(), [&](const auto& a, const auto& b) {
        if (a.confusion.count != b.confusion.count)
            return a.confusion.count > b.confusion.count;
        if (a.last != b.last)
            return a.last > b.last;
        return tieKey(a.confusion) < tieKey(b.confusion);
    });
    std::vector<Confusion> out;
    for (const auto& t : all)
        out.push_back(t.confusion);
    return out;
}

} // namespace

std::vector<CornerAnswer> cornerAnswers(const std::vector<AnsweredItem>& answered,
                                        const CornerTable& table) {
    std::vector<CornerAnswer> out;
    int order = 0;
    for (const AnsweredItem& a : answered) {
        const std::vector<Traced> traced = trace(a, table);
        QString previous;
        for (const QString& typed : a.typed) {
            const int at = order++;
            const bool repeated = typed == std::exchange(previous, typed);
            if (traced.empty() || repeated || typed.size() != a.code.size() ||
                (typed != a.code && a.ownCodes.contains(typed)))
                continue;
            for (size_t i = 0; i < traced.size(); ++i) {
                const QChar right = a.code[static_cast<qsizetype>(i)];
                const QChar digit = typed[static_cast<qsizetype>(i)];
                // The stroke is named only where the corner was typed wrong:
                // most corners of a year were right.
                out.push_back({at, traced[i].character, traced[i].corner, right, digit,
                               digit == right
                                   ? QString()
                                   : nameAt(table, traced[i].character, traced[i].corner, right),
                               a.times});
            }
        }
    }
    return out;
}

QString DigitConfusion::text() const {
    return QStringLiteral("%1（%2）→%3（%4）").arg(rightName, right, rhymeName(typed), typed);
}

ConfusionReport countConfusions(const std::vector<AnsweredItem>& answered, const CornerTable& table,
                                int examples) {
    QHash<qint64, Tally<DigitConfusion>> digits;
    QHash<QString, Tally<ShapeConfusion>> shapes;
    ConfusionReport r;
    for (const CornerAnswer& a : cornerAnswers(answered, table)) {
        CornerErrorRate& rate = r.corners[static_cast<size_t>(a.corner)];
        rate.answers += a.times;
        if (a.typed == a.right)
            continue;
        rate.wrong += a.times;
        auto& d = digits[(qint64{a.corner} << 32) | (qint64{a.right.unicode()} << 16) |
                         a.typed.unicode()];
        d.confusion.corner = a.corner;
        d.confusion.right = a.right;
        d.confusion.typed = a.typed;
        if (d.confusion.rightName.isEmpty())
            d.confusion.rightName = a.rightName;
        else if (d.confusion.rightName != a.rightName)
            d.confusion.rightName = rhymeName(a.right);
        note(d, a, examples);
        const QString typedName = rhymeName(a.typed);
        auto& s = shapes[a.rightName + u'\t' + typedName];
        s.confusion.right = a.rightName;
        s.confusion.typed = typedName;
        note(s, a, examples);
    }
    r.digits = ranked(digits, [](const DigitConfusion& c) {
        return std::make_tuple(c.corner, c.right.unicode(), c.typed.unicode());
    });
    r.shapes =
        ranked(shapes, [](const ShapeConfusion& c) { return std::make_pair(c.right, c.typed); });
    return r;
}

} // namespace coaching
