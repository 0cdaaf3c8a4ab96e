#include "articletest/article_text.h"
#include "dictionary/dict_format.h"
#include "dictionary/segmentation.h"
#include "dictionary/two.h"
#include "tests/dictionary/dict_test_files.h"
#include "tests/support/test_chars.h"

#include <gtest/gtest.h>

#include <set>

using segmentation::WordRun;

namespace {

std::string chars(int from, int to) {
    std::string s;
    for (int i = from; i < to; ++i)
        s += gbkTestChar(i);
    return s;
}

struct Words {
    std::set<std::string> set;
    bool operator()(int n, std::string_view w) const {
        return static_cast<int>(w.size()) == 2 * n && set.count(std::string(w)) > 0;
    }
};

std::vector<WordRun> walk(const std::vector<std::string>& lines, const Words& words) {
    std::vector<std::string_view> views(lines.begin(), lines.end());
    return segmentation::segment(views, words, [](int) {});
}

TEST(Segmentation, AdjacentWordsAlternateAndSingleCharactersStayUncoloured) {
    // 0 1 | 2 3 4 | 5 | 6 7: two words, a single character, a word.
    const std::vector<std::string> lines = {chars(0, 30), chars(30, 40) + std::string(39, ' ')};
    const Words words{{gbkTestChar(0) + gbkTestChar(1),
                       gbkTestChar(2) + gbkTestChar(3) + gbkTestChar(4),
                       gbkTestChar(6) + gbkTestChar(7), gbkTestChar(2) + gbkTestChar(3)}};
    const auto runs = walk(lines, words);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (WordRun{0, 0, 4, true}));
    EXPECT_EQ(runs[1], (WordRun{0, 4, 6, false})) << "the longest word wins";
    EXPECT_EQ(runs[2], (WordRun{0, 12, 4, true}));
    EXPECT_EQ(segmentation::joinWithSlashes({lines[0]}, runs)[0].substr(0, 20),
              gbkTestChar(0) + gbkTestChar(1) + "/" + gbkTestChar(2) + gbkTestChar(3) +
                  gbkTestChar(4) + "/" + gbkTestChar(5) + "/" + gbkTestChar(6) + gbkTestChar(7) +
                  "/");
}

TEST(Segmentation, AWordAcrossTheLineEnd) {
    // The word starts at byte column 59 (the 30th character) and ends on the next line.
    const std::vector<std::string> lines = {chars(0, 30), chars(30, 60),
                                            chars(60, 62) + std::string(55, ' ')};
    const Words words{
        {gbkTestChar(29) + gbkTestChar(30) + gbkTestChar(31), gbkTestChar(32) + gbkTestChar(33)}};
    const auto runs = walk(lines, words);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (WordRun{0, 58, 2, true}));
    EXPECT_EQ(runs[1], (WordRun{1, 0, 4, true}));
    EXPECT_EQ(runs[2], (WordRun{1, 4, 4, false})) << "the next line goes on behind the tail";
    const auto joined = segmentation::joinWithSlashes({lines[0], lines[1]}, runs);
    EXPECT_EQ(joined[1].substr(0, 10),
              gbkTestChar(30) + gbkTestChar(31) + "/" + gbkTestChar(32) + gbkTestChar(33) + "/");
}

TEST(Segmentation, AWordEndingOnALinesLastByteLeavesTheNextLineInStep) {
    // 28 29 end the first line exactly; 30 31 open the second.
    const std::vector<std::string> lines = {chars(0, 30), chars(30, 40) + std::string(39, ' ')};
    const Words words{{gbkTestChar(28) + gbkTestChar(29), gbkTestChar(30) + gbkTestChar(31)}};
    const auto runs = walk(lines, words);
    ASSERT_EQ(runs.size(), 2u) << "no empty piece of a word at the line's end";
    EXPECT_EQ(runs[0], (WordRun{0, 56, 4, true}));
    EXPECT_EQ(runs[1], (WordRun{1, 0, 4, false}));
    const auto joined = segmentation::joinWithSlashes({lines[0], lines[1]}, runs);
    const std::string lastWord = "/" + gbkTestChar(28) + gbkTestChar(29);
    EXPECT_EQ(joined[0].substr(joined[0].size() - lastWord.size()), lastWord);
    EXPECT_EQ(joined[1].substr(0, 5), gbkTestChar(30) + gbkTestChar(31) + "/");
}

// Through the dictionary: the walk asks HasWord of the compiled word groups.
TEST(Segmentation, ThroughTheDictionary) {
    dicttest::DictDir dir;
    dir.write("zh2.hz", dicttest::groupBytes(2, {{"1", gbkTestChar(0) + gbkTestChar(1)},
                                                 {"1", gbkTestChar(3) + gbkTestChar(4)}}));
    dir.write("zh3.hz",
              dicttest::groupBytes(3, {{"1", gbkTestChar(5) + gbkTestChar(6) + gbkTestChar(7)}}));
    dir.write("zh4.hz", "");
    // Nine characters are the longest word looked for: ten are not one.
    dir.write("zh5.hz", dicttest::groupBytes(5, {{"1", chars(10, 19)}, {"1", chars(20, 30)}}));
    Ttwo two(dir.path());
    const TestText text = TestText::fromBytes(chars(0, 40) + "\r\r \r");
    const auto lines = segmentation::articleLines(text.lines());
    const auto runs = segmentation::segment(
        lines, [&](int n, std::string_view w) { return two.HasWord(n, w); }, [](int) {});
    const std::vector<WordRun> expected = {
        {0, 0, 4, true}, {0, 6, 4, false}, {0, 10, 6, true}, {0, 20, 18, false}};
    EXPECT_EQ(runs, expected);
}

} // namespace
