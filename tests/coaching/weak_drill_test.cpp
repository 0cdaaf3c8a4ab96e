// Choosing the characters of a drill of one weak corner.
#include "coaching/weak_drill.h"

#include "tests/coaching/coaching_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace coaching;

TEST(WeakDrill, MissedCharactersFirstThenByFrequencyEachOnce) {
    // Most frequent first; 龘 is not in the corner table, 在 comes twice.
    const QStringList byFrequency = u("中 在 啊 学 有 们 在 龘").split(u' ');
    const DrillTarget bottomLeft2{BottomLeft, u'2', {}}; // 在 40214, 有 40207, 们 0720
    struct Row {
        DrillTarget target;
        int count;
        const char* answered; // "item code typed …; …"
        const char* drill;
    };
    const Row rows[] = {
        {bottomLeft2, 2, "", "在有"},
        {bottomLeft2, 10, "", "在有们"}, // fewer than asked
        {bottomLeft2, 0, "们 0720 0700", ""},
        {bottomLeft2, 3, "们 0720 0700; 有 40207 40007 40017", "有们在"}, // most often missed first
        {bottomLeft2, 2, "有 40207 40007; 们 0720 0710 0720", "们有"},    // then the most recent
        {bottomLeft2, 1, "有在 402402 400402; 们有 072402 072400", "有"}, // missed in words
        // Misses at another corner, or of another digit there, do not count.
        {bottomLeft2, 3, "啊 61000 61020; 学 30407 30207; 在 40214 40224", "在有们"},
        {DrillTarget{ExtraCorner, u'7', {}}, 3, "", "学有"},
    };
    for (const Row& r : rows) {
        std::vector<AnsweredItem> answered;
        for (const QString& a : u(r.answered).split(u';', Qt::SkipEmptyParts)) {
            QStringList words = a.split(u' ', Qt::SkipEmptyParts);
            answered.push_back({words.takeFirst(), words.takeFirst(), words, {}});
        }
        QString drill;
        for (const auto& [ch, code] :
             chooseDrill(r.target, r.count, answered, testCorners(), byFrequency)) {
            drill += ch;
            const CornerEntry* e = testCorners().find(ch);
            ASSERT_NE(e, nullptr) << r.answered;
            EXPECT_EQ(code, e->code) << r.answered;
        }
        EXPECT_EQ(drill, u(r.drill)) << r.answered;
    }
}

TEST(WeakDrill, KeptToTheStrokeEverySlipHad) {
    // The 左钩 at the bottom right: not the empty corners of 人 and 和, also 0.
    QString drill;
    for (const auto& [ch, code] : chooseDrill({BottomRight, u'0', u("左钩")}, 5, {}, testCorners(),
                                              u("人 和 的 啊").split(u' ')))
        drill += ch;
    EXPECT_EQ(drill, u("的啊"));
    // Only a stroke the corner shows is kept to.
    for (const auto& [name, kept] : std::vector<std::pair<const char*, const char*>>{
             {"撇", "撇"}, {"撇或左钩", ""}, {"空角", ""}, {"已用", ""}, {"", ""}}) {
        DigitConfusion c;
        c.right = u'0';
        c.rightName = u(name);
        EXPECT_EQ(drillStroke(c), u(kept)) << name;
    }
}

} // namespace
