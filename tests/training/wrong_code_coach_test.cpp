// When the training explains a wrong code, what it says and which stroke it
// lights.
#include "coaching/corner_table.h"
#include "tests/support/qt_printers.h"
#include "training/wrong_code_coach.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using training::CoachedItem;
using training::CoachNote;
using training::WrongCodeCoach;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

class Coach : public ::testing::Test {
protected:
    void SetUp() override {
        coach.setTable(std::make_shared<const coaching::CornerTable>(
            coaching::CornerTable::fromText(u("他\t04210\t0 3 1 4 2\t撇 叉 竖 横 左钩\n"
                                              "中\t50006\t3 1 3 3 1\t插 已用 已用 已用 方\n"
                                              "国\t60103\t0 - 0 - 5\t方 空角 横 空角 点\n"))));
    }
    WrongCodeCoach coach;
    const CoachedItem ta{4, u("他"), "04210", {}, false};
    const CoachedItem china{7, u("中国"), "500601", {}, true};
};

TEST_F(Coach, TheFirstWrongAnswerOnAnItemIsATryAndEveryFurtherOneIsExplained) {
    EXPECT_TRUE(coach.wrongAnswer(ta, "24210").lines.isEmpty());
    const CoachNote second = coach.wrongAnswer(ta, "24210");
    EXPECT_EQ(second.lines, QStringList{u("左上角是撇（0），不是竖（2）")});
    EXPECT_EQ(second.lines, coach.wrongAnswer(ta, "24210").lines);
    // Another item, or the same one after a right answer, starts with a try.
    EXPECT_TRUE(coach.wrongAnswer(china, "500401").lines.isEmpty());
    EXPECT_FALSE(coach.wrongAnswer(china, "500401").lines.isEmpty());
    coach.reset();
    EXPECT_TRUE(coach.wrongAnswer(china, "500401").lines.isEmpty());
    // The same text at another place of the grid is another item.
    coach.wrongAnswer(ta, "1");
    EXPECT_TRUE(coach.wrongAnswer({5, u("他"), "04210", {}, false}, "1").lines.isEmpty());
}

TEST_F(Coach, TheNoteNamesTheWrongCornersAndTheStrokeToLight) {
    struct Row {
        bool word;
        const char* typed;
        const char* lines; // joined by "|"
        const char* character;
        int stroke, corner;
    };
    const Row rows[] = {
        {false, "24210", "左上角是撇（0），不是竖（2）", "他", 0, 0},
        {false, "04320", "左下角是竖（2），不是点或捺（3）|右下角是横（1），不是竖（2）", "他", 1,
         2},
        // The extra corner lit like the others: the hook of 也's 横折钩.
        {false, "0421", "附角少打了左钩（0）", "他", 2, 4},
        {true, "500401",
         "中国 = 500（中）+ 601（国）|你打的是 500 + 401|国的左上角是方（6），不是叉（4）", "国", 0,
         0},
        // A short code of the item is named as such, no stroke lit.
        {true, "5", "中国 = 500（中）+ 601（国）|5 是中国的简码，这里要打全码 500601", "", -1, -1},
    };
    for (const Row& r : rows) {
        const CoachedItem& item = r.word ? china : ta;
        CoachedItem asked = item;
        if (QString::fromLatin1(r.typed) == u"5")
            asked.otherCodes = QStringList{"5"};
        coach.reset();
        coach.wrongAnswer(asked, r.typed);
        const CoachNote n = coach.wrongAnswer(asked, r.typed);
        SCOPED_TRACE(r.typed);
        EXPECT_EQ(n.lines.join(u'|'), u(r.lines));
        EXPECT_EQ(n.character, u(r.character));
        EXPECT_EQ(n.stroke, r.stroke);
        EXPECT_EQ(n.corner, r.corner);
    }
}

// What a drill shows before its first answer: the corner's stroke, lit.
TEST_F(Coach, ACornerNoteNamesTheStrokeAndTheDigit) {
    struct Row {
        const char* character;
        int corner;
        const char* line; // "" for no note
        int stroke;
    };
    const Row rows[] = {
        {"他", 0, "看清左上角：撇打0", 0},           {"他", 3, "看清右下角：横打1", 4},
        {"中", 1, "看清右上角：已用过的笔画打0", 1}, {"国", 3, "看清右下角：空角打0", -1},
        {"他", 4, "看清附角：左钩打0", 2},           {"龘", 0, "", -1}, // not in the table
    };
    for (const Row& r : rows) {
        const CoachNote n = coach.cornerNote(u(r.character), r.corner);
        EXPECT_EQ(n.lines.join(u'|'), u(r.line)) << r.character << r.corner;
        EXPECT_EQ(n.stroke, r.stroke) << r.character << r.corner;
    }
}

TEST_F(Coach, WithoutTheCornerTableTheRhymeNamesTheDigits) {
    WrongCodeCoach bare;
    bare.wrongAnswer(ta, "24210");
    const CoachNote n = bare.wrongAnswer(ta, "24210");
    EXPECT_EQ(n.lines, QStringList{u("左上角是撇或左钩（0），不是竖（2）")});
    EXPECT_EQ(n.stroke, -1);
}

} // namespace
