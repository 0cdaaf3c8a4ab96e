// Choosing the characters of a drill of one weak corner.
#include "coaching/weak_drill.h"

#include "coaching_test_table.h"

#include <gtest/gtest.h>

namespace {

using namespace coaching;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

AnsweredItem item(const char* text, const char* code, std::initializer_list<const char*> typed) {
    AnsweredItem a{u(text), u(code), {}, {}};
    for (const char* t : typed)
        a.typed << u(t);
    return a;
}

TEST(WeakDrill, MissedCharactersFirstThenByFrequencyEachOnce) {
    // Most frequent first; 龘 is not in the corner table, 在 comes twice.
    QStringList byFrequency;
    for (const char* ch : {"中", "在", "啊", "学", "有", "们", "在", "龘"})
        byFrequency << u(ch);
    const DrillTarget bottomLeft2{BottomLeft, u'2'}; // 在 40214, 有 40207, 们 0720
    struct Row {
        const char* name;
        DrillTarget target;
        int count;
        std::vector<AnsweredItem> answered;
        std::vector<const char*> drill;
    };
    const Row rows[] = {
        {"no misses", bottomLeft2, 2, {}, {"在", "有"}},
        {"fewer than asked", bottomLeft2, 10, {}, {"在", "有", "们"}},
        {"none asked", bottomLeft2, 0, {item("们", "0720", {"0700"})}, {}},
        {"missed first, the most often missed before",
         bottomLeft2,
         3,
         {item("们", "0720", {"0700"}), item("有", "40207", {"40007", "40017"})},
         {"有", "们", "在"}},
        {"equally often: the most recent before",
         bottomLeft2,
         2,
         {item("有", "40207", {"40007"}), item("们", "0720", {"0710", "0720"})},
         {"们", "有"}},
        {"a miss in a word counts for its character",
         bottomLeft2,
         1,
         {item("有在", "402402", {"400402"}), item("们有", "072402", {"072400"})},
         {"有"}},
        {"misses elsewhere do not count",
         bottomLeft2,
         3,
         {item("啊", "61000", {"61020"}), item("学", "30407", {"30207"}),
          item("在", "40214", {"40224"})},
         {"在", "有", "们"}},
        {"the extra corner", DrillTarget{ExtraCorner, u'7'}, 3, {}, {"学", "有"}},
    };
    for (const Row& r : rows) {
        const auto drill = chooseDrill(r.target, r.count, r.answered, testCorners(), byFrequency);
        QStringList got, want;
        for (const auto& [ch, code] : drill) {
            got << ch;
            const CornerEntry* e = testCorners().find(ch);
            ASSERT_NE(e, nullptr) << r.name;
            EXPECT_EQ(code, e->code) << r.name;
        }
        for (const char* ch : r.drill)
            want << u(ch);
        EXPECT_EQ(got, want) << r.name;
    }
}

} // namespace
