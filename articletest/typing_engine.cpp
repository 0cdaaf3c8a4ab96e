#include "articletest/typing_engine.h"

#include "dictionary/dict_format.h"
#include "dictionary/two.h"

#include <algorithm>
#include <stdexcept>

namespace {
constexpr int kLineBytes = 60;
constexpr int kPairBytes = 64; // the input line and two line breaks
constexpr int kFirstScrollLine = 13;
constexpr int kLinesPerPage = 12;

bool atPageBoundary(int inputLine) {
    return inputLine >= kFirstScrollLine && (inputLine - kFirstScrollLine) % kLinesPerPage == 0;
}
} // namespace

Ttwo& TypingEngine::dictionary() const {
    if (!two_)
        throw std::logic_error("the typing engine has no dictionary");
    return *two_;
}

int TypingEngine::count() const {
    return two_ ? two_->CandidateCount() : 0;
}

void TypingEngine::touch(int64_t pos) {
    int line = 0, col = 0;
    if (text_.locate(pos, line, col))
        changedLines.insert(line);
}

bool TypingEngine::FormKeyPress(KeyPress press) {
    if (host_.startButtonShown() || !host_.textAreaShown())
        return false;
    TestKey key = press.key == TestKey::Enter ? TestKey::Space : press.key;

    if (key == TestKey::Plus && ListShowing && PageLast < count() - 1)
        nextPage();
    if (key == TestKey::Minus && ListShowing && PageFirst > 0)
        previousPage();
    if (key == TestKey::Dot)
        key = TestKey::Backspace;

    if (key == TestKey::Backspace) {
        if (codeBox.empty() && alread > 0)
            move_zi_back();
        ListShowing = false;
        result1.clear();
        hideArrows();
        if (!codeBox.empty())
            codeBox.pop_back(); // the code box takes the Backspace
        return true;
    }

    if (key == TestKey::Space) {
        if (ListShowing) {
            ListShowing = false;
            judge_zi(PageFirst);
        } else {
            if (codeBox.empty())
                move_zi("  "); // the current character is skipped
            segmentationEnabled = false;
        }
    }

    if (!codeBox.empty() &&
        (key == TestKey::Space || key == TestKey::Star || key == TestKey::Slash)) {
        hideArrows();
        // A dictionary error ends the key here; the code stays in the box.
        dictionary().LookupCode(key == TestKey::Star ? Ttwo::Scope::Words : Ttwo::Scope::Characters,
                                codeBox);
        if (count() > 0) {
            ListShowing = true;
            result1.clear();
            firstPage();
            segmentationEnabled = false;
        } else {
            ListShowing = false;
            PageFirst = PageLast = 0;
        }
    }

    switch (key) {
    case TestKey::Digit:
        if (ListShowing) {
            const int k = std::min(press.digit, PageLast - PageFirst);
            judge_zi(PageFirst + k);
            ListShowing = false;
            return false;
        }
        if (codeBox.size() < static_cast<size_t>(kMaxCodeLength))
            codeBox.push_back(static_cast<char>('0' + press.digit));
        return true;
    case TestKey::Space:
    case TestKey::Star:
    case TestKey::Slash:
        if (ListShowing && PageLast == 0) {
            judge_zi(PageFirst);
            ListShowing = false;
        } else if (!ListShowing) {
            codeBox.clear(); // a code without candidates is dropped
        }
        return false;
    default:
        return false;
    }
}

void TypingEngine::firstPage() {
    const auto& c = dictionary().Candidates();
    int last = 0;
    for (int i = 0;
         i < count() && i < kPageEntries &&
         result1.size() + c[static_cast<size_t>(i)].size() <= static_cast<size_t>(kPageBytes);
         ++i) {
        result1 += " " + std::to_string(i) + "." + c[static_cast<size_t>(i)];
        last = i;
    }
    PageFirst = 0;
    PageLast = last;
    BrightShown = PageLast < count() - 1;
}

void TypingEngine::nextPage() {
    const auto& c = dictionary().Candidates();
    BleftShown = true;
    result1.clear();
    const int oldLast = PageLast;
    int last = oldLast + 1;
    // At most ten a page, so that a digit reaches every candidate (the
    // entries without blanks would let twelve fit in the bytes).
    for (int i = oldLast + 1;
         i < count() && i - oldLast - 1 < kPageEntries &&
         result1.size() + c[static_cast<size_t>(i)].size() <= static_cast<size_t>(kPageBytes);
         ++i) {
        result1 += std::to_string(i - oldLast - 1) + "." + c[static_cast<size_t>(i)];
        last = i;
    }
    PageFirst = oldLast + 1;
    PageLast = last;
    BrightShown = PageLast < count() - 1;
}

void TypingEngine::previousPage() {
    const auto& c = dictionary().Candidates();
    BrightShown = true;
    result1.clear();
    // Measure backwards from the page before this one.
    std::string measure;
    int taken = PageFirst - 1;
    for (int i = PageFirst - 1; i >= 0; --i) {
        const std::string& cand = c[static_cast<size_t>(i)];
        if (measure.size() + cand.size() > static_cast<size_t>(kBackPageBytes) ||
            PageFirst - i > kPageEntries)
            break;
        measure = std::to_string(i - PageFirst + 1) + "." + cand + measure;
        taken = i;
    }
    PageLast = PageFirst - 1;
    PageFirst = taken;
    for (int i = PageFirst; i <= PageLast; ++i)
        result1 += std::to_string(i - PageFirst) + "." + c[static_cast<size_t>(i)];
    BleftShown = PageFirst > 0;
}

void TypingEngine::judge_zi(int index) {
    const std::string word = dictionary().Candidates()[static_cast<size_t>(index)];
    const size_t chars = word.size() / 2;
    for (size_t j = 0; j < chars; ++j) {
        if (j > 0 && AtArticleStart)
            break; // the article ended within this word
        move_zi(word.substr(2 * j, 2));
    }
    codeBox.clear();
    result1.clear();
    hideArrows();
}

void TypingEngine::move_zi(const std::string& entered) {
    if (AtArticleStart) {
        AtArticleStart = false;
        CursorPos = 0;
        InputLine = 1;
    }
    ++alread;
    text_.appendToLine(InputLine, entered);
    changedLines.insert(InputLine);

    const std::string expected = text_.bytesAt(CursorPos, 2);
    if (dict::compare(expected, entered) == 0) {
        text_.setMark(CursorPos, TestText::Mark::Typed);
    } else {
        ++wrong;
        MresultCodes.resize(Mresult.size());
        MresultCodes.push_back(codeBox);
        Mresult.push_back(expected + "(" + entered + ")");
        errorPositions_.push_back(CursorPos);
        text_.setMark(CursorPos, TestText::Mark::Wrong);
    }
    touch(CursorPos);

    CursorPos += 2;
    if (InputLine < text_.lineCount() &&
        text_.line(InputLine).size() == static_cast<size_t>(kLineBytes)) {
        CursorPos += kPairBytes;
        InputLine += 2;
        if (atPageBoundary(InputLine))
            host_.scrollTextBy(kScrollStep);
    }
    touch(CursorPos);

    // The article ends at the first space; a position outside the article
    // (only in a damaged text) ends it too, so typing never runs past it.
    const std::string next = text_.bytesAt(CursorPos, 1);
    if (next.empty() || next[0] == ' ' || InputLine >= text_.lineCount())
        host_.articleEnded();
}

void TypingEngine::clearErrors() {
    Mresult.clear();
    MresultCodes.clear();
    errorPositions_.clear();
}

void TypingEngine::move_zi_back() {
    if (AtArticleStart || CursorPos <= 0)
        return;
    if (text_.line(InputLine).empty()) {
        if (atPageBoundary(InputLine))
            host_.scrollTextBy(-kScrollStep);
        CursorPos -= kPairBytes;
        InputLine -= 2;
    }
    // The mark says how the character was entered; a right one leaves the
    // count of wrong characters and the error lines alone.
    const int64_t back = CursorPos - 2;
    int line = 0, col = 0;
    const bool wasWrong =
        text_.locate(back, line, col) && text_.mark(line, col / 2) == TestText::Mark::Wrong;
    text_.takeLastTwo(InputLine);
    text_.setMark(back, TestText::Mark::Untyped);
    text_.setMark(CursorPos, TestText::Mark::Untyped);
    touch(back);
    touch(CursorPos);
    changedLines.insert(InputLine);
    CursorPos = back;
    if (alread > 0) {
        --alread;
        if (wasWrong) {
            if (wrong > 0)
                --wrong;
            for (size_t i = errorPositions_.size(); i-- > 0;) {
                if (errorPositions_[i] == back) {
                    Mresult.erase(Mresult.begin() + static_cast<std::ptrdiff_t>(i));
                    if (i < MresultCodes.size())
                        MresultCodes.erase(MresultCodes.begin() + static_cast<std::ptrdiff_t>(i));
                    errorPositions_.erase(errorPositions_.begin() + static_cast<std::ptrdiff_t>(i));
                    break;
                }
            }
        }
    }
}
