#include "articletest/article_conversion.h"

#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/safe_write.h"
#include "platform/user_error.h"

#include <QFile>
#include <QString>

#include <filesystem>
#include <system_error>

namespace conversion {
namespace {

// Appends kept characters in lines of `perLine`, each line ended by 0x0D 0x0D.
class LineWriter {
public:
    LineWriter(std::string& out, int perLine) : out_(out), perLine_(perLine) {}

    void put(unsigned char lead, unsigned char trail) {
        out_.push_back(static_cast<char>(lead));
        out_.push_back(static_cast<char>(trail));
        if (++onLine_ == perLine_) {
            out_ += "\r\r";
            ++fullLines_;
            onLine_ = 0;
        }
    }

    // The space filler of the last line and the file's ending; returns the
    // number of characters written.
    int finish() {
        out_.append(static_cast<size_t>(2 * perLine_ - 2 * onLine_ - 1), ' ');
        out_ += "\r\r \r";
        return fullLines_ * perLine_ + onLine_;
    }

private:
    std::string& out_;
    int perLine_;
    int onLine_ = 0;
    int fullLines_ = 0;
};

// A Chinese character of the GB2312 block. The few byte pairs of the block
// that name no character (0xD7FA-0xD7FE) are left out: a test file holding
// one would be read with its following characters out of step.
bool kept(unsigned lead, unsigned trail) {
    return lead >= 0xB0 && lead <= 0xF0 && trail >= 0xA1 && trail <= 0xFE &&
           gbk::isDoubleByteChar(static_cast<unsigned char>(lead),
                                 static_cast<unsigned char>(trail));
}

constexpr bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

constexpr bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The length (1-4) of the well-formed UTF-8 sequence at `p`, with its code
// point in `cp`; 0 when none starts there (a stray continuation byte, an
// overlong form, a surrogate, a value above U+10FFFF, a cut-off sequence).
inline int utf8Sequence(const unsigned char* p, const unsigned char* end, char32_t& cp) {
    const unsigned char b = p[0];
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    const size_t left = static_cast<size_t>(end - p);
    if (b >= 0xC2 && b <= 0xDF) {
        if (left < 2 || !isContinuation(p[1]))
            return 0;
        cp = (char32_t(b & 0x1F) << 6) | (p[1] & 0x3F);
        return 2;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        if (left < 3 || !isContinuation(p[1]) || !isContinuation(p[2]) ||
            (b == 0xE0 && p[1] < 0xA0) || (b == 0xED && p[1] > 0x9F))
            return 0;
        cp = (char32_t(b & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (left < 4 || !isContinuation(p[1]) || !isContinuation(p[2]) || !isContinuation(p[3]) ||
            (b == 0xF0 && p[1] < 0x90) || (b == 0xF4 && p[1] > 0x8F))
            return 0;
        cp = (char32_t(b & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) |
             (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
        return 4;
    }
    return 0;
}

// True when the bytes from `p` to `end` are the start of a well-formed
// sequence that the end of the text cut short.
bool isCutSequence(const unsigned char* p, const unsigned char* end) {
    const size_t left = static_cast<size_t>(end - p);
    const unsigned char b = p[0];
    const size_t need = b >= 0xC2 && b <= 0xDF   ? 2
                        : b >= 0xE0 && b <= 0xEF ? 3
                        : b >= 0xF0 && b <= 0xF4 ? 4
                                                 : 0;
    if (left >= need)
        return false;
    for (size_t i = 1; i < left; ++i)
        if (!isContinuation(p[i]))
            return false;
    if (left >= 2 && ((b == 0xE0 && p[1] < 0xA0) || (b == 0xED && p[1] > 0x9F) ||
                      (b == 0xF0 && p[1] < 0x90) || (b == 0xF4 && p[1] > 0x8F)))
        return false;
    return true;
}

bool startsWithByteOrderMark(std::string_view s) {
    return s.size() >= 3 && s.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

void convertGbk(const unsigned char* p, size_t n, LineWriter& w) {
    size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (gbk::isLeadByte(b) && i + 1 < n && isTrailByte(p[i + 1])) {
            if (kept(b, p[i + 1]))
                w.put(b, p[i + 1]);
            i += 2;
        } else {
            ++i;
        }
    }
}

void convertUtf8(const unsigned char* p, size_t n, LineWriter& w) {
    const unsigned char* end = p + n;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t cp = 0;
        const int len = utf8Sequence(p, end, cp);
        if (len == 0) {
            ++p;
            continue;
        }
        p += len;
        const uint16_t code = gbk::doubleByteOf(cp);
        if (kept(code >> 8, code & 0xFF))
            w.put(static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code));
    }
}

// Whether the path is UTF-8, as every name the program opens must be. A
// name in another encoding (GBK, from an older system) either arrives with
// its own bytes, from the command line, or, through a file dialog, with its
// foreign bytes already replaced by U+FFFD.
bool isUtf8Name(const std::string& path) {
    const QString decoded = QString::fromStdString(path);
    return decoded.toStdString() == path && !decoded.contains(QChar::ReplacementCharacter);
}

// How the file name reads in GBK, for the message: the name itself when its
// own bytes came and are whole GBK characters, else a general word.
QString gbkReading(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (QString::fromStdString(name).toStdString() == name)
        return QStringLiteral("可能是 GBK 编码"); // the bytes were replaced on the way
    int invalid = 0;
    const QString read = gbk::toUnicode(name, &invalid);
    if (invalid == 0 && !read.contains(QChar::ReplacementCharacter))
        return QStringLiteral("看来是 GBK 编码的“%1”").arg(read);
    return QStringLiteral("可能是 GBK 编码");
}

} // namespace

const char* encodingName(Encoding e) {
    return e == Encoding::Utf8 ? "UTF-8" : "GBK";
}

Encoding detectEncoding(std::string_view source) {
    if (startsWithByteOrderMark(source))
        return Encoding::Utf8;
    const auto* p = reinterpret_cast<const unsigned char*>(source.data());
    const unsigned char* end = p + source.size();
    bool multiByte = false;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t cp = 0;
        const int len = utf8Sequence(p, end, cp);
        if (len == 0) {
            // A text cut off in its last character is still UTF-8.
            if (multiByte && isCutSequence(p, end))
                break;
            return Encoding::Gbk;
        }
        multiByte = true;
        p += len;
    }
    return multiByte ? Encoding::Utf8 : Encoding::Gbk;
}

Result convert(std::string_view src, int perLine) {
    Result r;
    r.bytes.reserve(src.size() + src.size() / 30 + 64);
    r.encoding = detectEncoding(src);
    LineWriter w(r.bytes, perLine);
    const auto* p = reinterpret_cast<const unsigned char*>(src.data());
    if (r.encoding == Encoding::Utf8)
        convertUtf8(p, src.size(), w);
    else
        convertGbk(p, src.size(), w);
    r.characters = w.finish();
    return r;
}

std::string targetPath(const std::string& source) {
    const size_t nameStart = source.find_last_of('/') + 1; // 0 without a folder
    // Walk back over three characters of the name: a character starts at a
    // byte that is not a UTF-8 continuation byte.
    size_t cut = source.size();
    int found = 0;
    while (found < 3 && cut > nameStart) {
        --cut;
        if (!isContinuation(static_cast<unsigned char>(source[cut])))
            ++found;
    }
    if (found < 3)
        return source + ".tvm";
    return source.substr(0, cut) + "tvm";
}

Result convertFile(const std::string& sourcePath, std::string* writtenPath) {
    const QString source = QString::fromStdString(sourcePath);
    const std::string target = targetPath(sourcePath);
    const QString targetName = QString::fromStdString(target);
    if (target == sourcePath)
        throw UserError(
            QStringLiteral("文件 %1 的名字以 tvm 结尾，转换会覆盖它自己。请先把它改名。")
                .arg(regularfile::fullPath(source)));
    const QString shownSource = regularfile::fullPath(source);
    const auto in = regularfile::read(source, kMaxSourceBytes);
    if (in.status == regularfile::Contents::Status::Missing && !isUtf8Name(sourcePath))
        throw UserError(QStringLiteral("无法读取文件 %1：文件名不是 UTF-8 编码（%2），"
                                       "本程序打不开这样的文件名。请先给文件改一个新名字，"
                                       "再转换。")
                            .arg(shownSource, gbkReading(sourcePath)));
    if (!in.ok())
        throw UserError(QStringLiteral("无法读取文件 %1：%2").arg(shownSource, in.reason));
    Result r =
        convert(std::string_view(in.bytes.constData(), static_cast<size_t>(in.bytes.size())));
    if (r.characters == 0)
        throw UserError(
            QStringLiteral("文件 %1 里没有可以转换的汉字，没有生成测试文件。").arg(shownSource));

    // The target must never be the source under another name: a symbolic
    // link to it, a hard link, a path through other folders.
    std::error_code ec;
    if (std::filesystem::equivalent(sourcePath, target, ec))
        throw UserError(QStringLiteral("测试文件 %1 和源文件 %2 是同一个文件，转换会覆盖源文件。"
                                       "请先删除或改名 %1。")
                            .arg(regularfile::fullPath(targetName), regularfile::fullPath(source)));
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec)))
        throw UserError(
            QStringLiteral(
                "测试文件 %1 是一个符号链接，转换不会写进它所指的文件。请先删除或改名它。")
                .arg(regularfile::fullPath(targetName)));

    safewrite::replaceFile(targetName, r.bytes, QStringLiteral("测试文件"));
    if (writtenPath)
        *writtenPath = target;
    return r;
}

} // namespace conversion
