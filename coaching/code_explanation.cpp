#include "coaching/code_explanation.h"

#include <algorithm>

namespace coaching {

namespace {

// Where one digit of a right code comes from: a corner of a character.
struct DigitSource {
    int character = -1; // index in the item's characters; -1: no character
    int corner = -1;
};

QString named(const QString& name, QChar digit) {
    return QStringLiteral("%1（%2）").arg(strokeInSentence(name), digit);
}

Verdict verdictOf(const QString& typed, const QString& asked, const QStringList& ownCodes,
                  Entry entry) {
    if (typed == asked)
        return entry == Entry::WithCandidates ? Verdict::WrongCandidate : Verdict::Right;
    if (!typed.isEmpty() && ownCodes.contains(typed)) {
        if (entry == Entry::WithCandidates)
            return Verdict::WrongCandidate;
        return typed.size() < asked.size() ? Verdict::ShortCode : Verdict::OtherCode;
    }
    return Verdict::WrongDigits;
}

// The last position whose digit, taken out of `longer`, leaves `shorter`;
// -1 when there is none.
qsizetype droppedAt(const QString& longer, const QString& shorter) {
    if (longer.size() != shorter.size() + 1)
        return -1;
    for (qsizetype p = longer.size() - 1; p >= 0; --p)
        if (QString(longer).remove(p, 1) == shorter)
            return p;
    return -1;
}

class Comparer {
public:
    Comparer(const QStringList& characters, std::vector<DigitSource> sources,
             const CornerTable& table)
        : characters_(characters), sources_(std::move(sources)), table_(table) {}

    std::vector<DigitDifference> compare(const QString& typed, const QString& right) const {
        std::vector<DigitDifference> out;
        if (const qsizetype p = droppedAt(right, typed); p >= 0) {
            out.push_back(difference(p, right[p], QChar()));
            return out;
        }
        if (const qsizetype p = droppedAt(typed, right); p >= 0) {
            out.push_back(difference(p, QChar(), typed[p]));
            return out;
        }
        const qsizetype n = std::max(typed.size(), right.size());
        for (qsizetype i = 0; i < n; ++i) {
            const QChar r = i < right.size() ? right[i] : QChar();
            const QChar t = i < typed.size() ? typed[i] : QChar();
            if (r != t)
                out.push_back(difference(i, r, t));
        }
        return out;
    }

    // Where a digit sits, as a sentence names it: "右下角", "国的左上角".
    QString place(const DigitDifference& d) const {
        if (d.character < 0 || d.corner < 0)
            return QStringLiteral("第%1位").arg(d.index + 1);
        const QString corner = cornerName(d.corner);
        if (characters_.size() < 2)
            return corner;
        const QString& ch = characters_[d.character];
        if (characters_.count(ch) > 1)
            return QStringLiteral("第%1字%2的%3").arg(d.character + 1).arg(ch, corner);
        return QStringLiteral("%1的%2").arg(ch, corner);
    }

    QString line(const DigitDifference& d, qsizetype rightLength) const {
        if (!d.right.isNull() && !d.typed.isNull())
            return QStringLiteral("%1是%2，不是%3")
                .arg(place(d), named(d.rightName, d.right), named(d.typedName, d.typed));
        if (d.typed.isNull())
            return QStringLiteral("%1少打了%2").arg(place(d), named(d.rightName, d.right));
        const QString extra = named(d.typedName, d.typed);
        if (d.index < rightLength) {
            DigitDifference before = d;
            before.character = sources_[d.index].character;
            before.corner = sources_[d.index].corner;
            return QStringLiteral("%1前多打了一位%2").arg(place(before), extra);
        }
        if (characters_.size() == 1 && d.index == ExtraCorner)
            return QStringLiteral("这个字没有附角，多打了%1").arg(extra);
        return QStringLiteral("多打了第%1位%2").arg(d.index + 1).arg(extra);
    }

private:
    DigitDifference difference(qsizetype index, QChar right, QChar typed) const {
        DigitDifference d;
        d.index = static_cast<int>(index);
        d.right = right;
        d.typed = typed;
        d.typedName = rhymeName(typed);
        if (right.isNull() || index >= static_cast<qsizetype>(sources_.size())) {
            d.character = d.corner = -1;
            return d;
        }
        const DigitSource s = sources_[index];
        d.character = s.character;
        d.corner = s.corner;
        d.rightName = rhymeName(right);
        // The character's own reading names the stroke, when the table
        // reads that corner as this digit.
        const CornerEntry* e = s.character >= 0 ? table_.find(characters_[s.character]) : nullptr;
        if (e && s.corner >= 0 && s.corner < e->code.size() && e->code[s.corner] == right) {
            d.rightName = e->names[static_cast<size_t>(s.corner)];
            d.stroke = e->strokes[static_cast<size_t>(s.corner)];
        }
        return d;
    }

    QStringList characters_;
    std::vector<DigitSource> sources_;
    const CornerTable& table_;
};

// The lines of a verdict other than WrongDigits.
QString verdictLine(Verdict v, const QString& typed, const QString& item, const QString& asked) {
    switch (v) {
    case Verdict::Right:
        return QStringLiteral("编码对了");
    case Verdict::WrongCandidate:
        return QStringLiteral("编码对了，候选选错了");
    case Verdict::ShortCode:
        return QStringLiteral("%1 是%2的简码，这里要打%3 %4")
            .arg(typed, item, asked.size() >= 4 ? QStringLiteral("全码") : QString(), asked);
    case Verdict::OtherCode:
        return QStringLiteral("%1 也是%2的编码，这里要打%3 %4")
            .arg(typed, item, asked.size() < typed.size() ? QStringLiteral("简码") : QString(),
                 asked);
    case Verdict::WrongDigits:
        break;
    }
    return {};
}

// `code` cut at the parts: "500 + 601"; with the characters: "500（中）+ 601（国）".
QString joinParts(const QString& code, const std::vector<WordPart>& parts,
                  const QStringList& characters = {}) {
    QStringList pieces;
    for (const WordPart& p : parts) {
        if (p.from >= code.size())
            break;
        const QString digits = code.mid(p.from, p.length);
        pieces << (characters.isEmpty()
                       ? digits
                       : QStringLiteral("%1（%2）").arg(digits, characters[p.character]));
    }
    return pieces.join(characters.isEmpty() ? QStringLiteral(" + ") : QStringLiteral("+ "));
}

} // namespace

QString strokeInSentence(const QString& name) {
    return name == u"已用" ? QStringLiteral("已用过的笔画") : name;
}

QStringList charactersOf(const QString& text) {
    QStringList out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        out << text.mid(i, n);
        i += n - 1;
    }
    return out;
}

QString cornerName(int corner) {
    static const char16_t* const names[5] = {u"左上角", u"右上角", u"左下角", u"右下角", u"附角"};
    return corner >= 0 && corner < 5 ? QString::fromUtf16(names[corner]) : QString();
}

QString rhymeName(QChar digit) {
    static const char16_t* const names[10] = {u"撇或左钩", u"横", u"竖", u"点或捺", u"叉",
                                              u"插",       u"方", u"角", u"八",     u"小"};
    const int d = digit.unicode() - u'0';
    return d >= 0 && d <= 9 ? QString::fromUtf16(names[d]) : QString();
}

std::vector<WordPart> wordCodeParts(int characters) {
    switch (characters) {
    case 0:
    case 1:
        return {};
    case 2:
        return {{0, 0, 3}, {1, 3, 3}};
    case 3:
        return {{0, 0, 2}, {1, 2, 2}, {2, 4, 2}};
    case 4:
        return {{0, 0, 2}, {1, 2, 2}, {2, 4, 1}, {3, 5, 1}};
    default:
        if (characters < 0)
            return {};
        return {{0, 0, 2}, {1, 2, 1}, {2, 3, 1}, {characters - 2, 4, 1}, {characters - 1, 5, 1}};
    }
}

QString wordCode(const QStringList& characterCodes) {
    QString code;
    for (const WordPart& p : wordCodeParts(static_cast<int>(characterCodes.size()))) {
        if (characterCodes[p.character].size() < p.length)
            return {};
        code += characterCodes[p.character].left(p.length);
    }
    return code;
}

Explanation explain(const QString& typed, const CharacterCode& asked, const CornerTable& corners,
                    Entry entry) {
    // The table's code is the character's own where it agrees with the code
    // asked: the same full code, or a short code (one or two digits) it
    // begins with. A damaged row (的 as 17600) never makes a wrong code
    // "another code".
    QStringList own = asked.ownCodes;
    if (const CornerEntry* e = corners.find(asked.character))
        if (e->code == asked.code || asked.ownCodes.contains(e->code) ||
            (asked.code.size() <= 2 && e->code.startsWith(asked.code)))
            own << e->code;
    Explanation x;
    x.verdict = verdictOf(typed, asked.code, own, entry);
    if (x.verdict != Verdict::WrongDigits) {
        x.lines << verdictLine(x.verdict, typed, asked.character, asked.code);
        return x;
    }
    std::vector<DigitSource> sources;
    for (qsizetype i = 0; i < asked.code.size(); ++i)
        sources.push_back({0, i <= ExtraCorner ? static_cast<int>(i) : -1});
    const Comparer c({asked.character}, std::move(sources), corners);
    x.differences = c.compare(typed, asked.code);
    for (const DigitDifference& d : x.differences)
        x.lines << c.line(d, asked.code.size());
    return x;
}

Explanation explain(const QString& typed, const WordCode& asked, const CornerTable& corners,
                    Entry entry) {
    const QStringList characters = charactersOf(asked.word);
    Explanation x;
    if (characters.size() == asked.characterCodes.size())
        x.parts = wordCodeParts(static_cast<int>(characters.size()));
    const QString built = x.parts.empty() ? QString() : wordCode(asked.characterCodes);
    if (built.isEmpty())
        x.parts.clear();
    QStringList own = asked.ownCodes;
    if (!built.isEmpty())
        own << built;
    x.verdict = verdictOf(typed, asked.code, own, entry);
    if (!built.isEmpty() && asked.code.size() < built.size() && built.startsWith(asked.code)) {
        // A short code asked (a one-key word): the digits it takes from the
        // full code, not the full code's parts.
        x.lines << (asked.code.size() == 1 ? QStringLiteral("%1 的一键码 %2 是全码 %3 的第 1 位")
                                                 .arg(asked.word, asked.code, built)
                                           : QStringLiteral("%1 的简码 %2 是全码 %3 的前 %4 位")
                                                 .arg(asked.word, asked.code, built)
                                                 .arg(asked.code.size()));
    } else if (!built.isEmpty()) {
        x.lines << QStringLiteral("%1 = %2").arg(asked.word, joinParts(built, x.parts, characters));
        QStringList skipped;
        for (int i = 0; i < characters.size(); ++i)
            if (std::none_of(x.parts.begin(), x.parts.end(),
                             [i](const WordPart& p) { return p.character == i; }))
                skipped << characters[i];
        if (!skipped.isEmpty())
            x.lines << QStringLiteral("%1不取码").arg(skipped.join(u'、'));
    }
    if (x.verdict != Verdict::WrongDigits) {
        x.lines << verdictLine(x.verdict, typed, asked.word, asked.code);
        return x;
    }
    std::vector<DigitSource> sources(static_cast<size_t>(asked.code.size()));
    for (const WordPart& p : x.parts)
        for (int k = 0; k < p.length && p.from + k < asked.code.size(); ++k)
            sources[static_cast<size_t>(p.from + k)] = {p.character, k};
    const Comparer c(characters, std::move(sources), corners);
    x.differences = c.compare(typed, asked.code);
    if (!x.parts.empty() && typed.size() == asked.code.size() && asked.code == built)
        x.lines << QStringLiteral("你打的是 %1").arg(joinParts(typed, x.parts));
    for (const DigitDifference& d : x.differences)
        x.lines << c.line(d, asked.code.size());
    return x;
}

} // namespace coaching
