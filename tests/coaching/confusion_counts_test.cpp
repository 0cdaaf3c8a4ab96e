// Counting which corners a learner reads wrong.
#include "coaching/confusion_counts.h"

#include "tests/coaching/coaching_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace coaching;

// An answered item from "item code typed typed … [| own codes]".
AnsweredItem item(const char* row) {
    const QStringList parts = u(row).split(u'|');
    QStringList words = parts[0].split(u' ', Qt::SkipEmptyParts);
    AnsweredItem a{words.takeFirst(), words.takeFirst(), words, {}};
    if (parts.size() > 1)
        a.ownCodes = parts[1].split(u' ', Qt::SkipEmptyParts);
    return a;
}

TEST(ConfusionCounts, CountsByCornerAndDigitPairAndByStrokeShape) {
    const std::vector<AnsweredItem> answered = {
        item("们 0720 0700 0700 0720"), // a code submitted twice counts once
        item("有 40207 40007 40207"),
        item("啊 61000 61020"),
        item("啊 61000 6100 61 61000 | 61"), // a slipped digit, a short code
        item("的 07600 27600"),
        item("中国 500601 500401"),
        item("2 2 3"),                  // a stroke picture
        item("我 03550 03551 | 03551"), // another code of the character
        item("民 77747 77747"),
        item("在 40214 40014 40214"),
        item("和 06900 06920"), // 0 at the bottom right again, from another stroke
    };
    const ConfusionReport r = countConfusions(answered, testCorners(), 2);

    // Corner, digits, count and examples (most recent first; 们 is the third
    // of 2→0), by count and then the most recent first.
    QStringList digits, shapes;
    for (const DigitConfusion& c : r.digits)
        digits << QStringLiteral("%1 %2 %3 %4")
                      .arg(c.corner)
                      .arg(c.text())
                      .arg(c.count)
                      .arg(c.examples.join(QString()));
    for (const ShapeConfusion& c : r.shapes)
        shapes << QStringLiteral("%1 %2 %3")
                      .arg(c.text())
                      .arg(c.count)
                      .arg(c.examples.join(QString()));
    // A digit pair names the stroke when every slip had the same one (撇 of
    // 的), else the rhyme's name (左钩 of 啊 and 已用 of 和).
    EXPECT_EQ(digits.join(u'|'), u("2 竖（2）→撇或左钩（0） 3 在有|3 撇或左钩（0）→竖（2） 2 和啊|"
                                   "0 方（6）→叉（4） 1 国|0 撇（0）→竖（2） 1 的"));
    EXPECT_EQ(shapes.join(u'|'),
              u("竖→撇或左钩 3 在有|已用→竖 1 和|方→叉 1 国|撇→竖 1 的|左钩→竖 1 啊"));

    // Codes compared at each corner (中国 gives 中 and 国 three corners each)
    // and those wrong there.
    const int answers[5] = {13, 13, 13, 11, 9};
    const int wrong[5] = {2, 0, 3, 2, 0};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(r.corners[c].answers, answers[c]) << c;
        EXPECT_EQ(r.corners[c].wrong, wrong[c]) << c;
    }
    EXPECT_DOUBLE_EQ(r.corners[BottomLeft].rate(), 3.0 / 13);
    EXPECT_DOUBLE_EQ(CornerErrorRate{}.rate(), 0.0);
}

TEST(ConfusionCounts, WordsAreTracedOnlyThroughCodesBuiltFromTheirCharacters) {
    struct Row {
        const char *answered, *wrong; // the wrong corners as character and corner
    };
    const Row rows[] = {
        {"中国 500601 500602", "国2"},
        {"中国 5 6", "中0"}, // the one-key code
        {"人民共和国 807406 807426", "和0"},
        {"中国 123456 123450", ""}, // not the code of its characters
        {"中龘 500123 500124", ""}, // a character the table lacks
    };
    for (const Row& r : rows) {
        QString wrong;
        for (const CornerAnswer& a : cornerAnswers({item(r.answered)}, testCorners()))
            if (a.typed != a.right)
                wrong += a.character + QString::number(a.corner);
        EXPECT_EQ(wrong, u(r.wrong)) << r.answered;
    }
}

} // namespace
