#include "article_conversion.h"
#include "dict_test_files.h"
#include "test_text.h"
#include "user_error.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

std::string chars(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += std::string{'\xB0', static_cast<char>(0xA1 + i % 90)};
    return s;
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
    EXPECT_EQ(conversion::convert("hello, world").bytes, std::string(59, ' ') + "\r\r \r");
    EXPECT_EQ(conversion::convert("").characters, 0);
    // The scan looks at byte pairs: a dropped character whose second byte is
    // 0xB0-0xF0 joins the next byte into a kept character.
    EXPECT_EQ(conversion::convert("\xA1\xB2\xC3\xD4").bytes.substr(0, 3), "\xB2\xC3 ");

    // A converted file reads back as the same article.
    const TestText t = TestText::fromBytes(expected);
    EXPECT_EQ(t.articleCharacters(), 65);
    EXPECT_EQ(t.line(0), chars(30));
    EXPECT_EQ(t.line(4), chars(65).substr(120) + std::string(49, ' '));
    EXPECT_EQ(t.lineCount(), 7);
}

TEST(ArticleConversion, TargetNamesAndTheFileItself) {
    EXPECT_EQ(conversion::targetPath("/a/news.txt"), "/a/news.tvm");
    EXPECT_EQ(conversion::targetPath("readme"), "reatvm"); // the last three characters, always
    dicttest::DictDir dir;
    dir.write("news.txt", "\xD6\xD0\xCE\xC4"); // 中文
    std::string written;
    const auto r = conversion::convertFile(dir.path() + "/news.txt", &written);
    EXPECT_EQ(written, dir.path() + "/news.tvm");
    EXPECT_EQ(r.characters, 2);
    QFile f(QString::fromStdString(written));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "\xD6\xD0\xCE\xC4" + std::string(55, ' ') + "\r\r \r");

    // A source named *.tvm would overwrite itself: refused, the file untouched.
    dir.write("old.tvm", "keep me");
    EXPECT_THROW(conversion::convertFile(dir.path() + "/old.tvm"), UserError);
    QFile old(QString::fromStdString(dir.path() + "/old.tvm"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("keep me"));
    EXPECT_THROW(conversion::convertFile(dir.path() + "/missing.txt"), UserError);
}

TEST(TestTextFile, RefusesFilesWithoutCharactersAndNamesThem) {
    dicttest::DictDir dir;
    dir.write("empty.tvm", "");
    dir.write("ascii.tvm", "just some text\r\r");
    for (const char* name : {"empty.tvm", "ascii.tvm", "missing.tvm"}) {
        const QString path = QString::fromStdString(dir.path() + "/" + name);
        try {
            TestText::loadFile(path);
            ADD_FAILURE() << name;
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(path)) << e.what();
        }
    }
}

} // namespace
