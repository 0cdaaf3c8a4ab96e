#include "platform/rtf_reader.h"
#include "platform/user_error.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>

#include "tests/test_paths.h"

#include <random>

namespace {

QString read(const std::string& rtf) {
    QTextDocument doc;
    readRtf(rtf, doc);
    return doc.toPlainText();
}

// The format of the first character of `text` in the document.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& text) {
    const int at = doc.toPlainText().indexOf(text);
    EXPECT_GE(at, 0) << text.toStdString();
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(at + 1);
    return c.charFormat();
}

TEST(RtfReader, ParagraphsFormatsAndCharacters) {
    QTextDocument doc;
    readRtf("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
            "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
            "{\\*\\generator Writer;}\\pard\\f0\\fs24 First line\\par "
            "{\\b Bold} and {\\i italic}{\\ul under}\\par"
            "\\cf1 Red\\cf2 Blue\\cf0  plain\\par"
            "\\'d6\\'d0\\'ce\\'c4 and \\u27721?\\u23383? \\par"
            "{\\fs48 big {\\b nested} back}\\par"
            "\\frobnicate42 unknown\\par"
            "\\{braces\\} and \\\\ slash}",
            doc);
    const QStringList lines = doc.toPlainText().split(u'\n');
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("First line"));
    EXPECT_EQ(lines[1], QStringLiteral("Bold and italicunder"));
    EXPECT_EQ(lines[2], QStringLiteral("RedBlue plain"));
    EXPECT_EQ(lines[3], QStringLiteral("中文 and 汉字 "));
    EXPECT_EQ(lines[4], QStringLiteral("big nested back"));
    EXPECT_EQ(lines[5], QStringLiteral("unknown"));
    EXPECT_EQ(lines[6], QStringLiteral("{braces} and \\ slash"));
    EXPECT_EQ(formatOf(doc, "Bold").fontWeight(), QFont::Bold);
    EXPECT_NE(formatOf(doc, " and").fontWeight(), QFont::Bold) << "the group ended the bold";
    EXPECT_TRUE(formatOf(doc, "italic").fontItalic());
    EXPECT_TRUE(formatOf(doc, "under").fontUnderline());
    EXPECT_EQ(formatOf(doc, "Red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatOf(doc, "Blue").foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(doc, "big").fontPointSize(), 24.0);
    EXPECT_EQ(formatOf(doc, "nested").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(doc, "back").fontWeight(), QFont::Normal);
    EXPECT_EQ(formatOf(doc, "back").fontPointSize(), 24.0);
    EXPECT_FALSE(doc.toPlainText().contains(QStringLiteral("Writer")))
        << "optional destinations are left out";
}

TEST(RtfReader, UnicodeEscapesAndTheirFallbacks) {
    // \ucN: N fallback characters follow each \uN and are skipped, a \'hh
    // escape counting as one; negative values are the UTF-16 unit + 65536.
    EXPECT_EQ(read("{\\rtf1 \\u20013?x}"), QStringLiteral("中x"));
    EXPECT_EQ(read("{\\rtf1 \\uc2\\u20013??x}"), QStringLiteral("中x"));
    EXPECT_EQ(read("{\\rtf1 \\uc2\\u20013\\'d6\\'d0x}"), QStringLiteral("中x"));
    EXPECT_EQ(read("{\\rtf1 \\uc0\\u20013x}"), QStringLiteral("中x"));
    EXPECT_EQ(read("{\\rtf1 {\\uc3 \\u20013???}\\u22269?y}"), QStringLiteral("中国y"))
        << "\\ucN ends with its group";
    EXPECT_EQ(read("{\\rtf1 \\u-3913?}"), QString(QChar(0xF0B7)));
    EXPECT_EQ(read("{\\rtf1 \\u-1?}"), QString(QChar(0xFFFF)));
}

TEST(RtfReader, PlainResetsTheCharacterFormat) {
    QTextDocument doc;
    readRtf("{\\rtf1 \\fs48\\b\\i big\\plain small}", doc);
    EXPECT_EQ(formatOf(doc, "big").fontPointSize(), 24.0);
    const QTextCharFormat small = formatOf(doc, "small");
    EXPECT_NE(small.fontPointSize(), 24.0);
    EXPECT_NE(small.fontWeight(), QFont::Bold);
    EXPECT_FALSE(small.fontItalic());
}

TEST(RtfReader, DamagedInputNeverBreaksIt) {
    EXPECT_EQ(read("{\\rtf1 Cut off in the midd"), QStringLiteral("Cut off in the midd"));
    EXPECT_EQ(read("{\\rtf1 \\'d6"), QStringLiteral("\uFFFD"));
    EXPECT_EQ(read("}}}} text {{{"), QStringLiteral(" text "));
    EXPECT_EQ(read("\\"), QString());
    EXPECT_EQ(read(std::string(100000, '{') + "deep"), QStringLiteral("deep"));
    const unsigned kSeed = 1207;
    std::mt19937 rng(kSeed);
    const std::string pieces[] = {"{",  "}",        "\\",   "\\'",        "\\u", "-",
                                  "12", "\\par ",   "\\b",  "\\colortbl", ";",   "\\red300",
                                  "a",  "\xD6\xD0", "\\uc", "\\*",        " "};
    for (int round = 0; round < 500; ++round) {
        std::string rtf;
        for (int i = rng() % 60; i > 0; --i)
            rtf += pieces[rng() % std::size(pieces)];
        QTextDocument doc;
        readRtf(rtf, doc);
        // Every character shown comes from at least one byte of the file.
        ASSERT_LE(doc.toPlainText().size(), static_cast<qsizetype>(rtf.size()) + 1)
            << "seed " << kSeed;
    }
}

TEST(RtfReader, TheHelpFileOfTheTestReads) {
    QTextDocument doc;
    readRtfFile(QStringLiteral(TARVO_SOURCE_DIR "/data/files/tvm.rtf"), doc);
    EXPECT_TRUE(doc.toPlainText().startsWith(QStringLiteral("Tarvo码文章练习 输入说明")));
    EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("按“*”键结束")));
    EXPECT_THROW(readRtfFile(QStringLiteral("/nonexistent/tvm.rtf"), doc), UserError);
}

} // namespace
