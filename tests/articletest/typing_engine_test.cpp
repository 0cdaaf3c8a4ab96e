#include "articletest/article_text.h"
#include "articletest/typing_engine.h"
#include "dictionary/dict_format.h"
#include "dictionary/dictionary_error.h"
#include "dictionary/two.h"
#include "tests/dictionary/dict_test_files.h"
#include "tests/support/test_chars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

using dicttest::DictDir;
using dicttest::groupBytes;
using dicttest::Rec;

namespace {

// The i-th character of the test articles: 啊 (B0A1), 阿 (B0A2), … 90 of them.
std::string ch(int i) {
    return gbkTestChar(i % 90);
}
// Its code: "9" followed by its number, so every character has one candidate.
std::string codeOf(int i) {
    return "9" + std::to_string(i % 90);
}

// A test file of n characters, as the conversion writes it.
std::string testFile(int n) {
    std::string out;
    int k = 0;
    for (int i = 0; i < n; ++i) {
        out += ch(i);
        if (++k == 30) {
            out += "\r\r";
            k = 0;
        }
    }
    out.append(static_cast<size_t>(59 - 2 * k), ' ');
    return out + "\r\r \r";
}

class FakeHost : public TypingHost {
public:
    bool startButtonShown() const override { return false; }
    bool textAreaShown() const override { return true; }
    void articleEnded() override {
        ++ended;
        engine->AtArticleStart = true; // the window reloads the article
    }
    void scrollTextBy(int pixels) override { scrolls.push_back(pixels); }
    int ended = 0;
    std::vector<int> scrolls;
    TypingEngine* engine = nullptr;
};

class TypingEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<Rec> chars;
        for (int i = 0; i < 90; ++i)
            chars.push_back({codeOf(i), ch(i)});
        chars.push_back({"11", ch(0)}); // three candidates
        chars.push_back({"11", ch(1)});
        chars.push_back({"11", ch(2)});
        for (int i = 0; i < 25; ++i) // 25 candidates
            chars.push_back({"5", ch(i)});
        std::stable_sort(chars.begin(), chars.end(), [](const Rec& a, const Rec& b) {
            return dict::compare(a.code, b.code) < 0;
        });
        dir.write("zh1", groupBytes(1, chars));
        // Words: the first two characters, and the last two of a 31-character article.
        dir.write("zh2", groupBytes(2, {{"22", ch(0) + ch(1)},
                                        {"23", ch(28) + ch(29)},
                                        {"24", ch(30) + ch(31)}}));
        dir.write("zh3", "");
        dir.write("zh4", "");
        dir.write("zh5", "");
        two = std::make_unique<Ttwo>(dir.path());
    }

    void load(int characters) {
        text = TestText::fromBytes(testFile(characters));
        engine = std::make_unique<TypingEngine>(text, host);
        engine->setDictionary(two.get());
        host.engine = engine.get();
    }
    void press(TestKey k) { engine->keyPress({k}); }
    void digits(const std::string& s) {
        for (char c : s)
            engine->keyPress({TestKey::Digit, c - '0'});
    }
    // Types the code of character i and ends it with Space.
    void typeChar(int i) {
        digits(codeOf(i));
        press(TestKey::Space);
    }

    DictDir dir;
    std::unique_ptr<Ttwo> two;
    TestText text = TestText::fromBytes({});
    FakeHost host;
    std::unique_ptr<TypingEngine> engine;
};

TEST_F(TypingEngineTest, OneCandidateIsCommittedByTheKeyThatEndsTheCode) {
    load(40);
    typeChar(0);
    EXPECT_FALSE(engine->ListShowing);
    EXPECT_EQ(engine->typedCount, 1);
    EXPECT_EQ(engine->wrongCount, 0);
    EXPECT_EQ(text.line(1), ch(0));
    EXPECT_EQ(text.mark(0, 0), TestText::Mark::Typed);
    EXPECT_EQ(engine->CursorPos, 2);
    EXPECT_TRUE(engine->codeBox.empty());
    EXPECT_FALSE(engine->segmentationEnabled);
    // "/" ends a code as Space does.
    digits(codeOf(1));
    press(TestKey::Slash);
    EXPECT_EQ(text.line(1), ch(0) + ch(1));
}

TEST_F(TypingEngineTest, ThreeCandidatesAreNumberedAndADigitChooses) {
    load(40);
    digits("11");
    press(TestKey::Space);
    ASSERT_TRUE(engine->ListShowing);
    EXPECT_EQ(engine->candidatePage, " 0." + ch(0) + " 1." + ch(1) + " 2." + ch(2));
    EXPECT_EQ(engine->PageFirst, 0);
    EXPECT_EQ(engine->PageLast, 2);
    EXPECT_FALSE(engine->nextArrowShown);
    digits("1"); // the second candidate: wrong for the article's first character
    EXPECT_EQ(text.line(1), ch(1));
    EXPECT_EQ(engine->wrongCount, 1);
    EXPECT_EQ(engine->errorLines, std::vector<std::string>{ch(0) + "(" + ch(1) + ")"});
    EXPECT_EQ(text.mark(0, 0), TestText::Mark::Wrong);

    digits("11");
    press(TestKey::Space);
    digits("7"); // beyond the page: its last candidate
    EXPECT_EQ(text.line(1), ch(1) + ch(2));
    EXPECT_EQ(engine->wrongCount, 2) << "ch(2) is not the article's second character";
    EXPECT_EQ(engine->errorLines.back(), ch(1) + "(" + ch(2) + ")");
    EXPECT_EQ(text.mark(0, 1), TestText::Mark::Wrong);
}

TEST_F(TypingEngineTest, SpaceOnAnEmptyBoxSkipsTheCharacter) {
    load(40);
    press(TestKey::Space);
    EXPECT_EQ(engine->typedCount, 1);
    EXPECT_EQ(engine->wrongCount, 1);
    EXPECT_EQ(engine->errorLines, std::vector<std::string>{ch(0) + "(  )"});
    EXPECT_EQ(text.line(1), "  ");
    // "/" and "*" on an empty box with no page do nothing.
    press(TestKey::Slash);
    press(TestKey::Star);
    EXPECT_EQ(engine->typedCount, 1);
    // Enter is Space.
    press(TestKey::Enter);
    EXPECT_EQ(engine->typedCount, 2);
}

TEST_F(TypingEngineTest, TheCodeTypedStaysBesideEachErrorLine) {
    load(40);
    digits("11");
    press(TestKey::Space);
    digits("1");           // ch(1) for ch(0): wrong, typed as "11"
    press(TestKey::Space); // ch(1) skipped: wrong, nothing typed
    EXPECT_EQ(engine->errorCodes, (std::vector<std::string>{"11", ""}));
    press(TestKey::Dot); // the skip taken back
    EXPECT_EQ(engine->errorCodes, std::vector<std::string>{"11"});
    typeChar(1); // right: no line
    digits("11");
    press(TestKey::Space);
    digits("0"); // ch(0) for ch(2)
    EXPECT_EQ(engine->errorCodes, (std::vector<std::string>{"11", "11"}));
    // A new test forgets the error lines, and their codes with them.
    engine->clearErrors();
    EXPECT_TRUE(engine->errorCodes.empty());
    digits(codeOf(5));
    press(TestKey::Space);
    EXPECT_EQ(engine->errorCodes, std::vector<std::string>{codeOf(5)});
    EXPECT_EQ(engine->errorLines.size(), 1u);
}

TEST_F(TypingEngineTest, WordsAcrossALineEndAndAcrossTheArticleEnd) {
    load(32);
    for (int i = 0; i < 28; ++i)
        typeChar(i);
    digits("23");
    press(TestKey::Star); // the word of characters 28 and 29, the end of line pair 0
    EXPECT_EQ(engine->typedCount, 30);
    EXPECT_EQ(engine->CursorPos, 124);
    EXPECT_EQ(engine->InputLine, 3);
    EXPECT_EQ(text.line(1).size(), 60u);
    EXPECT_EQ(host.ended, 0);

    typeChar(30);
    // A word whose second character would lie after the article's end.
    digits("24");
    press(TestKey::Star);
    EXPECT_EQ(host.ended, 1);
    EXPECT_EQ(engine->typedCount, 32);

    load(31);
    for (int i = 0; i < 30; ++i)
        typeChar(i);
    ASSERT_EQ(host.ended, 1);
    digits("24"); // 30, 31: only the first fits
    press(TestKey::Star);
    EXPECT_EQ(host.ended, 2);
    EXPECT_EQ(engine->typedCount, 31);
}

TEST_F(TypingEngineTest, TakingBackAcrossLinePairsAndScrolling) {
    load(400);
    for (int i = 0; i < 180; ++i)
        typeChar(i);
    // Six line pairs done: the text scrolled down one page when line 13 began.
    EXPECT_EQ(host.scrolls, std::vector<int>{384});
    EXPECT_EQ(engine->InputLine, 13);
    EXPECT_EQ(engine->CursorPos, 6 * 124);

    // Backspace on the empty box at the first character of a line pair.
    press(TestKey::Backspace);
    EXPECT_EQ(host.scrolls, (std::vector<int>{384, -384}));
    EXPECT_EQ(engine->InputLine, 11);
    EXPECT_EQ(engine->CursorPos, 5 * 124 + 58);
    EXPECT_EQ(engine->typedCount, 179);
    EXPECT_EQ(text.line(11).size(), 58u);

    // A wrong character taken back lowers both counts and drops its error line.
    press(TestKey::Space); // skip: wrong
    EXPECT_EQ(engine->wrongCount, 1);
    ASSERT_EQ(engine->errorLines.size(), 1u);
    press(TestKey::Dot); // "." is Backspace
    EXPECT_EQ(engine->wrongCount, 0);
    EXPECT_TRUE(engine->errorLines.empty());
    EXPECT_EQ(engine->typedCount, 179);
    // A right one lowers only the count of characters.
    press(TestKey::Backspace);
    EXPECT_EQ(engine->typedCount, 178);
    EXPECT_EQ(engine->wrongCount, 0);
    EXPECT_EQ(text.mark(10, 28), TestText::Mark::Untyped);

    // Backspace with a code in the box only edits the code.
    digits("12");
    press(TestKey::Backspace);
    EXPECT_EQ(engine->codeBox, "1");
    EXPECT_EQ(engine->typedCount, 178);
}

TEST_F(TypingEngineTest, PagingThroughTwentyFiveCandidates) {
    load(40);
    digits("5");
    press(TestKey::Space);
    ASSERT_TRUE(engine->ListShowing);
    EXPECT_EQ(engine->PageFirst, 0);
    EXPECT_EQ(engine->PageLast, 9);
    EXPECT_EQ(engine->candidatePage.substr(0, 5), " 0." + ch(0));
    EXPECT_TRUE(engine->nextArrowShown);
    EXPECT_FALSE(engine->previousArrowShown);

    // Entries of 4 bytes without blanks would let 12 fit in 51 bytes: a page
    // holds ten, so that every candidate has a digit.
    press(TestKey::Plus);
    EXPECT_EQ(engine->PageFirst, 10);
    EXPECT_EQ(engine->PageLast, 19);
    EXPECT_EQ(engine->candidatePage.substr(0, 8), "0." + ch(10) + "1." + ch(11));
    EXPECT_TRUE(engine->previousArrowShown);
    EXPECT_TRUE(engine->nextArrowShown);

    press(TestKey::Plus);
    EXPECT_EQ(engine->PageFirst, 20);
    EXPECT_EQ(engine->PageLast, 24);
    EXPECT_FALSE(engine->nextArrowShown);
    press(TestKey::Plus); // no further page
    EXPECT_EQ(engine->PageFirst, 20);

    // Measured backwards from 19: "0.", "-1.", … with their candidates until
    // 32 bytes, so the page holds 13-19.
    press(TestKey::Minus);
    EXPECT_EQ(engine->PageLast, 19);
    EXPECT_EQ(engine->PageFirst, 13);
    EXPECT_EQ(engine->candidatePage.substr(0, 8), "0." + ch(13) + "1." + ch(14));
    EXPECT_TRUE(engine->previousArrowShown);
    EXPECT_TRUE(engine->nextArrowShown);
    digits("3");
    EXPECT_EQ(text.line(1), ch(16));
    EXPECT_FALSE(engine->ListShowing);

    // The last candidate of the second page is reached with 9.
    digits("5");
    press(TestKey::Space);
    press(TestKey::Plus);
    digits("9");
    EXPECT_EQ(text.line(1), ch(16) + ch(19));
}

TEST_F(TypingEngineTest, TheCodeBoxTakesSixDigits) {
    load(40);
    digits("1234567");
    EXPECT_EQ(engine->codeBox, "123456");
    // A code without candidates is dropped.
    press(TestKey::Space);
    EXPECT_TRUE(engine->codeBox.empty());
    EXPECT_EQ(engine->typedCount, 0);
    // Other keys are swallowed.
    EXPECT_FALSE(engine->keyPress({TestKey::Other}));
}

TEST_F(TypingEngineTest, AMissingDictionaryFileIsNamedAndTheCodeStays) {
    load(40);
    dir.remove("zh1");
    Ttwo fresh(dir.path());
    engine->setDictionary(&fresh);
    digits("90");
    try {
        press(TestKey::Space);
        FAIL() << "the missing file must be reported";
    } catch (const DictionaryError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.path() + "/zh1"), std::string::npos);
    }
    EXPECT_EQ(engine->codeBox, "90");
    EXPECT_EQ(engine->typedCount, 0);
}

// Damaged test files load into a clean article (or are refused by the
// window), and typing always reaches the end without leaving the text.
TEST_F(TypingEngineTest, DamagedFilesAlwaysEndCleanly) {
    const unsigned kSeed = 424242;
    SCOPED_TRACE("seed " + std::to_string(kSeed));
    std::mt19937 rng(kSeed);
    const std::string samples[] = {
        "",                                     // empty
        ch(0) + ch(1) + ch(2),                  // no filler, no line ends
        ch(0) + "\xB0",                         // odd byte count
        "\r\n" + ch(3) + "\n\n" + ch(4) + "\r", // other line ends
        std::string(3000, '\xB0'),              // B0B0 pairs all the way
    };
    std::vector<std::string> files(std::begin(samples), std::end(samples));
    for (int i = 0; i < 30; ++i) {
        std::string garbage(rng() % 600, '\0');
        for (char& c : garbage)
            c = static_cast<char>(rng() % 256);
        files.push_back(garbage);
    }
    for (size_t f = 0; f < files.size(); ++f) {
        text = TestText::fromBytes(files[f]);
        engine = std::make_unique<TypingEngine>(text, host);
        engine->setDictionary(two.get());
        host.engine = engine.get();
        const int before = host.ended;
        const int chars = text.articleCharacters();
        for (int k = 0; k < chars + 5 && host.ended == before; ++k)
            press(rng() % 3 ? TestKey::Space : TestKey::Enter);
        EXPECT_EQ(host.ended, before + 1) << "file " << f;
        EXPECT_EQ(engine->typedCount, std::max(chars, 1)) << "file " << f;
    }
}

} // namespace

namespace {

TEST_F(TypingEngineTest, SpaceAndDigitsOnLaterPages) {
    load(40);
    // Space commits the first candidate of the page showing, not of the list.
    digits("5");
    press(TestKey::Space);
    press(TestKey::Plus);
    ASSERT_EQ(engine->PageFirst, 10);
    press(TestKey::Space);
    EXPECT_EQ(text.line(1), ch(10));
    EXPECT_FALSE(engine->ListShowing);

    // On the last page (20-24) a digit beyond it takes the page's last
    // candidate, the list's last one.
    digits("5");
    press(TestKey::Space);
    press(TestKey::Plus);
    press(TestKey::Plus);
    ASSERT_EQ(engine->PageFirst, 20);
    ASSERT_EQ(engine->PageLast, 24);
    digits("9");
    EXPECT_EQ(text.line(1), ch(10) + ch(24));
    // Enter on a later page is Space too: the page's first candidate.
    digits("5");
    press(TestKey::Space);
    press(TestKey::Plus);
    press(TestKey::Plus);
    press(TestKey::Enter);
    EXPECT_EQ(text.line(1), ch(10) + ch(24) + ch(20));
    EXPECT_EQ(engine->typedCount, 3);
}

TEST_F(TypingEngineTest, PagesFillTheirByteLimitsExactly) {
    // Fourteen three-character words of one code: 6 bytes each.
    std::vector<Rec> words;
    for (int k = 0; k < 14; ++k)
        words.push_back({"66", ch(3 * k) + ch(3 * k + 1) + ch(3 * k + 2)});
    dir.write("zh3", groupBytes(3, words));
    two = std::make_unique<Ttwo>(dir.path());
    load(40);
    auto word = [&](int k) { return words[static_cast<size_t>(k)].text; };

    digits("66");
    press(TestKey::Star);
    ASSERT_TRUE(engine->ListShowing);
    // " 0.w" is 9 bytes: after five entries 45 + 6 = 51, the limit, still taken.
    EXPECT_EQ(engine->PageLast, 5);
    EXPECT_EQ(engine->candidatePage.size(), 54u);
    EXPECT_EQ(engine->candidatePage.substr(45), " 5." + word(5));

    press(TestKey::Plus); // 6-11: "0.w" is 8 bytes, 8 × 5 + 6 = 46 fits, the 7th does not
    EXPECT_EQ(engine->PageFirst, 6);
    EXPECT_EQ(engine->PageLast, 11);
    press(TestKey::Plus);
    EXPECT_EQ(engine->PageFirst, 12);
    EXPECT_EQ(engine->PageLast, 13);

    // Back from 12, measured from 11 down: 0+6, 8+6, 17+6 and 26+6 = 32, the
    // back limit, still taken: the page is 8-11.
    press(TestKey::Minus);
    EXPECT_EQ(engine->PageFirst, 8);
    EXPECT_EQ(engine->PageLast, 11);
    EXPECT_EQ(engine->candidatePage,
              "0." + word(8) + "1." + word(9) + "2." + word(10) + "3." + word(11));
    digits("7"); // beyond the page: its last word
    EXPECT_EQ(text.line(1), word(11));
}

TEST_F(TypingEngineTest, TakingBackRemovesOnlyItsOwnErrorLine) {
    load(40);
    press(TestKey::Space); // 0 skipped: wrong
    typeChar(1);           // right
    digits("11");
    press(TestKey::Space);
    digits("0"); // ch(0) where ch(2) stands: wrong
    typeChar(3); // right
    ASSERT_EQ(engine->wrongCount, 2);
    const std::vector<std::string> both = {ch(0) + "(  )", ch(2) + "(" + ch(0) + ")"};
    ASSERT_EQ(engine->errorLines, both);

    press(TestKey::Backspace); // the right ch(3): nothing else changes
    EXPECT_EQ(engine->typedCount, 3);
    EXPECT_EQ(engine->wrongCount, 2);
    EXPECT_EQ(engine->errorLines, both);
    press(TestKey::Backspace); // the wrong ch(2): exactly its line
    EXPECT_EQ(engine->wrongCount, 1);
    EXPECT_EQ(engine->errorLines, std::vector<std::string>{ch(0) + "(  )"});
    press(TestKey::Backspace); // the right ch(1)
    EXPECT_EQ(engine->wrongCount, 1);
    EXPECT_EQ(engine->errorLines.size(), 1u);
    press(TestKey::Backspace); // the skipped ch(0)
    EXPECT_EQ(engine->wrongCount, 0);
    EXPECT_TRUE(engine->errorLines.empty());
    EXPECT_EQ(engine->typedCount, 0);

    // Lines forgotten by a new test are not taken back by it.
    press(TestKey::Space); // wrong
    engine->clearErrors();
    engine->wrongCount = 0;
    typeChar(1);
    press(TestKey::Backspace);
    press(TestKey::Backspace);
    EXPECT_EQ(engine->wrongCount, 0);
    EXPECT_TRUE(engine->errorLines.empty());
}

} // namespace

namespace {

// Where a position lies, found by walking the lines from the start.
bool walkTo(const TestText& t, int64_t pos, int& line, int& col) {
    int64_t start = 0;
    for (int i = 0; i < t.lineCount(); ++i) {
        const auto len = static_cast<int64_t>(t.line(i).size());
        if (pos >= start && pos < start + len) {
            line = i;
            col = static_cast<int>(pos - start);
            return true;
        }
        start += len + 2;
    }
    return false;
}

// The article ends at the first space, also one in the middle of a line:
// neither the rest of that line nor the lines below belong to it. A full
// line of 30 characters is an article line of its own.
TEST(TestTextReading, TheArticleEndsAtItsFirstSpace) {
    auto chars = [](int from, int to) {
        std::string s;
        for (int i = from; i < to; ++i)
            s += ch(i);
        return s;
    };
    struct Row {
        const char* name;
        std::string file;
        int characters;
        std::vector<std::string> articleLines; // the even lines
    };
    const std::string end59(59, ' ');
    const Row rows[] = {
        {"29 characters", testFile(29), 29, {chars(0, 29) + " "}},
        {"30 characters", testFile(30), 30, {chars(0, 30), end59}},
        {"31 characters", testFile(31), 31, {chars(0, 30), ch(30) + std::string(57, ' ')}},
        {"a space mid-line",
         chars(0, 5) + " " + chars(5, 30) + "\r\r" + chars(30, 40) + "\r",
         5,
         {chars(0, 5) + std::string(49, ' ')}},
        {"a space opening the second line",
         chars(0, 30) + "\r\r " + chars(30, 40) + "\r\r" + chars(40, 45),
         30,
         {chars(0, 30), end59}},
    };
    for (const Row& r : rows) {
        const TestText t = TestText::fromBytes(r.file);
        EXPECT_EQ(t.articleCharacters(), r.characters) << r.name;
        std::vector<std::string> even;
        for (int i = 0; i < t.lineCount(); i += 2)
            even.push_back(t.line(i));
        ASSERT_FALSE(even.empty()) << r.name;
        EXPECT_EQ(even.back(), " ") << r.name << ": the end line";
        even.pop_back();
        EXPECT_EQ(even, r.articleLines) << r.name;
    }
}

TEST(TestTextPositions, FoundAsAWalkFindsThemWhileLinesGrowAndShrink) {
    const unsigned seed = 20261208;
    std::mt19937 random(seed);
    TestText t = TestText::fromBytes(testFile(400));
    for (int step = 0; step < 3000; ++step) {
        const int input = 1 + 2 * static_cast<int>(random() % 14); // input lines 1 … 27
        if (random() % 3 == 0)
            t.takeLastTwo(input);
        else if (t.line(input).size() < 60)
            t.appendToLine(input, ch(step));
        const int64_t pos = static_cast<int64_t>(random() % static_cast<unsigned>(t.size() + 10));
        int line = -1, col = -1, wantLine = -1, wantCol = -1;
        const bool found = t.locate(pos, line, col);
        ASSERT_EQ(found, walkTo(t, pos, wantLine, wantCol)) << "seed " << seed << " step " << step;
        if (found) {
            ASSERT_EQ(line, wantLine) << "seed " << seed << " step " << step;
            ASSERT_EQ(col, wantCol) << "seed " << seed << " step " << step;
        }
        ASSERT_EQ(t.lineStart(input + 1),
                  t.lineStart(input) + static_cast<int64_t>(t.line(input).size()) + 2);
    }
}

} // namespace
