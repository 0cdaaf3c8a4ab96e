#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The displayed text of an article test: article lines of 30 GBK characters
// (60 bytes), each followed by an input line that receives what the learner
// enters. The last article line is filled with spaces to 59 bytes, followed
// by an empty input line and a line holding one space, as in a test file.
//
// Positions are byte offsets in the displayed text in which every line break
// counts 2 bytes; article line k starts at 124 × k while the line pairs above
// it are complete.
class TestText {
public:
    // Untyped characters may carry the colour of a word found by the
    // segmentation (magenta and blue in turn).
    enum class Mark : uint8_t { Untyped, Typed, Wrong, WordMagenta, WordBlue };

    // Reads a test file. Lines end in 0x0D (CR LF and LF are taken too); the
    // article is the double-byte characters of its lines up to the first
    // space; other bytes are left out. Throws UserError naming the file when
    // it cannot be read, is larger than kMaxFileBytes or holds no character.
    static TestText loadFile(const QString& path);
    static TestText fromBytes(std::string_view bytes);
    static constexpr int64_t kMaxFileBytes = 8 * 1024 * 1024;

    int lineCount() const { return static_cast<int>(lines_.size()); }
    const std::string& line(int i) const { return lines_[static_cast<size_t>(i)]; }
    const std::vector<std::string>& lines() const { return lines_; }
    int articleCharacters() const { return characters_; }
    int64_t lineStart(int line) const;
    int64_t size() const;

    // The line and byte column of a position; false outside the text or on a
    // line break.
    bool locate(int64_t pos, int& line, int& column) const;
    // Up to `count` bytes from `pos` within its line ("" outside the text).
    std::string bytesAt(int64_t pos, int count) const;

    void appendToLine(int line, std::string_view bytes);
    // Removes and returns the last two bytes of a line (fewer if shorter).
    std::string takeLastTwo(int line);

    // Marks of the article characters (by line and character index).
    Mark mark(int line, int index) const;
    void setMark(int64_t pos, Mark m);
    // Marks the characters of bytes [start, start + length) of a line.
    void markRange(int line, int start, int length, Mark m);

private:
    // Makes the start offsets of lines 0 … `line` known.
    void knowStartsUpTo(size_t line) const;
    // Line `line` changed its length: the starts after it are recomputed
    // when next asked for.
    void lineResized(int line);

    std::vector<std::string> lines_;
    // Start offset of each line (and one past the last), known for the first
    // `knownStarts_`; typing changes only the line at the cursor, so the
    // positions near it cost a step or two, not a walk over the article.
    mutable std::vector<int64_t> starts_;
    mutable size_t knownStarts_ = 0;
    std::vector<std::vector<Mark>> marks_; // per line, per character
    int characters_ = 0;
};
