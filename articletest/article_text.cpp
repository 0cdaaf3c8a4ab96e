#include "articletest/article_text.h"

#include "platform/file_error_reason.h"
#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"

#include <algorithm>

namespace {
constexpr int kCharsPerLine = 30;
constexpr int kLineBytes = 2 * kCharsPerLine;
} // namespace

TestText TestText::fromBytes(std::string_view bytes) {
    TestText t;
    std::string current; // the article line being filled
    auto take = [&](std::string_view character) {
        current.append(character);
        ++t.characters_;
        if (current.size() == static_cast<size_t>(kLineBytes)) {
            t.lines_.push_back(std::move(current));
            t.lines_.emplace_back();
            current.clear();
        }
    };
    // The article: the double-byte characters of the lines, up to the first
    // space. Input lines are empty in a test file, so every line is read.
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    bool ended = false;
    for (size_t i = 0; i < bytes.size() && !ended;) {
        size_t end = i;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        for (size_t j = i; j < end;) {
            if (p[j] == ' ') {
                ended = true;
                break;
            }
            if (j + 1 < end && gbk::isLeadByte(p[j]) && gbk::isDoubleByteChar(p[j], p[j + 1])) {
                take(bytes.substr(j, 2));
                j += 2;
            } else {
                ++j; // not a character of the article
            }
        }
        // One line break: CR, CR LF or LF.
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
            bytes[end + 1] == '\n')
            ++end;
        i = end + 1;
    }
    current.append(static_cast<size_t>(kLineBytes - 1) - current.size(), ' ');
    t.lines_.push_back(std::move(current));
    t.lines_.emplace_back();
    t.lines_.emplace_back(" ");
    t.marks_.resize(t.lines_.size());
    for (size_t l = 0; l < t.lines_.size(); l += 2)
        t.marks_[l].assign(kCharsPerLine, Mark::Untyped);
    return t;
}

TestText TestText::loadFile(const QString& path) {
    const QString shown = regularfile::fullPath(path);
    const auto file = regularfile::read(path, kMaxFileBytes);
    if (!file.ok() && file.size > kMaxFileBytes)
        throw UserError(QStringLiteral("测试文件 %1 太大（%2，超过 %3），请选一篇短一些的文章。")
                            .arg(shown, regularfile::sizeText(file.size),
                                 regularfile::sizeText(kMaxFileBytes)));
    if (!file.ok())
        throw UserError(QStringLiteral("无法打开测试文件 %1：%2").arg(shown, file.reason));
    TestText t =
        fromBytes(std::string_view(file.bytes.constData(), static_cast<size_t>(file.bytes.size())));
    if (t.articleCharacters() == 0)
        throw UserError(QStringLiteral("测试文件 %1 里没有可以练习的汉字。").arg(shown));
    return t;
}

void TestText::knowStartsUpTo(size_t line) const {
    if (starts_.size() != lines_.size() + 1) {
        starts_.assign(lines_.size() + 1, 0);
        knownStarts_ = 1;
    }
    line = std::min(line, lines_.size());
    for (; knownStarts_ <= line; ++knownStarts_)
        starts_[knownStarts_] =
            starts_[knownStarts_ - 1] + static_cast<int64_t>(lines_[knownStarts_ - 1].size()) + 2;
}

void TestText::lineResized(int line) {
    knownStarts_ = std::min(knownStarts_, static_cast<size_t>(line) + 1);
}

int64_t TestText::lineStart(int line) const {
    const size_t l = static_cast<size_t>(std::clamp(line, 0, lineCount()));
    knowStartsUpTo(l);
    return starts_[l];
}

int64_t TestText::size() const {
    int64_t n = lineStart(lineCount());
    return n > 0 ? n - 2 : 0;
}

bool TestText::locate(int64_t pos, int& line, int& column) const {
    if (pos < 0 || lines_.empty())
        return false;
    knowStartsUpTo(0);
    // Learn line starts until one lies beyond pos (or all are known).
    while (knownStarts_ < starts_.size() && starts_[knownStarts_ - 1] <= pos)
        knowStartsUpTo(knownStarts_);
    const auto known = starts_.begin() + static_cast<std::ptrdiff_t>(knownStarts_);
    const size_t i =
        static_cast<size_t>(std::upper_bound(starts_.begin(), known, pos) - starts_.begin()) - 1;
    if (i >= lines_.size())
        return false;
    const int64_t col = pos - starts_[i];
    if (col >= static_cast<int64_t>(lines_[i].size()))
        return false; // on the line break
    line = static_cast<int>(i);
    column = static_cast<int>(col);
    return true;
}

std::string TestText::bytesAt(int64_t pos, int count) const {
    int line = 0, col = 0;
    if (!locate(pos, line, col))
        return {};
    return lines_[static_cast<size_t>(line)].substr(static_cast<size_t>(col),
                                                    static_cast<size_t>(count));
}

void TestText::appendToLine(int line, std::string_view bytes) {
    if (line >= 0 && line < lineCount()) {
        lines_[static_cast<size_t>(line)].append(bytes);
        lineResized(line);
    }
}

std::string TestText::takeLastTwo(int line) {
    if (line < 0 || line >= lineCount())
        return {};
    std::string& l = lines_[static_cast<size_t>(line)];
    const size_t n = std::min<size_t>(2, l.size());
    std::string out = l.substr(l.size() - n);
    l.resize(l.size() - n);
    lineResized(line);
    return out;
}

TestText::Mark TestText::mark(int line, int index) const {
    if (line < 0 || line >= lineCount())
        return Mark::Untyped;
    const auto& m = marks_[static_cast<size_t>(line)];
    return index >= 0 && static_cast<size_t>(index) < m.size() ? m[static_cast<size_t>(index)]
                                                               : Mark::Untyped;
}

void TestText::setMark(int64_t pos, Mark m) {
    int line = 0, col = 0;
    if (!locate(pos, line, col))
        return;
    auto& marks = marks_[static_cast<size_t>(line)];
    const size_t index = static_cast<size_t>(col / 2);
    if (index < marks.size())
        marks[index] = m;
}

void TestText::markRange(int line, int start, int length, Mark m) {
    if (line < 0 || line >= lineCount())
        return;
    auto& marks = marks_[static_cast<size_t>(line)];
    for (int b = std::max(start, 0) / 2; b < (start + length + 1) / 2; ++b)
        if (static_cast<size_t>(b) < marks.size())
            marks[static_cast<size_t>(b)] = m;
}
