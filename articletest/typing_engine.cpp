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

bool TypingEngine::keyPress(KeyPress press) {
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
        if (codeBox.empty() && typedCount > 0)
            takeBack();
        ListShowing = false;
        candidatePage.clear();
        hideArrows();
        if (!codeBox.empty())
            codeBox.pop_back(); // the code box takes the Backspace
        return true;
    }

    if (key == TestKey::Space) {
        if (ListShowing) {
            ListShowing = false;
            enterCandidate(PageFirst);
        } else {
            if (codeBox.empty())
                enterText("  "); // the current character is skipped
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
            candidatePage.clear();
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
            enterCandidate(PageFirst + k);
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
            enterCandidate(PageFirst);
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
         candidatePage.size() + c[static_cast<size_t>(i)].size() <= static_cast<size_t>(kPageBytes);
         ++i) {
        candidatePage += " " + std::to_string(i) + "." + c[static_cast<size_t>(i)];
        last = i;
    }
    PageFirst = 0;
    PageLast = last;
    nextArrowShown = PageLast < count() - 1;
}

void TypingEngine::nextPage() {
    const auto& c = dictionary().Candidates();
    previousArrowShown = true;
    candidatePage.clear();
    const int oldLast = PageLast;
    int last = oldLast + 1;
    // At most ten a page, so that a digit reaches every candidate (the
    // entries without blanks would let twelve fit in the bytes).
    for (int i = oldLast + 1;
         i < count() && i - oldLast - 1 < kPageEntries &&
         candidatePage.size() + c[static_cast<size_t>(i)].size() <= static_cast<size_t>(kPageBytes);
         ++i) {
        candidatePage += std::to_string(i - oldLast - 1) + "." + c[static_cast<size_t>(i)];
        last = i;
    }
    PageFirst = oldLast + 1;
    PageLast = last;
    nextArrowShown = PageLast < count() - 1;
}

void TypingEngine::previousPage() {
    const auto& c = dictionary().Candidates();
    nextArrowShown = true;
    candidatePage.clear();
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
        candidatePage += std::to_string(i - PageFirst) + "." + c[static_cast<size_t>(i)];
    previousArrowShown = PageFirst > 0;
}

void TypingEngine::enterCandidate(int index) {
    const std::string word = dictionary().Candidates()[static_cast<size_t>(index)];
    const size_t chars = word.size() / 2;
    for (size_t j = 0; j < chars; ++j) {
        if (j > 0 && AtArticleStart)
            break; // the article ended within this word
        enterText(word.substr(2 * j, 2));
    }
    codeBox.clear();
    candidatePage.clear();
    hideArrows();
}

void TypingEngine::enterText(const std::string& entered) {
    if (AtArticleStart) {
        AtArticleStart = false;
        CursorPos = 0;
        InputLine = 1;
    }
    ++typedCount;
    text_.appendToLine(InputLine, entered);
    changedLines.insert(InputLine);

    const std::string expected = text_.bytesAt(CursorPos, 2);
    if (dict::compare(expected, entered) == 0) {
        text_.setMark(CursorPos, TestText::Mark::Typed);
    } else {
        ++wrongCount;
        errorCodes.resize(errorLines.size());
        errorCodes.push_back(codeBox);
        errorLines.push_back(expected + "(" + entered + ")");
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
    errorLines.clear();
    errorCodes.clear();
    errorPositions_.clear();
}

void TypingEngine::takeBack() {
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
    if (typedCount > 0) {
        --typedCount;
        if (wasWrong) {
            if (wrongCount > 0)
                --wrongCount;
            for (size_t i = errorPositions_.size(); i-- > 0;) {
                if (errorPositions_[i] == back) {
                    errorLines.erase(errorLines.begin() + static_cast<std::ptrdiff_t>(i));
                    if (i < errorCodes.size())
                        errorCodes.erase(errorCodes.begin() + static_cast<std::ptrdiff_t>(i));
                    errorPositions_.erase(errorPositions_.begin() + static_cast<std::ptrdiff_t>(i));
                    break;
                }
            }
        }
    }
}
