// Explanations of wrong codes in the rhyme's words.
#include "coaching/code_explanation.h"

#include "coaching_test_table.h"

#include <gtest/gtest.h>

namespace {

using namespace coaching;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QStringList lines(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts)
        out << u(t);
    return out;
}

// A difference as the rows below write it: digit index, character, corner,
// right and typed digit (' ' for none), the stroke making the corner.
struct Diff {
    int index, character, corner;
    char right, typed;
    int stroke;
};

void expectDifferences(const Explanation& x, const std::vector<Diff>& want, const QString& what) {
    ASSERT_EQ(x.differences.size(), want.size()) << what.toStdString();
    for (size_t i = 0; i < want.size(); ++i) {
        const DigitDifference& d = x.differences[i];
        const Diff& w = want[i];
        EXPECT_EQ(d.index, w.index) << what.toStdString();
        EXPECT_EQ(d.character, w.character) << what.toStdString();
        EXPECT_EQ(d.corner, w.corner) << what.toStdString();
        EXPECT_EQ(d.right, w.right == ' ' ? QChar() : QChar(w.right)) << what.toStdString();
        EXPECT_EQ(d.typed, w.typed == ' ' ? QChar() : QChar(w.typed)) << what.toStdString();
        EXPECT_EQ(d.stroke, w.stroke) << what.toStdString();
    }
}

TEST(CodeExplanation, NamesEachDifferingCornerByTheCharactersStrokeAndTheTypedDigit) {
    struct Row {
        const char* character;
        const char* code;
        const char* typed;
        QStringList lines;
        std::vector<Diff> differences;
    };
    const Row rows[] = {
        {"啊", "61000", "71000", lines({"左上角是方（6），不是角（7）"}), {{0, 0, 0, '6', '7', 0}}},
        {"中",
         "50006",
         "52006",
         lines({"右上角是已用过的笔画（0），不是竖（2）"}),
         {{1, 0, 1, '0', '2', 1}}},
        {"们",
         "0720",
         "0700",
         lines({"左下角是竖（2），不是撇或左钩（0）"}),
         {{2, 0, 2, '2', '0', 1}}},
        {"民", "77747", "77727", lines({"右下角是叉（4），不是竖（2）"}), {{3, 0, 3, '4', '2', 4}}},
        {"啊",
         "61000",
         "61020",
         lines({"右下角是左钩（0），不是竖（2）"}),
         {{3, 0, 3, '0', '2', 9}}},
        {"大", "40030", "40010", lines({"右下角是点（3），不是横（1）"}), {{3, 0, 3, '3', '1', 2}}},
        {"国", "60103", "60903", lines({"左下角是横（1），不是小（9）"}), {{2, 0, 2, '1', '9', 0}}},
        {"国",
         "60103",
         "61103",
         lines({"右上角是空角（0），不是横（1）"}),
         {{1, 0, 1, '0', '1', -1}}},
        {"啊",
         "61000",
         "61003",
         lines({"附角是撇或左钩（0），不是点或捺（3）"}),
         {{4, 0, 4, '0', '3', -1}}},
        {"啊",
         "61000",
         "71020",
         lines({"左上角是方（6），不是角（7）", "右下角是左钩（0），不是竖（2）"}),
         {{0, 0, 0, '6', '7', 0}, {3, 0, 3, '0', '2', 9}}},
        // A character the table does not know: the rhyme's names.
        {"丂",
         "10207",
         "10227",
         lines({"右下角是撇或左钩（0），不是竖（2）"}),
         {{3, 0, 3, '0', '2', -1}}},
        // A digit missing or too many, traced where one digit explains it.
        {"啊", "61000", "6100", lines({"附角少打了撇或左钩（0）"}), {{4, 0, 4, '0', ' ', -1}}},
        {"我", "03550", "0350", lines({"右下角少打了插（5）"}), {{3, 0, 3, '5', ' ', 4}}},
        {"们",
         "0720",
         "07204",
         lines({"这个字没有附角，多打了叉（4）"}),
         {{4, -1, -1, ' ', '4', -1}}},
        {"们", "0720", "08720", lines({"右上角前多打了一位八（8）"}), {{1, -1, -1, ' ', '8', -1}}},
        // Otherwise digit by digit.
        {"啊",
         "61000",
         "610",
         lines({"右下角少打了左钩（0）", "附角少打了撇或左钩（0）"}),
         {{3, 0, 3, '0', ' ', 9}, {4, 0, 4, '0', ' ', -1}}},
        {"啊",
         "61000",
         "6100012",
         lines({"多打了第6位横（1）", "多打了第7位竖（2）"}),
         {{5, -1, -1, ' ', '1', -1}, {6, -1, -1, ' ', '2', -1}}},
    };
    for (const Row& r : rows) {
        const QString what = u(r.character) + u' ' + u(r.typed);
        const Explanation x = explain(u(r.typed), CharacterCode{u(r.character), u(r.code), {}},
                                      testCorners(), Entry::CodeOnly);
        EXPECT_EQ(x.verdict, Verdict::WrongDigits) << what.toStdString();
        EXPECT_EQ(x.lines, r.lines) << what.toStdString();
        expectDifferences(x, r.differences, what);
    }
}

TEST(CodeExplanation, OwnCodesAreNamedInsteadOfCorners) {
    struct Row {
        const char* code;
        QStringList own;
        const char* typed;
        Entry entry;
        Verdict verdict;
        const char* line;
    };
    const QStringList shortCodes = lines({"6", "61"});
    const Row rows[] = {
        {"61000", shortCodes, "61000", Entry::CodeOnly, Verdict::Right, "编码对了"},
        {"61000", shortCodes, "61000", Entry::WithCandidates, Verdict::WrongCandidate,
         "编码对了，候选选错了"},
        {"61000", shortCodes, "6", Entry::WithCandidates, Verdict::WrongCandidate,
         "编码对了，候选选错了"},
        {"61000", shortCodes, "61", Entry::CodeOnly, Verdict::ShortCode,
         "61 是啊的简码，这里要打全码 61000"},
        {"61000", lines({"61020"}), "61020", Entry::CodeOnly, Verdict::OtherCode,
         "61020 也是啊的编码，这里要打 61000"},
        // The table's main code is always one of the character's codes.
        {"6",
         {},
         "61000",
         Entry::CodeOnly,
         Verdict::OtherCode,
         "61000 也是啊的编码，这里要打简码 6"},
        {"6", {}, "61000", Entry::WithCandidates, Verdict::WrongCandidate, "编码对了，候选选错了"},
    };
    for (const Row& r : rows) {
        const Explanation x =
            explain(u(r.typed), CharacterCode{u("啊"), u(r.code), r.own}, testCorners(), r.entry);
        EXPECT_EQ(x.verdict, r.verdict) << r.typed;
        EXPECT_EQ(x.lines, QStringList{u(r.line)}) << r.typed;
        EXPECT_TRUE(x.differences.empty()) << r.typed;
    }
    // A short code the character does not have is a code with digits missing.
    const Explanation x = explain(u("7"), CharacterCode{u("啊"), u("61000"), shortCodes},
                                  testCorners(), Entry::CodeOnly);
    EXPECT_EQ(x.verdict, Verdict::WrongDigits);
    EXPECT_EQ(x.differences.size(), 5u);
}

TEST(CodeExplanation, NamesEveryDigitOfTheRhyme) {
    const char* names[] = {"撇或左钩", "横", "竖", "点或捺", "叉", "插", "方", "角", "八", "小"};
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(rhymeName(QChar(u'0' + d)), u(names[d])) << d;
    EXPECT_TRUE(rhymeName(u'a').isEmpty());
    const char* corners[] = {"左上角", "右上角", "左下角", "右下角", "附角"};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(cornerName(c), u(corners[c])) << c;
    EXPECT_TRUE(cornerName(5).isEmpty());
    EXPECT_TRUE(cornerName(-1).isEmpty());
}

TEST(WordExplanation, ShowsHowTheCodeIsBuiltAndTracesEachWrongDigit) {
    struct Row {
        const char* word;
        QStringList codes;
        const char* code; // empty: the code built from the characters' codes
        const char* typed;
        QStringList lines;
        std::vector<Diff> differences;
    };
    const QStringList zhongguo = lines({"50006", "60103"});
    const Row rows[] = {
        {"中国",
         zhongguo,
         "",
         "500401",
         lines({"中国 = 500（中）+ 601（国）", "你打的是 500 + 401",
                "国的左上角是方（6），不是叉（4）"}),
         {{3, 1, 0, '6', '4', 0}}},
        {"中国人",
         lines({"50006", "60103", "80000"}),
         "",
         "506081",
         lines({"中国人 = 50（中）+ 60（国）+ 80（人）", "你打的是 50 + 60 + 81",
                "人的右上角是已用过的笔画（0），不是横（1）"}),
         {{5, 2, 1, '0', '1', 0}}},
        {"中华人民",
         lines({"50006", "0440", "80000", "77747"}),
         "",
         "500489",
         lines({"中华人民 = 50（中）+ 04（华）+ 8（人）+ 7（民）", "你打的是 50 + 04 + 8 + 9",
                "民的左上角是角（7），不是小（9）"}),
         {{5, 3, 0, '7', '9', 2}}},
        {"人民共和国",
         lines({"80000", "77747", "44801", "06900", "60103"}),
         "",
         "807426",
         lines({"人民共和国 = 80（人）+ 7（民）+ 4（共）+ 0（和）+ 6（国）",
                "你打的是 80 + 7 + 4 + 2 + 6", "和的左上角是撇（0），不是竖（2）"}),
         {{4, 3, 0, '0', '2', 0}}},
        {"中华人民共和国",
         lines({"50006", "0440", "80000", "77747", "44801", "06900", "60103"}),
         "",
         "510806",
         lines({"中华人民共和国 = 50（中）+ 0（华）+ 8（人）+ 0（和）+ 6（国）", "民、共不取码",
                "你打的是 51 + 0 + 8 + 0 + 6", "中的右上角是已用过的笔画（0），不是横（1）"}),
         {{1, 0, 1, '0', '1', 1}}},
        {"人人",
         lines({"80000", "80000"}),
         "",
         "800801",
         lines({"人人 = 800（人）+ 800（人）", "你打的是 800 + 801",
                "第2字人的左下角是已用过的笔画（0），不是横（1）"}),
         {{5, 1, 2, '0', '1', 0}}},
        {"中国",
         zhongguo,
         "",
         "50060",
         lines({"中国 = 500（中）+ 601（国）", "国的左下角少打了横（1）"}),
         {{5, 1, 2, '1', ' ', 0}}},
        {"中国",
         zhongguo,
         "",
         "5006011",
         lines({"中国 = 500（中）+ 601（国）", "多打了第7位横（1）"}),
         {{6, -1, -1, ' ', '1', -1}}},
        // The one-key code of a word is the first digit of its code.
        {"中国",
         zhongguo,
         "5",
         "4",
         lines({"中国 = 500（中）+ 601（国）", "中的左上角是插（5），不是叉（4）"}),
         {{0, 0, 0, '5', '4', 3}}},
    };
    for (const Row& r : rows) {
        const QString what = u(r.word) + u' ' + u(r.typed);
        const QString code = *r.code ? u(r.code) : wordCode(r.codes);
        const Explanation x = explain(u(r.typed), WordCode{u(r.word), r.codes, code, {}},
                                      testCorners(), Entry::CodeOnly);
        EXPECT_EQ(x.verdict, Verdict::WrongDigits) << what.toStdString();
        EXPECT_EQ(x.lines, r.lines) << what.toStdString();
        expectDifferences(x, r.differences, what);
    }
}

TEST(WordExplanation, OwnCodesAndCodesThatCannotBeBuilt) {
    const QStringList codes = lines({"50006", "60103"});
    struct Row {
        const char* code;
        QStringList own;
        const char* typed;
        Entry entry;
        Verdict verdict;
        const char* line;
    };
    const Row rows[] = {
        {"500601",
         {},
         "500601",
         Entry::WithCandidates,
         Verdict::WrongCandidate,
         "编码对了，候选选错了"},
        {"500601", lines({"5"}), "5", Entry::CodeOnly, Verdict::ShortCode,
         "5 是中国的简码，这里要打全码 500601"},
        {"5",
         {},
         "500601",
         Entry::CodeOnly,
         Verdict::OtherCode,
         "500601 也是中国的编码，这里要打简码 5"},
    };
    for (const Row& r : rows) {
        const Explanation x = explain(u(r.typed), WordCode{u("中国"), codes, u(r.code), r.own},
                                      testCorners(), r.entry);
        EXPECT_EQ(x.verdict, r.verdict) << r.typed;
        EXPECT_EQ(x.lines, (QStringList{u("中国 = 500（中）+ 601（国）"), u(r.line)})) << r.typed;
    }

    EXPECT_TRUE(wordCode(lines({"50006"})).isEmpty());
    EXPECT_TRUE(wordCode(lines({"50", "60103"})).isEmpty());
    // Without its characters' codes a word's digits are named by position.
    const Explanation x = explain(u("500401"), WordCode{u("中国"), {}, u("500601"), {}},
                                  testCorners(), Entry::CodeOnly);
    EXPECT_TRUE(x.parts.empty());
    EXPECT_EQ(x.lines, QStringList{u("第4位是方（6），不是叉（4）")});
}

} // namespace
