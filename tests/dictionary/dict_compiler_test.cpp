#include "dictionary/dict_compiler.h"
#include "dictionary/two.h"
#include "tests/dictionary/dict_test_files.h"

#include <gtest/gtest.h>

#include <QFile>

using dicttest::DictDir;
using dicttest::g;
using dicttest::groupBytes;

namespace {

std::string readFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path;
    return f.readAll().toStdString();
}

struct Sources {
    DictDir src;
    DictDir out;
    void tables(const std::string& chars, const std::string& words, const std::string& frequent) {
        src.write("chars.txt", chars);
        src.write("words.txt", words);
        src.write("frequent.txt", frequent);
    }
    std::string file(const std::string& name) const { return readFile(out.path() + "/" + name); }
};

TEST(DictCompiler, WritesRecordsInDictionaryOrder) {
    Sources s;
    s.tables("# code, character, frequency\n"
             "2\t二\t50\n"
             "10\t十\t70\n"
             "1\t乙\t10\n"
             "1\t一\t90\n"
             "1\t丨\n",
             "5\t中国\t100\n"
             "5\t中华\t300\n"
             "\n"
             "12\t二十四节气歌谣\t5\n"
             "12\tab\t5\n",
             "500601\t中国\n");
    const auto summary = dict::compileDictionary(s.src.path(), s.out.path());
    // "ab" is two bytes wide: it joins the one-character group.
    EXPECT_EQ(summary.entries[0], 6);
    EXPECT_EQ(summary.entries[1], 2);
    EXPECT_EQ(summary.entries[4], 1);

    // Codes as digit strings; one code by falling frequency, then table order.
    EXPECT_EQ(s.file("zh1"), groupBytes(1, {{"1", g("一")},
                                            {"1", g("乙")},
                                            {"1", g("丨")},
                                            {"10", g("十")},
                                            {"12", g("ab")},
                                            {"2", g("二")}}));
    // By text: GBK bytes with a-z folded (二 B6FE, 十 CAAE, 一 D2BB, 乙 D2D2, 丨 D8AD).
    EXPECT_EQ(s.file("zh1.hz"), groupBytes(1, {{"12", g("ab")},
                                               {"2", g("二")},
                                               {"10", g("十")},
                                               {"1", g("一")},
                                               {"1", g("乙")},
                                               {"1", g("丨")}}));
    EXPECT_EQ(s.file("zh2"), groupBytes(2, {{"5", g("中华")}, {"5", g("中国")}}));
    EXPECT_EQ(s.file("zh5"), groupBytes(5, {{"12", g("二十四节气歌谣")}}));
    EXPECT_EQ(s.file("zh3"), "");
    EXPECT_EQ(s.file("gpc.txt"), "500601" + g("中国") + "\r\n");

    // The compiled files answer through the dictionary.
    Ttwo two(s.out.path());
    two.LookupCode(Ttwo::Scope::Characters, "1");
    EXPECT_EQ(two.Candidates(), (std::vector<std::string>{g("一"), g("乙"), g("丨")}));
    EXPECT_TRUE(two.HasWord(2, g("中华")));
    EXPECT_TRUE(two.IsFrequentWord(g("中国")));
    EXPECT_EQ(two.CodeOfChar(g("十")), "10");

    // Compiling again gives the same bytes.
    const std::string first = s.file("zh1") + s.file("zh1.hz") + s.file("zh2");
    dict::compileDictionary(s.src.path(), s.out.path());
    EXPECT_EQ(s.file("zh1") + s.file("zh1.hz") + s.file("zh2"), first);
}

TEST(DictCompiler, AWordGoesToTheGroupOfItsCharacterCount) {
    // A single-byte character counts as one character, also at an odd length.
    Sources s;
    s.tables("1\t一\n", "7\t中a\t5\n8\tabc\t4\n9\t中国a\t3\n6\t一二三四五\t2\n", "");
    const auto summary = dict::compileDictionary(s.src.path(), s.out.path());
    EXPECT_EQ(summary.entries[1], 2);
    EXPECT_EQ(summary.entries[2], 1);
    EXPECT_EQ(summary.entries[4], 1);
    EXPECT_EQ(s.file("zh2"), groupBytes(2, {{"7", g("中a")}, {"8", g("abc")}}));
    EXPECT_EQ(s.file("zh3"), groupBytes(3, {{"9", g("中国a")}}));
    EXPECT_EQ(s.file("zh4"), "");
    EXPECT_EQ(s.file("zh5"), groupBytes(5, {{"6", g("一二三四五")}}));
}

TEST(DictCompiler, RefusesBadRowsNamingFileAndLine) {
    struct Row {
        const char* name;
        std::string words;
        std::string frequent;
        const char* message;
    };
    const Row rows[] = {
        {"letters in the code", "5\t中国\n12a\t中华\n", "",
         "words.txt 第 2 行：编码“12a”不是1到6位数字"},
        {"seven digits", "1234567\t中国\n", "", "第 1 行：编码“1234567”"},
        {"empty code", "\t中国\n", "", "第 1 行"},
        {"no GBK form", "5\t中国\n\n5\t한국\n", "",
         "words.txt 第 3 行：“한국”含有 GBK 中没有的字符"},
        {"fourteen characters", "5\t一二三四五六七八九十一二三四\n", "", "太长"},
        {"bad frequency", "5\t中国\tmany\n", "", "频度"},
        {"negative frequency", "5\t中国\t-3\n", "", "words.txt 第 1 行：频度“-3”"},
        {"a fourth column", "5\t中国\t100\textra\n", "", "words.txt 第 1 行"},
        {"a third column in the frequent list", "", "500601\t中国\t5\n", "frequent.txt 第 1 行"},
        {"missing word", "5\n", "", "第 1 行"},
        {"frequent word of three characters", "", "1\t中国人\n", "frequent.txt 第 1 行"},
    };
    for (const Row& r : rows) {
        Sources s;
        s.tables("1\t一\n", r.words, r.frequent);
        try {
            dict::compileDictionary(s.src.path(), s.out.path());
            ADD_FAILURE() << r.name << ": accepted";
        } catch (const dict::CompileError& e) {
            EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos)
                << r.name << ": " << e.what();
        }
    }
    Sources missing;
    missing.src.write("chars.txt", "1\t一\n");
    EXPECT_THROW(dict::compileDictionary(missing.src.path(), missing.out.path()),
                 dict::CompileError);
}

} // namespace
