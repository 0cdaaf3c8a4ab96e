#pragma once

#include "articletest/article_text.h"
#include "platform/pad_key.h"

#include <set>
#include <string>
#include <vector>

class Ttwo;

// The keys the typing engine knows: digits, Space, Enter, "*", "/", "+",
// "-", "." and Backspace; everything else is Other.
using TestKey = PadKey;
using KeyPress = PadKeyPress;

// What the engine needs of the test window.
class TypingHost {
public:
    virtual ~TypingHost() = default;
    virtual bool startButtonShown() const = 0;
    virtual bool textAreaShown() const = 0;
    // The cursor reached the end of the article.
    virtual void articleEnded() = 0;
    // Scroll the text area by `pixels` (one page of six line pairs is 384).
    virtual void scrollTextBy(int pixels) = 0;
};

// The typing engine of the article test: codes typed into the code box are
// looked up in the dictionary, a candidate is chosen from a page, and each
// character entered is compared with the article, marked, counted and, when
// wrong, listed for the report.
class TypingEngine {
public:
    TypingEngine(TestText& text, TypingHost& host) : text_(text), host_(host) {}
    // The dictionary the codes are looked up in (the program's one).
    void setDictionary(Ttwo* dictionary) { two_ = dictionary; }
    Ttwo& dictionaryForLookups() const { return dictionary(); }

    static constexpr int kMaxCodeLength = 6;
    static constexpr int kPageBytes = 51;
    static constexpr int kBackPageBytes = 32;
    // The most candidates on a page: one for each digit key.
    static constexpr int kPageEntries = 10;
    static constexpr int kScrollStep = 384;

    // The key handler. Returns whether the key reached the code box.
    bool keyPress(KeyPress key);
    // Enters Candidates[index] at the cursor.
    void enterCandidate(int index);
    // Enters one text (a character, or two spaces for a skipped one).
    void enterText(const std::string& text);
    // Takes the last entered character back.
    void takeBack();

    // Cursor: offset of the current article character and its input line.
    int64_t CursorPos = 0;
    int InputLine = 1;
    bool AtArticleStart = true;

    // Counters of the labels "已打" and "打错", and the error lines of the
    // report: expected character, "(", entered text, ")" (GBK).
    int typedCount = 0;
    int wrongCount = 0;
    std::vector<std::string> errorLines;
    // Beside each error line, the code the learner had typed for it (empty
    // for a skipped character); kept with the lines.
    std::vector<std::string> errorCodes;
    // Forgets the error lines: a new test lists only its own errors.
    void clearErrors();

    // The candidate page.
    bool ListShowing = false;
    int PageFirst = 0;
    int PageLast = 0;
    std::string candidatePage; // the page as shown, " 0.<candidate> 1.<candidate> …" (GBK)
    bool previousArrowShown = false;
    bool nextArrowShown = false;

    // The code box and the segmentation button.
    std::string codeBox;
    bool segmentationEnabled = true;

    // Lines changed since the window last drew them.
    std::set<int> changedLines;

private:
    void nextPage();
    void previousPage();
    void firstPage();
    void hideArrows() { previousArrowShown = nextArrowShown = false; }
    int count() const;
    void touch(int64_t pos);

    Ttwo& dictionary() const;

    // The article position of each line of errorLines, so that taking a
    // character back removes exactly its own line.
    std::vector<int64_t> errorPositions_;

    TestText& text_;
    Ttwo* two_ = nullptr;
    TypingHost& host_;
};
