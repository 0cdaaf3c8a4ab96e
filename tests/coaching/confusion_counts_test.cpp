// Counting which corners a learner reads wrong.
#include "coaching/confusion_counts.h"

#include "coaching_test_table.h"

#include <gtest/gtest.h>

namespace {

using namespace coaching;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

AnsweredItem item(const char* text, const char* code, std::initializer_list<const char*> typed,
                  std::initializer_list<const char*> own = {}) {
    AnsweredItem a{u(text), u(code), {}, {}};
    for (const char* t : typed)
        a.typed << u(t);
    for (const char* o : own)
        a.ownCodes << u(o);
    return a;
}

QStringList chars(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts)
        out << u(t);
    return out;
}

// The answers of a few runs, oldest first.
const std::vector<AnsweredItem> kAnswered = {
    item("们", "0720", {"0700", "0700", "0720"}), // a code submitted twice counts once
    item("有", "40207", {"40007", "40207"}),
    item("啊", "61000", {"61020"}),
    item("啊", "61000", {"6100", "61", "61000"}, {"61"}), // a slipped digit, a short code
    item("的", "07600", {"27600"}),
    item("中国", "500601", {"500401"}),
    item("2", "2", {"3"}),                     // a stroke picture
    item("我", "03550", {"03551"}, {"03551"}), // another code of the character
    item("民", "77747", {"77747"}),
    item("在", "40214", {"40014", "40214"}),
};

TEST(ConfusionCounts, CountsByCornerAndDigitPairAndByStrokeShape) {
    const ConfusionReport r = countConfusions(kAnswered, testCorners(), 2);

    struct DigitRow {
        int corner;
        char right, typed;
        int count;
        QStringList examples;
    };
    const std::vector<DigitRow> digits = {
        {BottomLeft, '2', '0', 3, chars({"在", "有"})}, // 们 too, beyond the two examples
        {TopLeft, '6', '4', 1, chars({"国"})},          // then the most recent first
        {TopLeft, '0', '2', 1, chars({"的"})},
        {BottomRight, '0', '2', 1, chars({"啊"})},
    };
    ASSERT_EQ(r.digits.size(), digits.size());
    for (size_t i = 0; i < digits.size(); ++i) {
        EXPECT_EQ(r.digits[i].corner, digits[i].corner) << i;
        EXPECT_EQ(r.digits[i].right, QChar(digits[i].right)) << i;
        EXPECT_EQ(r.digits[i].typed, QChar(digits[i].typed)) << i;
        EXPECT_EQ(r.digits[i].count, digits[i].count) << i;
        EXPECT_EQ(r.digits[i].examples, digits[i].examples) << i;
    }

    struct ShapeRow {
        const char* text;
        int count;
        QStringList examples;
    };
    const std::vector<ShapeRow> shapes = {
        {"竖→撇或左钩", 3, chars({"在", "有"})},
        {"方→叉", 1, chars({"国"})},
        {"撇→竖", 1, chars({"的"})},
        {"左钩→竖", 1, chars({"啊"})},
    };
    ASSERT_EQ(r.shapes.size(), shapes.size());
    for (size_t i = 0; i < shapes.size(); ++i) {
        EXPECT_EQ(r.shapes[i].text(), u(shapes[i].text)) << i;
        EXPECT_EQ(r.shapes[i].count, shapes[i].count) << i;
        EXPECT_EQ(r.shapes[i].examples, shapes[i].examples) << i;
    }

    // Compared codes at each corner (a word's code gives 中 and 国 three
    // corners each) and those wrong there.
    const int answers[5] = {12, 12, 12, 10, 8};
    const int wrong[5] = {2, 0, 3, 1, 0};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(r.corners[c].answers, answers[c]) << c;
        EXPECT_EQ(r.corners[c].wrong, wrong[c]) << c;
    }
    EXPECT_DOUBLE_EQ(r.corners[BottomLeft].rate(), 3.0 / 12);
    EXPECT_DOUBLE_EQ(CornerErrorRate{}.rate(), 0.0);
}

TEST(ConfusionCounts, WordsAreTracedOnlyThroughCodesBuiltFromTheirCharacters) {
    struct Row {
        AnsweredItem answered;
        std::vector<std::pair<const char*, int>> wrongCorners; // character, corner
    };
    const Row rows[] = {
        {item("中国", "500601", {"500602"}), {{"国", BottomLeft}}},
        {item("中国", "5", {"6"}), {{"中", TopLeft}}}, // the one-key code
        {item("人民共和国", "807406", {"807426"}), {{"和", TopLeft}}},
        {item("中国", "123456", {"123450"}), {}}, // not the code of its characters
        {item("中龘", "500123", {"500124"}), {}}, // a character the table lacks
        {item("中国", "500601", {"50060"}), {}},  // another length
    };
    for (const Row& r : rows) {
        std::vector<std::pair<QString, int>> wrong;
        for (const CornerAnswer& a : cornerAnswers({r.answered}, testCorners()))
            if (a.typed != a.right)
                wrong.emplace_back(a.character, a.corner);
        std::vector<std::pair<QString, int>> want;
        for (const auto& [ch, corner] : r.wrongCorners)
            want.emplace_back(u(ch), corner);
        EXPECT_EQ(wrong, want) << r.answered.item.toStdString() << ' '
                               << r.answered.typed.join(u' ').toStdString();
    }
}

} // namespace
