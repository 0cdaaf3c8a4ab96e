#include "training/exercise_kind.h"

#include <stdexcept>

namespace training {
namespace {

constexpr KindInfo kTable[kKinds] = {
    {Page::Basic, u"简单", u"基本笔形训练", u"基本笔形训练", 60, 1, "exercise/bixing", 0, 0, false},
    {Page::Basic, u"较难", u"较难笔形训练", u"较难笔形训练", 60, 1, "exercise/fubu", 0, 0, false},
    {Page::Basic, u"彩色字", u"彩色字拆字训练", u"彩色字拆字训练", 60, 1, "exercise/caisezi", 0, 0,
     false},
    {Page::Characters, u"全码字", u"全码字编码训练", u"全码字编码训练", 119, 1, "hzlib/z1.txt", 10,
     2, false},
    {Page::Characters, u"稍难字", u"稍难字编码训练", u"较难字编码训练", 119, 1, "hzlib/z2.txt", 10,
     2, false},
    {Page::Characters, u"一键简码", u"一键简码训练", u"一键简码训练", 119, 1, "hzlib/z3.txt", 10, 2,
     false},
    {Page::Characters, u"二键简码", u"二键简码训练", u"二键简码训练", 119, 1, "hzlib/z4.txt", 10, 2,
     false},
    {Page::Words, u"二字词", u"二字词训练", u"二字词编码训练", 45, 2, "hzlib/c2.txt", 12, 4, false},
    {Page::Words, u"三字词", u"三字词训练", u"三字词编码训练", 45, 3, "hzlib/c3.txt", 14, 6, false},
    {Page::Words, u"四字词", u"四字词训练", u"四字词编码训练", 45, 4, "hzlib/c4.txt", 16, 8, true},
    {Page::Words, u"一键词", u"一键词训练", u"一键词训练", 45, 2, "hzlib/c1.txt", 12, 4, false},
    {Page::Words, u"多字词", u"多字词训练", u"多字词训练", 18, 5, "hzlib/c5.txt", 24, 16, true},
    // The reviews fill up from the most frequent characters and two-character words.
    {Page::Characters, u"错字复习", u"错字复习", u"错字复习训练", 119, 1, "hzlib/z1.txt", 10, 2,
     false},
    {Page::Words, u"错词复习", u"错词复习", u"错词复习训练", 45, 2, "hzlib/c2.txt", 12, 4, false},
};

const PageInfo kPageTable[kPages] = {
    {u"基本编码",
     {u"基本编码训练", u"请选择训练项目:", u"<简单><较难>", u"<彩色字>"},
     ExerciseKind::BasicStrokes,
     "files/base.rtf"},
    {u"字编码",
     {u"字编码训练", u"请选择训练项目:", u"<全码字><稍难字>", u"<一键码><二键码>"},
     ExerciseKind::FullCodeCharacters,
     "files/single.rtf"},
    {u"词编码",
     {u"词编码训练", u"请选择训练项目:", u"<二字><三字><四字>", u"<多字><一键词>"},
     ExerciseKind::TwoCharacterWords,
     "files/word.rtf"},
};

} // namespace

ExerciseKind exerciseKind(int n) {
    if (n < 0 || n >= kKinds)
        throw std::out_of_range("exercise kind");
    return static_cast<ExerciseKind>(n);
}

const KindInfo& kind(ExerciseKind k) {
    return kTable[numberOf(exerciseKind(numberOf(k)))];
}

const PageInfo& page(Page p) {
    return kPageTable[static_cast<int>(p)];
}

} // namespace training
