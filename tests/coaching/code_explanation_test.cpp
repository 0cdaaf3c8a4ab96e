// Explanations of wrong codes in the rhyme's words.
#include "coaching/code_explanation.h"

#include "tests/coaching/coaching_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace coaching;

// Each difference as "digit index/character/corner/stroke", then its digits.
QString where(const Explanation& x) {
    QStringList out;
    for (const DigitDifference& d : x.differences)
        out << QStringLiteral("%1/%2/%3/%4 %5>%6")
                   .arg(d.index)
                   .arg(d.character)
                   .arg(d.corner)
                   .arg(d.stroke)
                   .arg(d.right.isNull() ? u'_' : d.right)
                   .arg(d.typed.isNull() ? u'_' : d.typed);
    return out.join(u' ');
}

TEST(CodeExplanation, NamesEachDifferingCornerByTheCharactersStrokeAndTheTypedDigit) {
    struct Row {
        const char *character, *code, *typed, *lines, *where;
    };
    const Row rows[] = {
        {"啊", "61000", "71000", "左上角是方（6），不是角（7）", "0/0/0/0 6>7"},
        {"中", "50006", "52006", "右上角是已用过的笔画（0），不是竖（2）", "1/0/1/1 0>2"},
        {"们", "0720", "0700", "左下角是竖（2），不是撇或左钩（0）", "2/0/2/1 2>0"},
        {"啊", "61000", "61020", "右下角是左钩（0），不是竖（2）", "3/0/3/9 0>2"},
        {"大", "40030", "40010", "右下角是点（3），不是横（1）", "3/0/3/2 3>1"},
        {"国", "60103", "60503", "左下角是横（1），不是插（5）", "2/0/2/0 1>5"},
        {"国", "60103", "66103", "右上角是空角（0），不是方（6）", "1/0/1/-1 0>6"},
        {"啊", "61000", "61009", "附角是空角（0），不是小（9）", "4/0/4/-1 0>9"},
        // The extra corner named by its own stroke: the hook of 也's 横折钩.
        {"他", "04210", "04212", "附角是左钩（0），不是竖（2）", "4/0/4/2 0>2"},
        {"啊", "61000", "71020", "左上角是方（6），不是角（7）|右下角是左钩（0），不是竖（2）",
         "0/0/0/0 6>7 3/0/3/9 0>2"},
        // Asked by another reading than the table's: the rhyme's name where they differ.
        {"啊", "61020", "61010", "右下角是竖（2），不是横（1）", "3/0/3/-1 2>1"},
        // Not in the table: the rhyme's names.
        {"丂", "10207", "10237", "右下角是撇或左钩（0），不是点或捺（3）", "3/0/3/-1 0>3"},
        // One digit missing or too many, where it explains the code typed.
        {"我", "03550", "0350", "右下角少打了插（5）", "3/0/3/4 5>_"},
        {"啊", "61000", "1000", "左上角少打了方（6）", "0/0/0/0 6>_"},
        {"们", "0720", "07204", "这个字没有附角，多打了叉（4）", "4/-1/-1/-1 _>4"},
        {"们", "0720", "08720", "右上角前多打了一位八（8）", "1/-1/-1/-1 _>8"},
        // Otherwise digit by digit.
        {"啊", "61000", "610", "右下角少打了左钩（0）|附角少打了空角（0）",
         "3/0/3/9 0>_ 4/0/4/-1 0>_"},
        {"啊", "61000", "6100012", "多打了第6位横（1）|多打了第7位竖（2）",
         "5/-1/-1/-1 _>1 6/-1/-1/-1 _>2"},
    };
    for (const Row& r : rows) {
        const Explanation x = explain(u(r.typed), CharacterCode{u(r.character), u(r.code), {}},
                                      testCorners(), Entry::CodeOnly);
        EXPECT_EQ(x.verdict, Verdict::WrongDigits) << r.typed;
        EXPECT_EQ(x.lines.join(u'|'), u(r.lines)) << r.typed;
        EXPECT_EQ(where(x), u(r.where)) << r.typed;
    }
}

TEST(CodeExplanation, TheItemsOwnCodesAreNamedInsteadOfCorners) {
    struct Row {
        const char *item, *code, *own, *typed;
        Entry entry;
        Verdict verdict;
        const char* line;
    };
    const Entry only = Entry::CodeOnly, picked = Entry::WithCandidates;
    const Row rows[] = {
        {"啊", "61000", "6 61", "61000", only, Verdict::Right, "编码对了"},
        {"啊", "61000", "6 61", "61000", picked, Verdict::WrongCandidate, "编码对了，候选选错了"},
        {"啊", "61000", "6 61", "6", picked, Verdict::WrongCandidate, "编码对了，候选选错了"},
        {"啊", "61000", "6 61", "61", only, Verdict::ShortCode,
         "61 是啊的简码，这里要打全码 61000"},
        {"啊", "61000", "61020", "61020", only, Verdict::OtherCode,
         "61020 也是啊的编码，这里要打 61000"},
        // The main code in the table, where it agrees with the code asked,
        // and a word's code built from its characters', are their own.
        {"啊", "6", "", "61000", only, Verdict::OtherCode, "61000 也是啊的编码，这里要打简码 6"},
        {"啊", "61", "", "61000", only, Verdict::OtherCode, "61000 也是啊的编码，这里要打简码 61"},
        // A table row that disagrees (a damaged one) is no code of the item.
        {"啊", "7", "", "61000", only, Verdict::WrongDigits, "这个字没有附角，多打了撇或左钩（0）"},
        {"啊", "71000", "", "61000", only, Verdict::WrongDigits, "左上角是角（7），不是方（6）"},
        {"中国", "5", "", "500601", only, Verdict::OtherCode,
         "500601 也是中国的编码，这里要打简码 5"},
        {"中国", "500601", "5", "5", only, Verdict::ShortCode,
         "5 是中国的简码，这里要打全码 500601"},
        {"中国", "500601", "", "500601", picked, Verdict::WrongCandidate, "编码对了，候选选错了"},
        // A short code the character does not have is a code with digits missing.
        {"啊", "61000", "6 61", "7", only, Verdict::WrongDigits, "附角少打了空角（0）"},
    };
    for (const Row& r : rows) {
        const QStringList own = u(r.own).split(u' ', Qt::SkipEmptyParts);
        const Explanation x =
            u(r.item).size() == 1
                ? explain(u(r.typed), CharacterCode{u(r.item), u(r.code), own}, testCorners(),
                          r.entry)
                : explain(u(r.typed), WordCode{u(r.item), {u("50006"), u("60103")}, u(r.code), own},
                          testCorners(), r.entry);
        EXPECT_EQ(x.verdict, r.verdict) << r.typed;
        EXPECT_EQ(x.lines.last(), u(r.line)) << r.typed;
    }
}

TEST(WordExplanation, ShowsHowTheCodeIsBuiltAndTracesEachWrongDigit) {
    struct Row {
        const char *word, *codes, *code, *typed, *lines, *where;
    };
    const Row rows[] = {
        {"中国", "50006 60103", "500601", "500401",
         "中国 = 500（中）+ 601（国）|你打的是 500 + 401|国的左上角是方（6），不是叉（4）",
         "3/1/0/0 6>4"},
        {"中国人", "50006 60103 80000", "506080", "506081",
         "中国人 = 50（中）+ 60（国）+ 80（人）|你打的是 50 + 60 + 81|"
         "人的右上角是已用过的笔画（0），不是横（1）",
         "5/2/1/0 0>1"},
        {"中华人民", "50006 0440 80000 77747", "500487", "500489",
         "中华人民 = 50（中）+ 04（华）+ 8（人）+ 7（民）|你打的是 50 + 04 + 8 + 9|"
         "民的左上角是角（7），不是小（9）",
         "5/3/0/2 7>9"},
        {"人民共和国", "80000 77747 44801 06900 60103", "807406", "807426",
         "人民共和国 = 80（人）+ 7（民）+ 4（共）+ 0（和）+ 6（国）|你打的是 80 + 7 + 4 + 2 + 6|"
         "和的左上角是撇（0），不是竖（2）",
         "4/3/0/0 0>2"},
        {"中华人民共和国", "50006 0440 80000 77747 44801 06900 60103", "500806", "510806",
         "中华人民共和国 = 50（中）+ 0（华）+ 8（人）+ 0（和）+ 6（国）|民、共不取码|"
         "你打的是 51 + 0 + 8 + 0 + 6|中的右上角是已用过的笔画（0），不是横（1）",
         "1/0/1/1 0>1"},
        {"人人", "80000 80000", "800800", "800801",
         "人人 = 800（人）+ 800（人）|你打的是 800 + 801|"
         "第2字人的左下角是已用过的笔画（0），不是横（1）",
         "5/1/2/0 0>1"},
        {"中国", "50006 60103", "500601", "50060",
         "中国 = 500（中）+ 601（国）|国的左下角少打了横（1）", "5/1/2/0 1>_"},
        // A one-key code is the first digit of the word's code: the note says
        // so, not how the full code is built.
        {"中国", "50006 60103", "5", "4",
         "中国 的一键码 5 是全码 500601 的第 1 位|中的左上角是插（5），不是叉（4）", "0/0/0/3 5>4"},
        // A character's code too short for its part: each digit named by its place.
        {"中国", "50 60103", "500601", "500401", "第4位是方（6），不是叉（4）", "3/-1/-1/-1 6>4"},
    };
    for (const Row& r : rows) {
        const WordCode word{u(r.word), u(r.codes).split(u' ', Qt::SkipEmptyParts), u(r.code), {}};
        const Explanation x = explain(u(r.typed), word, testCorners(), Entry::CodeOnly);
        EXPECT_EQ(x.verdict, Verdict::WrongDigits) << r.word << r.typed;
        EXPECT_EQ(x.lines.join(u'|'), u(r.lines)) << r.word << r.typed;
        EXPECT_EQ(where(x), u(r.where)) << r.word << r.typed;
    }
}

} // namespace
