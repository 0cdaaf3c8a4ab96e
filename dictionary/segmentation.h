#pragma once

#include <string>
#include <string_view>
#include <vector>

// Automatic word segmentation of an article: at each position the longest
// dictionary word of 9 down to 2 characters starting there is taken, also
// across the end of a line into the next one, and the walk goes on behind it.
// Words are coloured magenta and blue in turn, magenta first.
namespace segmentation {

struct WordRun {
    int articleLine; // 0 for the first article line, 1 for the next, …
    int start;       // byte column in that line
    int length;      // bytes
    bool magenta;    // else blue
    bool operator==(const WordRun&) const = default;
};

constexpr int kMaxWordChars = 9;
constexpr int kLineEnd = 61; // one past the last byte column (1-based) of a 60-byte line

// Walks `lines` (article lines, 60 bytes each but the last) and returns the
// coloured runs. `isWord(n, w)` tells whether the bytes `w` are a word of n
// characters; `afterLine(i)` is called after each line.
template <typename IsWord, typename AfterLine>
std::vector<WordRun> segment(const std::vector<std::string_view>& lines, IsWord&& isWord,
                             AfterLine&& afterLine) {
    std::vector<WordRun> runs;
    bool magenta = true;
    int col = 1; // 1-based byte column
    std::string joined;
    for (size_t li = 0; li < lines.size() && !lines[li].empty(); ++li) {
        const std::string_view s = lines[li];
        const bool nextExists = li + 1 < lines.size() && !lines[li + 1].empty();
        int nextColumn = 1;
        // A word that ends on the line's last byte leaves the walk one past
        // it: the next line starts at its first column, not with an empty
        // piece of a word here.
        while (col < kLineEnd) {
            int matched = 0;
            for (int n = kMaxWordChars; n >= 2; --n) {
                if (col + 2 * n > kLineEnd && nextExists) {
                    const size_t from = std::min<size_t>(static_cast<size_t>(col - 1), s.size());
                    const size_t tail = static_cast<size_t>(col + 2 * n - kLineEnd);
                    joined.assign(s.substr(from));
                    joined.append(lines[li + 1].substr(0, tail));
                    if (isWord(n, std::string_view(joined))) {
                        runs.push_back({static_cast<int>(li), col - 1, kLineEnd - col, magenta});
                        runs.push_back(
                            {static_cast<int>(li + 1), 0, static_cast<int>(tail), magenta});
                        magenta = !magenta;
                        nextColumn = col + 2 * n - 60;
                        matched = n;
                        break;
                    }
                } else {
                    const size_t from = std::min<size_t>(static_cast<size_t>(col - 1), s.size());
                    const std::string_view w = s.substr(from, static_cast<size_t>(2 * n));
                    if (isWord(n, w)) {
                        runs.push_back({static_cast<int>(li), col - 1, 2 * n, magenta});
                        magenta = !magenta;
                        matched = n;
                        break;
                    }
                }
            }
            col += matched ? 2 * matched : 2;
        }
        col = nextColumn;
        afterLine(static_cast<int>(li));
    }
    return runs;
}

// The article lines of a displayed test text as the walk reads them: the
// even lines, until the first empty one.
std::vector<std::string_view> articleLines(const std::vector<std::string>& displayLines);

// The article with the words found separated by "/", one line per article line
// (GBK bytes; the space filler of the last line left out).
std::vector<std::string> joinWithSlashes(const std::vector<std::string_view>& lines,
                                         const std::vector<WordRun>& runs);

} // namespace segmentation
