#pragma once

#include <QString>

#include <array>

// The training exercises: three of stroke pictures, four of characters,
// five of words, and the reviews of the characters and words of the learning
// history ("错字复习", "错词复习") with all the rules of the character and
// word exercises. Their numbers (the order of the exercise buttons) are also
// the slots of the record-holder file and the kinds the learning history
// keeps; the reviews have no record slot.
namespace training {

enum class ExerciseKind {
    BasicStrokes = 0,        // "简单"
    HarderStrokes = 1,       // "较难"
    ColouredCharacters = 2,  // "彩色字"
    FullCodeCharacters = 3,  // "全码字"
    HarderCharacters = 4,    // "稍难字"
    OneKeyCharacters = 5,    // "一键简码"
    TwoKeyCharacters = 6,    // "二键简码"
    TwoCharacterWords = 7,   // "二字词"
    ThreeCharacterWords = 8, // "三字词"
    FourCharacterWords = 9,  // "四字词"
    OneKeyWords = 10,        // "一键词"
    LongWords = 11,          // "多字词": five characters and more
    CharacterReview = 12,    // "错字复习"
    WordReview = 13,         // "错词复习"
};
constexpr int kKinds = 14;
constexpr int kRecordKinds = 12;

// The kind of number `n` (0-13); throws std::out_of_range for another.
ExerciseKind exerciseKind(int n);
// The kind's number: its button's place, its record slot, its history kind.
constexpr int numberOf(ExerciseKind k) {
    return static_cast<int>(k);
}

// The notebook's pages, in tab order.
enum class Page { Basic = 0, Characters = 1, Words = 2 };
constexpr int kPages = 3;

struct KindInfo {
    Page page;
    const char16_t* caption;     // the exercise button's caption
    const char16_t* chosenTitle; // first message line on choosing the exercise
    const char16_t* startTitle;  // first message line at Start
    int itemsPerRun;             // items placed in the grid at Start
    int speedFactor;             // characters one answered item counts for
    const char* source;          // exercise folder or file, relative to the program folder
    int recordLength;            // bytes of one record of the file (0: pictures)
    int textBytes;               // bytes of the text field of a record
    bool textTrimmed;            // blanks around the text are removed when read
};

const KindInfo& kind(ExerciseKind k);

// The page of an exercise says what it practises: stroke pictures on the
// basic page, characters, or words.
inline Page pageOf(ExerciseKind k) {
    return kind(k).page;
}
inline bool isPictureKind(ExerciseKind k) {
    return pageOf(k) == Page::Basic;
}
inline bool isCharacterKind(ExerciseKind k) {
    return pageOf(k) == Page::Characters;
}
inline bool isWordKind(ExerciseKind k) {
    return pageOf(k) == Page::Words;
}
inline bool isReviewKind(ExerciseKind k) {
    return k == ExerciseKind::CharacterReview || k == ExerciseKind::WordReview;
}

// What a page shows and which exercise it chooses when it becomes active.
struct PageInfo {
    const char16_t* caption;
    std::array<const char16_t*, 4> messages;
    ExerciseKind defaultKind;
    const char* panelText; // the explanation panel's text file
};
const PageInfo& page(Page p);

// Item positions of the grids: pictures 6 × 10, characters 7 × 17, words 9 × 5.
constexpr int kPictureItems = 60, kPictureColumns = 10;
constexpr int kCharItems = 119, kCharColumns = 17;
constexpr int kWordItems = 45, kWordColumns = 5;

// The 18 word positions the multi-character exercise uses: columns 0 and 3
// of each row, so that a long word can spread over the empty cells beside it.
constexpr int kMultiWordItems = 18;
constexpr std::array<int, kMultiWordItems> kMultiWordPositions = {
    0, 3, 5, 8, 10, 13, 15, 18, 20, 23, 25, 28, 30, 33, 35, 38, 40, 43};

// The multi-character position after `position`: 3 further from column 0,
// 2 further from column 3.
constexpr int nextMultiWordPosition(int position) {
    return position % kWordColumns == 0 ? position + 3 : position + 2;
}

} // namespace training
