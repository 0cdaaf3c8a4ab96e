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

template <typename Confusion> void note(Confusion& c, const CornerAnswer& a, int examples) {
    c.count += a.times;
    c.last = std::max(c.last, a.order);
    QStringList& ex = c.examples;
    ex.removeAll(a.character);
    ex.prepend(a.character);
    while (ex.size() > examples)
        ex.removeLast();
}

template <typename Confusion> void rank(std::vector<Confusion>& all, auto tieKey) {
    std::sort(all.begin(), all.end(), [&](const Confusion& a, const Confusion& b) {
        if (a.count != b.count)
            return a.count > b.count;
        if (a.last != b.last)
            return a.last > b.last;
        return tieKey(a) < tieKey(b);
    });
}

auto digitKey(const DigitConfusion& c) {
    return std::make_tuple(c.corner, c.right.unicode(), c.typed.unicode());
}
auto shapeKey(const ShapeConfusion& c) {
    return std::make_pair(c.right, c.typed);
}

// `newer`'s count added to `older`, its examples first.
template <typename Confusion> void add(Confusion& older, const Confusion& newer, int examples) {
    older.count += newer.count;
    older.last = std::max(older.last, newer.last);
    QStringList ex = newer.examples;
    for (const QString& ch : older.examples)
        if (!ex.contains(ch))
            ex << ch;
    older.examples = ex.mid(0, examples);
}

} // namespace

std::vector<CornerAnswer> cornerAnswers(const std::vector<AnsweredItem>& answered,
                                        const CornerTable& table, int firstOrder) {
    std::vector<CornerAnswer> out;
    int order = firstOrder;
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
                                int examples, int firstOrder) {
    QHash<qint64, DigitConfusion> digits;
    QHash<QString, ShapeConfusion> shapes;
    ConfusionReport r;
    for (const CornerAnswer& a : cornerAnswers(answered, table, firstOrder)) {
        CornerErrorRate& rate = r.corners[static_cast<size_t>(a.corner)];
        rate.answers += a.times;
        if (a.typed == a.right)
            continue;
        rate.wrong += a.times;
        auto& d = digits[(qint64{a.corner} << 32) | (qint64{a.right.unicode()} << 16) |
                         a.typed.unicode()];
        d.corner = a.corner;
        d.right = a.right;
        d.typed = a.typed;
        if (d.rightName.isEmpty())
            d.rightName = a.rightName;
        else if (d.rightName != a.rightName)
            d.rightName = rhymeName(a.right);
        note(d, a, examples);
        const QString typedName = rhymeName(a.typed);
        auto& s = shapes[a.rightName + u'\t' + typedName];
        s.right = a.rightName;
        s.typed = typedName;
        note(s, a, examples);
    }
    r.digits.assign(digits.begin(), digits.end());
    r.shapes.assign(shapes.begin(), shapes.end());
    rankConfusions(r);
    return r;
}

void rankConfusions(ConfusionReport& report) {
    rank(report.digits, digitKey);
    rank(report.shapes, shapeKey);
}

ConfusionReport mergeConfusions(ConfusionReport older, const ConfusionReport& newer, int examples) {
    for (size_t c = 0; c < older.corners.size(); ++c) {
        older.corners[c].answers += newer.corners[c].answers;
        older.corners[c].wrong += newer.corners[c].wrong;
    }
    for (const DigitConfusion& n : newer.digits) {
        auto o = std::find_if(older.digits.begin(), older.digits.end(),
                              [&](const DigitConfusion& d) { return digitKey(d) == digitKey(n); });
        if (o == older.digits.end()) {
            older.digits.push_back(n);
            continue;
        }
        if (o->rightName.isEmpty())
            o->rightName = n.rightName;
        else if (o->rightName != n.rightName)
            o->rightName = rhymeName(n.right);
        add(*o, n, examples);
    }
    for (const ShapeConfusion& n : newer.shapes) {
        auto o = std::find_if(older.shapes.begin(), older.shapes.end(),
                              [&](const ShapeConfusion& s) { return shapeKey(s) == shapeKey(n); });
        if (o == older.shapes.end())
            older.shapes.push_back(n);
        else
            add(*o, n, examples);
    }
    rankConfusions(older);
    return older;
}

} // namespace coaching
