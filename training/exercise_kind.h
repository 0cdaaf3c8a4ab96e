#pragma once

#include <QString>

#include <array>

// The training exercises. An exercise kind names one: 0-2 are stroke-picture
// exercises, 3-6 character exercises, 7-11 word exercises; 12 and 13 review
// the characters and words of the learning history ("错字复习", "错词复习")
// with all the rules of the character and word exercises. The kinds 0-11
// are also the slots of the record-holder file; the reviews have none.
namespace training {

constexpr int kKinds = 14;
constexpr int kRecordKinds = 12;
constexpr int kCharacterReview = 12;
constexpr int kWordReview = 13;

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

const KindInfo& kind(int k);

inline Page pageOf(int k) {
    return kind(k).page;
}
inline bool isPictureKind(int k) {
    return k >= 0 && k <= 2;
}
inline bool isCharacterKind(int k) {
    return (k >= 3 && k <= 6) || k == kCharacterReview;
}
inline bool isWordKind(int k) {
    return (k >= 7 && k <= 11) || k == kWordReview;
}
inline bool isReviewKind(int k) {
    return k == kCharacterReview || k == kWordReview;
}

// What a page shows and which exercise it chooses when it becomes active.
struct PageInfo {
    const char16_t* caption;
    std::array<const char16_t*, 4> messages;
    int defaultKind;
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
constexpr int kMultiWordKind = 11;

// The multi-character position after `position`: 3 further from column 0,
// 2 further from column 3.
constexpr int nextMultiWordPosition(int position) {
    return position % kWordColumns == 0 ? position + 3 : position + 2;
}

} // namespace training
