#include "platform/rtf_reader.h"

#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"

#include <QColor>
#include <QList>
#include <QTextCursor>
#include <QTextDocument>

#include <cctype>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxDepth = 512;

struct GroupState {
    bool skip = false; // inside a destination that is not text
    bool bold = false, italic = false, underline = false;
    int halfPoints = 24;
    int colour = 0;
    int unicodeSkip = 1; // fallback characters after \uN
};

class Reader {
public:
    Reader(std::string_view in, QTextDocument& doc) : in_(in), cursor_(&doc) { doc.clear(); }

    void run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                flush();
                if (stack_.size() < kMaxDepth)
                    stack_.push_back(state());
                else
                    ++overflow_;
            } else if (c == '}') {
                ++pos_;
                flush();
                endGroup();
            } else if (c == '\\') {
                ++pos_;
                control();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                text(c);
            }
        }
        flush();
    }

private:
    GroupState& state() { return stack_.empty() ? base_ : stack_.back(); }

    void endGroup() {
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (inColourTable_ && !stack_.empty() && stack_.size() == colourTableDepth_)
            inColourTable_ = false;
        if (!stack_.empty())
            stack_.pop_back();
    }

    void text(char c) {
        if (inColourTable_) {
            if (c == ';') {
                colours_.append(haveColour_ ? QColor(red_, green_, blue_) : QColor());
                red_ = green_ = blue_ = 0;
                haveColour_ = false;
            }
            return;
        }
        if (state().skip)
            return;
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        bytes_.push_back(c);
    }

    // Writes the pending bytes (GBK) with the current format.
    void flush() {
        if (bytes_.empty())
            return;
        cursor_.insertText(gbk::toUnicode(bytes_), format());
        bytes_.clear();
    }

    QTextCharFormat format() {
        const GroupState& s = state();
        QTextCharFormat f;
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(s.italic);
        f.setFontUnderline(s.underline);
        if (s.halfPoints > 0)
            f.setFontPointSize(s.halfPoints / 2.0);
        if (s.colour > 0 && s.colour < colours_.size() && colours_[s.colour].isValid())
            f.setForeground(colours_[s.colour]);
        return f;
    }

    void control() {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            symbol(c);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) &&
               word.size() < 32)
            word.push_back(in_[pos_++]);
        bool hasParam = false;
        long param = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            if (digits++ < 9)
                param = param * 10 + (in_[pos_] - '0');
            hasParam = true;
            ++pos_;
        }
        if (negative)
            param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_; // the delimiter belongs to the control word
        apply(word, hasParam, param);
    }

    void symbol(char c) {
        switch (c) {
        case '\'': {
            if (pos_ + 2 <= in_.size()) {
                const int hi = hexValue(in_[pos_]), lo = hexValue(in_[pos_ + 1]);
                if (hi >= 0 && lo >= 0) {
                    pos_ += 2;
                    text(static_cast<char>(hi * 16 + lo));
                }
            }
            break;
        }
        case '\\':
        case '{':
        case '}':
            text(c);
            break;
        case '~':
            text(' ');
            break;
        case '*':
            state().skip = true; // an optional destination this reader does not know
            break;
        default:
            break;
        }
    }

    static int hexValue(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void apply(const std::string& w, bool hasParam, long param) {
        GroupState& s = state();
        if (inColourTable_) {
            if (w == "red")
                red_ = static_cast<int>(param & 0xFF), haveColour_ = true;
            else if (w == "green")
                green_ = static_cast<int>(param & 0xFF), haveColour_ = true;
            else if (w == "blue")
                blue_ = static_cast<int>(param & 0xFF), haveColour_ = true;
            return;
        }
        if (w == "colortbl") {
            inColourTable_ = true;
            colourTableDepth_ = stack_.size();
            return;
        }
        static const char* const skipped[] = {"fonttbl",
                                              "stylesheet",
                                              "info",
                                              "pict",
                                              "header",
                                              "footer",
                                              "object",
                                              "fldinst",
                                              "themedata",
                                              "listtable",
                                              "listoverridetable",
                                              "generator",
                                              "xmlnstbl",
                                              "rsidtbl"};
        for (const char* d : skipped) {
            if (w == d) {
                s.skip = true;
                return;
            }
        }
        if (s.skip)
            return;
        flush();
        const bool on = !hasParam || param != 0;
        if (w == "par" || w == "sect") {
            cursor_.insertBlock();
        } else if (w == "line") {
            cursor_.insertText(QString(QChar::LineSeparator));
        } else if (w == "tab") {
            cursor_.insertText(QStringLiteral("\t"));
        } else if (w == "b") {
            s.bold = on;
        } else if (w == "i") {
            s.italic = on;
        } else if (w == "ul") {
            s.underline = on;
        } else if (w == "ulnone") {
            s.underline = false;
        } else if (w == "plain") {
            s.bold = s.italic = s.underline = false;
            s.halfPoints = 24;
            s.colour = 0;
        } else if (w == "fs" && hasParam) {
            s.halfPoints = param > 0 && param < 2000 ? static_cast<int>(param) : 24;
        } else if (w == "cf" && hasParam) {
            s.colour = static_cast<int>(param);
        } else if (w == "uc" && hasParam) {
            s.unicodeSkip = param >= 0 && param < 10 ? static_cast<int>(param) : 1;
        } else if (w == "u" && hasParam) {
            const auto code =
                static_cast<char16_t>(static_cast<uint16_t>(param < 0 ? param + 65536 : param));
            cursor_.insertText(QString(QChar(code)), format());
            pendingSkip_ = s.unicodeSkip;
        }
    }

    std::string_view in_;
    size_t pos_ = 0;
    QTextCursor cursor_;
    GroupState base_;
    std::vector<GroupState> stack_;
    size_t overflow_ = 0;
    std::string bytes_;
    int pendingSkip_ = 0;
    QList<QColor> colours_;
    bool inColourTable_ = false;
    size_t colourTableDepth_ = 0;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool haveColour_ = false;
};

} // namespace

void readRtf(std::string_view bytes, QTextDocument& document) {
    Reader(bytes, document).run();
}

void readRtfFile(const QString& path, QTextDocument& document) {
    const auto file = regularfile::read(path, kMaxRtfFileBytes);
    if (!file.ok())
        throw UserError(QStringLiteral("无法打开说明文件 %1：%2")
                            .arg(regularfile::fullPath(path), file.reason));
    readRtf(std::string_view(file.bytes.constData(), static_cast<size_t>(file.bytes.size())),
            document);
}
