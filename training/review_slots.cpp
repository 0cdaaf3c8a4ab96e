#include "training/review_slots.h"

#include "training/exercise_kind.h"

namespace training {

void ReviewSlots::emptyCharacters() {
    CharReview.fill({});
}

void ReviewSlots::emptyWords() {
    WordReview.fill({});
}

void ReviewSlots::rewind() {
    ReviewCursor = 0;
    lastWritten_ = -1;
}

void ReviewSlots::rememberCharacter(const std::string& text, const std::string& code) {
    if (ReviewCursor > 0 && ReviewCursor - 1 < kCharSlots &&
        CharReview[static_cast<size_t>(ReviewCursor - 1)].text == text)
        return;
    if (ReviewCursor < 0 || ReviewCursor >= kCharSlots)
        return;
    CharReview[static_cast<size_t>(ReviewCursor)] = {text.substr(0, kCharBytes),
                                                     code.substr(0, kCharBytes)};
    ++ReviewCursor;
}

void ReviewSlots::rememberWord(const std::string& text, const std::string& code, bool multiWord) {
    const std::string t = text.substr(0, kWordBytes);
    if (multiWord) {
        if (lastWritten_ >= 0 && WordReview[static_cast<size_t>(lastWritten_)].text == t)
            return;
    } else if (ReviewCursor > 0 && ReviewCursor - 1 < kWordSlots &&
               WordReview[static_cast<size_t>(ReviewCursor - 1)].text == t) {
        return;
    }
    if (ReviewCursor < 0 || ReviewCursor >= kWordSlots)
        return;
    WordReview[static_cast<size_t>(ReviewCursor)] = {t, code.substr(0, kWordBytes)};
    lastWritten_ = ReviewCursor;
    ReviewCursor = multiWord ? nextMultiWordPosition(ReviewCursor) : ReviewCursor + 1;
}

} // namespace training
