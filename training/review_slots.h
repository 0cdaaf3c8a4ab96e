#pragma once

#include <array>
#include <string>

// The items a learner looked up with F1, remembered for the next run of the
// same exercise: one slot per grid position, which the next run shows first
// in that position. Texts and codes are GBK bytes.
namespace training {

struct ReviewSlot {
    std::string text;
    std::string code;
    bool empty() const { return text.empty() && code.empty(); }
};

class ReviewSlots {
public:
    static constexpr int kCharSlots = 119, kWordSlots = 45;
    static constexpr size_t kCharBytes = 10, kWordBytes = 30;

    std::array<ReviewSlot, kCharSlots> CharReview;
    std::array<ReviewSlot, kWordSlots> WordReview;
    // The slot the next look-up writes.
    int ReviewCursor = 0;

    void emptyCharacters();
    void emptyWords();

    // Remembers the current item of a character run (at most 10 bytes of
    // text and of code) in slot ReviewCursor and moves the cursor on, unless
    // the slot before the cursor already holds this text. A cursor past the
    // last slot writes nothing.
    void rememberCharacter(const std::string& text, const std::string& code);
    // The same for a word run: kinds 7-10 use the slots in order; the
    // multi-character exercise (`multiWord`) its 18 positions, the cursor
    // moving to the next of them.
    void rememberWord(const std::string& text, const std::string& code, bool multiWord);
    // Start of a run, page switch, window shown: the next look-up writes the
    // first slot again.
    void rewind();

private:
    int lastWritten_ = -1; // slot of the last word look-up of this run
};

} // namespace training
