#include "articletest/article_conversion.h"
#include "articletest/article_text.h"
#include "platform/gbk_codec.h"
#include "platform/user_error.h"
#include "tests/dictionary/dict_test_files.h"
#include "tests/support/test_chars.h"
#include "tests/support/user_error_message.h"

#include <gtest/gtest.h>

#include <QFile>

#include <filesystem>
#include <fstream>

namespace {

using conversion::Encoding;
using dicttest::g;

std::string chars(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += gbkTestChar(i % 90);
    return s;
}

// The test file of an article of fewer than 30 characters (GBK bytes).
std::string oneLineFile(const std::string& gbkChars) {
    return gbkChars + std::string(59 - gbkChars.size(), ' ') + "\r\r \r";
}

std::string readFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

TEST(ArticleConversion, LinesOfThirtyAndTheEnding) {
    // 65 characters mixed with ASCII and punctuation (GBK "，" is A3AC: dropped).
    std::string source;
    for (int i = 0; i < 65; ++i)
        source += chars(i + 1).substr(2 * i, 2) + (i % 7 == 0 ? "ab \xA3\xAC\r\n" : "");
    const auto r = conversion::convert(source);
    EXPECT_EQ(r.characters, 65);
    const std::string expected = chars(30) + "\r\r" + chars(60).substr(60) + "\r\r" +
                                 chars(65).substr(120) + std::string(49, ' ') + "\r\r \r";
    EXPECT_EQ(r.bytes, expected);

    EXPECT_EQ(conversion::convert(chars(30)).bytes,
              chars(30) + "\r\r" + std::string(59, ' ') + "\r\r \r");
    EXPECT_EQ(conversion::convert(chars(29)).bytes, oneLineFile(chars(29)));
    EXPECT_EQ(conversion::convert("hello, world").bytes, std::string(59, ' ') + "\r\r \r");
    EXPECT_EQ(conversion::convert("").characters, 0);

    // A converted file reads back as the same article.
    const TestText t = TestText::fromBytes(expected);
    EXPECT_EQ(t.articleCharacters(), 65);
    EXPECT_EQ(t.line(0), chars(30));
    EXPECT_EQ(t.line(4), chars(65).substr(120) + std::string(49, ' '));
    EXPECT_EQ(t.lineCount(), 7);
}

TEST(ArticleConversion, ReadsWholeCharactersInTheSourcesEncoding) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Row {
        const char* name;
        std::string source;
        const char* kept; // UTF-8
        Encoding encoding;
    };
    const Row rows[] = {
        // Full-width punctuation whose second byte lies in 0xB0-0xF0.
        {"gbk title and poet", g("《感遇·其一》作者：张九龄"), "感遇其一作者张九龄", Encoding::Gbk},
        {"gbk quotes and question", g("“何处？”；“江南。”"), "何处江南", Encoding::Gbk},
        {"gbk symbol before a symbol", "\xA1\xB2\xA1\xA1" + g("中"), "中", Encoding::Gbk},
        {"gbk extended character", "\x81\xB0\xA1\xA1" + g("文"), "文", Encoding::Gbk},
        // A pair of the block that names no character is dropped whole, so
        // the test file reads back in step.
        {"unassigned pair in the block", g("中") + "\xD7\xFA" + g("文"), "中文", Encoding::Gbk},
        {"mixed ascii", "abc" + g("中") + "1\r\n" + g("文") + "xyz", "中文", Encoding::Gbk},
        // 0x80 and 0xFF are never lead bytes; a lead byte before 0x20 or 0x7F
        // stands alone and the next byte is read afresh.
        {"invalid bytes", "\x80" + g("中") + "\xFF" + g("文") + "\x81 \xB0\x7F\xB0\xA1", "中文啊",
         Encoding::Gbk},
        {"lone lead byte at the end", g("中文") + "\xD6", "中文", Encoding::Gbk},
        // 隆楼 in GBK (C2A1 C2A5) is also well-formed UTF-8; 中 after it is not.
        {"gbk that starts like utf-8", g("隆楼中"), "隆楼中", Encoding::Gbk},
        // Well-formed UTF-8 but for an encoded surrogate or an overlong form.
        {"gbk with a utf-8 surrogate", g("隆楼") + "\xED\xA0\x80", "隆楼", Encoding::Gbk},
        {"gbk with an overlong utf-8 form", g("隆楼") + "\xE0\x80\x80", "隆楼", Encoding::Gbk},
        {"utf-8", "床前明月光，疑是地上霜。", "床前明月光疑是地上霜", Encoding::Utf8},
        {"utf-8 with byte-order mark", bom + "《静夜思》", "静夜思", Encoding::Utf8},
        // A text cut off inside its last character (光 is E5 85 89).
        {"utf-8 cut in its last character", "床前明月\xE5\x85", "床前明月", Encoding::Utf8},
        {"utf-8 cut after a lone lead byte", "床前\xF0", "床前", Encoding::Utf8},
        // Not a cut character: the byte after E5 is no continuation byte.
        {"utf-8 with a broken last character", "床前\xE5\x41", "搴", Encoding::Gbk},
        {"utf-8 byte-order mark only", bom, "", Encoding::Utf8},
        // Characters without a kept GBK form are dropped: Hangul, a katakana
        // dot, an emoji, a full-width letter, a GBK-only character (丂 = 81 40).
        {"utf-8 outside the kept range", "한中・😀Ａ丂文", "中文", Encoding::Utf8},
        // After a byte-order mark, broken bytes are dropped one by one.
        {"utf-8 with broken bytes", bom + "中\xFF\xC0\x80文\xED\xA0\x80\xE4\xB8", "中文",
         Encoding::Utf8},
        // The same broken bytes without the mark: not UTF-8, read as GBK.
        {"broken utf-8 without the mark", "中\xFF", "涓", Encoding::Gbk}, // E4B8 AD FF
        {"ascii only", "just text\r\n", "", Encoding::Gbk},
    };
    for (const Row& row : rows) {
        const auto r = conversion::convert(row.source);
        const std::string kept = g(row.kept);
        EXPECT_EQ(r.bytes, oneLineFile(kept)) << row.name;
        EXPECT_EQ(r.characters, static_cast<int>(kept.size() / 2)) << row.name;
        EXPECT_EQ(r.encoding, row.encoding) << row.name;
    }
}

// The poems of 唐诗三百首 as fortunes-zh ships them, and a GBK copy.
TEST(ArticleConversion, Utf8AndGbkCopiesOfTheSamePoemsGiveTheSameFile) {
    QFile f(QStringLiteral("/usr/share/games/fortunes/tang300.u8"));
    if (!f.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "fortunes-zh is not installed";
    const QByteArray utf8 = f.readAll();
    const QString text = QString::fromUtf8(utf8);
    const auto fromUtf8 = conversion::convert(utf8.toStdString());
    const auto fromGbk = conversion::convert(gbk::fromUnicodeLossy(text));
    EXPECT_EQ(fromUtf8.encoding, Encoding::Utf8);
    EXPECT_EQ(fromGbk.encoding, Encoding::Gbk);
    EXPECT_EQ(fromUtf8.bytes, fromGbk.bytes);

    // Exactly the text's own characters, in order, through the codec.
    std::string expected;
    for (const QChar c : text) {
        const auto b = gbk::fromUnicode(QStringView(&c, 1));
        if (b && b->size() == 2 && static_cast<unsigned char>((*b)[0]) >= 0xB0 &&
            static_cast<unsigned char>((*b)[0]) <= 0xF0 &&
            static_cast<unsigned char>((*b)[1]) >= 0xA1)
            expected += *b;
    }
    const TestText t = TestText::fromBytes(fromUtf8.bytes);
    std::string article;
    for (int i = 0; i < t.lineCount(); i += 2)
        article += t.line(i);
    article.erase(article.find(' '));
    EXPECT_GT(expected.size(), 40000u);
    EXPECT_TRUE(article == expected) << "the article differs from the poems' characters";
    EXPECT_EQ(fromUtf8.characters, static_cast<int>(expected.size() / 2));
}

TEST(ArticleConversion, TargetNamesReplaceTheLastThreeCharactersOfTheName) {
    const std::pair<const char*, const char*> rows[] = {
        {"/a/news.txt", "/a/news.tvm"},
        {"readme", "reatvm"},
        {"abc", "tvm"},
        {"/a/课文甲乙丙", "/a/课文tvm"},
        {"/a/课文甲ab", "/a/课文tvm"},
        {"/a/诗.txt", "/a/诗.tvm"},
        {"/a/甲乙", "/a/甲乙.tvm"}, // shorter names stay in their folder
        {"sub/ab", "sub/ab.tvm"},
        {"ab", "ab.tvm"},
        {"/a/b.c/x", "/a/b.c/x.tvm"},
        {"/a/old.tvm", "/a/old.tvm"}, // its own target: refused by convertFile
    };
    for (const auto& [source, target] : rows)
        EXPECT_EQ(conversion::targetPath(source), target) << source;
}

TEST(ArticleConversion, WritesBesideTheSourceAndNeverOverIt) {
    namespace fs = std::filesystem;
    dicttest::DictDir dir;
    const std::string d = dir.path();
    const std::string zhongwen = g("中文");
    dir.write("news.txt", zhongwen);
    std::string written;
    const auto r = conversion::convertFile(d + "/news.txt", &written);
    EXPECT_EQ(written, d + "/news.tvm");
    EXPECT_EQ(r.characters, 2);
    EXPECT_EQ(readFile(written), oneLineFile(zhongwen));

    // Names by characters; short names in sub-folders.
    dir.write("课文甲乙丙", "床前明月光");
    EXPECT_EQ(conversion::convertFile(d + "/课文甲乙丙").encoding, Encoding::Utf8);
    EXPECT_EQ(readFile(d + "/课文tvm"), oneLineFile(g("床前明月光")));
    fs::create_directory(d + "/sub");
    dir.write("sub/ab", zhongwen);
    conversion::convertFile(d + "/sub/ab", &written);
    EXPECT_EQ(written, d + "/sub/ab.tvm");
    EXPECT_EQ(readFile(written), oneLineFile(zhongwen));
    EXPECT_FALSE(fs::exists(d + "/subtvm"));

    // Targets that would replace the source or write elsewhere are refused,
    // and nothing is written: a name ending in "tvm", a symbolic link to the
    // source, a hard link to it, a link to a file outside the folder.
    dir.write("old.tvm", "keep me");
    dir.write("linked.txt", zhongwen);
    fs::create_symlink(d + "/linked.txt", d + "/linked.tvm");
    dir.write("hard.txt", zhongwen);
    fs::create_hard_link(d + "/hard.txt", d + "/hard.tvm");
    fs::create_directory(d + "/other");
    dir.write("other/file", "elsewhere");
    dir.write("away.txt", zhongwen);
    fs::create_symlink(d + "/other/file", d + "/away.tvm");
    const std::pair<const char*, std::string> refused[] = {
        {"old.tvm", "keep me"},
        {"linked.txt", zhongwen},
        {"hard.txt", zhongwen},
        {"away.txt", zhongwen},
    };
    for (const auto& [name, content] : refused) {
        const std::string path = d + "/" + name;
        const QString message = userErrorMessage([&] { conversion::convertFile(path); });
        EXPECT_TRUE(message.contains(QString::fromStdString(conversion::targetPath(path))))
            << name << ": " << message.toStdString();
        EXPECT_EQ(readFile(path), content) << name;
    }
    EXPECT_EQ(readFile(d + "/other/file"), "elsewhere");
}

TEST(ArticleConversion, RefusesSourcesWithoutChineseBeforeWritingAnything) {
    dicttest::DictDir dir;
    const std::string d = dir.path();
    dir.write("empty.txt", "");
    dir.write("ascii.txt", "just some text\r\n");
    dir.write("symbols.txt", g("，。《》"));
    dir.write("symbols.tvm", "an earlier test file");
    for (const char* name : {"empty.txt", "ascii.txt", "symbols.txt", "missing.txt"}) {
        const std::string path = d + "/" + name;
        const QString message = userErrorMessage([&] { conversion::convertFile(path); });
        EXPECT_TRUE(message.contains(QString::fromStdString(path)))
            << name << ": " << message.toStdString();
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(d + "/empty.tvm")));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(d + "/ascii.tvm")));
    EXPECT_EQ(readFile(d + "/symbols.tvm"), "an earlier test file");
}

// A file named in GBK (from an older system): the command line passes its
// bytes, a file dialog the name with them replaced by U+FFFD. Neither can be
// opened; both say why, in Chinese, and nothing is written.
TEST(ArticleConversion, AFileNamedInGbkIsRefusedWithTheReason) {
    namespace fs = std::filesystem;
    dicttest::DictDir dir;
    const std::string d = dir.path();
    const std::string gbkName = g("课文") + ".txt";
    {
        std::ofstream f(d + "/" + gbkName, std::ios::binary);
        f << g("床前明月光");
    }
    const std::string fromDialog =
        QFile::decodeName(QByteArray::fromStdString(d + "/" + gbkName)).toStdString();
    const std::pair<std::string, const char*> rows[] = {
        {d + "/" + gbkName, "看来是 GBK 编码的“课文.txt”"},
        {fromDialog, "可能是 GBK 编码"},
    };
    for (const auto& [path, says] : rows) {
        const QString message = userErrorMessage([&] { conversion::convertFile(path); });
        EXPECT_TRUE(message.contains(QStringLiteral("文件名不是 UTF-8 编码")))
            << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(says))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromStdString(d))) << message.toStdString();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 1)
        << "nothing written";
    fs::remove(d + "/" + gbkName); // which Qt could not remove with the folder
}

TEST(TestTextFile, RefusesFilesWithoutCharactersAndNamesThem) {
    dicttest::DictDir dir;
    dir.write("empty.tvm", "");
    dir.write("ascii.tvm", "just some text\r\r");
    for (const char* name : {"empty.tvm", "ascii.tvm", "missing.tvm"}) {
        const QString path = QString::fromStdString(dir.path() + "/" + name);
        const QString message = userErrorMessage([&] { TestText::loadFile(path); });
        EXPECT_TRUE(message.contains(path)) << name << ": " << message.toStdString();
    }
}

} // namespace
