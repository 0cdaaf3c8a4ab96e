#include "dictionary/dictionary_error.h"
#include "dictionary/two.h"
#include "platform/gbk_codec.h"
#include "tests/dictionary/dict_test_files.h"
#include "tests/support/test_chars.h"

#include <gtest/gtest.h>

#include <unistd.h>

using dicttest::DictDir;
using dicttest::frequentBytes;
using dicttest::g;
using dicttest::groupBytes;
using dicttest::Rec;

namespace {

std::vector<std::string> lookup(Ttwo& two, Ttwo::Scope scope, const std::string& code) {
    two.LookupCode(scope, code);
    EXPECT_EQ(two.CandidateCount(), static_cast<int>(two.Candidates().size()));
    return two.Candidates();
}

// Writes empty files for every group, so a words lookup can run.
void writeEmptyGroups(const DictDir& dir) {
    for (int grp = 1; grp <= 5; ++grp) {
        dir.write(Ttwo::fileName(grp, false), "");
        dir.write(Ttwo::fileName(grp, true), "");
    }
}

TEST(Ttwo, CodesSortAsDigitStringsAndEachIsFound) {
    DictDir dir;
    dir.write("zh1", groupBytes(1, {{"1", g("一")}, {"10", g("十")}, {"2", g("二")}}));
    Ttwo two(dir.path());
    EXPECT_EQ(lookup(two, Ttwo::Scope::Characters, "1"), std::vector<std::string>{g("一")});
    EXPECT_EQ(lookup(two, Ttwo::Scope::Characters, "10"), std::vector<std::string>{g("十")});
    EXPECT_EQ(lookup(two, Ttwo::Scope::Characters, "2"), std::vector<std::string>{g("二")});
    EXPECT_TRUE(lookup(two, Ttwo::Scope::Characters, "3").empty());
    EXPECT_TRUE(lookup(two, Ttwo::Scope::Characters, "0").empty());
    EXPECT_TRUE(lookup(two, Ttwo::Scope::Characters, "100").empty());
}

TEST(Ttwo, RunsOfEqualCodesYieldExactlyTheRunInFileOrder) {
    struct Row {
        const char* name;
        std::vector<Rec> recs;
        std::string code;
        std::vector<std::string> expected;
    };
    const std::string a = g("甲"), b = g("乙"), c = g("丙"), d = g("丁"), e = g("戊");
    const Row rows[] = {
        {"run at record 0", {{"5", a}, {"5", b}, {"5", c}, {"6", d}, {"7", e}}, "5", {a, b, c}},
        {"run at record 1", {{"4", a}, {"5", b}, {"5", c}, {"6", d}}, "5", {b, c}},
        {"run mid-file",
         {{"1", a}, {"2", b}, {"3", c}, {"3", d}, {"3", e}, {"4", a}, {"5", b}},
         "3",
         {c, d, e}},
        {"run at the end", {{"1", a}, {"2", b}, {"9", c}, {"9", d}}, "9", {c, d}},
        {"whole file one code", {{"8", a}, {"8", b}}, "8", {a, b}},
        {"shorter code is not a prefix match", {{"53", a}, {"534", b}, {"54", c}}, "53", {a}},
    };
    for (const Row& r : rows) {
        DictDir dir;
        dir.write("zh1", groupBytes(1, r.recs));
        Ttwo two(dir.path());
        EXPECT_EQ(lookup(two, Ttwo::Scope::Characters, r.code), r.expected) << r.name;
    }
}

TEST(Ttwo, WordLookupListsGroupsInOrderAndDropsFiller) {
    DictDir dir;
    writeEmptyGroups(dir);
    dir.write("zh2", groupBytes(2, {{"1", g("一个")}, {"2", g("二人")}, {"2", g("二胡")}}));
    dir.write("zh4", groupBytes(4, {{"2", g("二话不说")}, {"3", g("三心二意")}}));
    // Seven characters in a 26-byte field: 12 bytes of 0xFF follow.
    dir.write("zh5", groupBytes(5, {{"2", g("二十四节气歌谣")}, {"21", g("二人转演员们")}}));
    Ttwo two(dir.path());
    EXPECT_EQ(lookup(two, Ttwo::Scope::Words, "2"),
              (std::vector<std::string>{g("二人"), g("二胡"), g("二话不说"), g("二十四节气歌谣")}));
    EXPECT_EQ(lookup(two, Ttwo::Scope::Words, "21"), std::vector<std::string>{g("二人转演员们")});
    EXPECT_TRUE(lookup(two, Ttwo::Scope::Words, "9").empty());
    // The character scope never reads the word groups.
    EXPECT_TRUE(lookup(two, Ttwo::Scope::Characters, "2").empty());
}

TEST(Ttwo, CandidateTextsAreTrimmedAndFillerDropped) {
    DictDir dir;
    std::string rec = "\x5F\xFF\xFF"; // code 5
    rec += std::string(" \xD6\xFF\xD0 ");
    rec += std::string(26 - 5, '\xFF');
    dir.write("zh5", rec);
    Ttwo two(dir.path());
    two.FindByCode(5, "5");
    EXPECT_EQ(two.Candidates(), std::vector<std::string>{"\xD6\xD0"});
}

// A code with more matches than any fixed list would hold keeps all of them.
TEST(Ttwo, ManyCandidatesAreAllKept) {
    DictDir dir;
    std::vector<Rec> recs;
    for (int i = 0; i < 40; ++i)
        recs.push_back({"5", gbkTestChar(i)});
    dir.write("zh1", groupBytes(1, recs));
    Ttwo two(dir.path());
    two.LookupCode(Ttwo::Scope::Characters, "5");
    ASSERT_EQ(two.CandidateCount(), 40);
    EXPECT_EQ(two.Candidates()[39], recs[39].text);
}

TEST(Ttwo, HasWordOnOneAndTwoRecordFiles) {
    DictDir dir;
    dir.write("zh2.hz", groupBytes(2, {{"1", g("中国")}}));
    dir.write("zh3.hz", groupBytes(3, {{"1", g("北京市")}, {"1", g("南京市")}}));
    // The longest word fills its 26-byte field without filler.
    const std::string thirteen = g("中华人民共和国中央人民政府");
    dir.write("zh5.hz", groupBytes(5, {{"1", g("中华人民共和国")}, {"2", thirteen}}));
    dir.write("zh1.hz", "");
    Ttwo two(dir.path());
    EXPECT_TRUE(two.HasWord(2, g("中国")));
    EXPECT_FALSE(two.HasWord(2, g("中华")));
    EXPECT_FALSE(two.HasWord(2, g("中")));
    // GBK order: 北 (B1B1) before 南 (C4CF).
    EXPECT_TRUE(two.HasWord(3, g("北京市")));
    EXPECT_TRUE(two.HasWord(3, g("南京市")));
    EXPECT_FALSE(two.HasWord(3, g("东京市")));
    EXPECT_FALSE(two.HasWord(3, g("西京市")));
    EXPECT_TRUE(two.HasWord(7, g("中华人民共和国")));
    EXPECT_FALSE(two.HasWord(5, g("中华人民共")));
    EXPECT_FALSE(two.HasWord(1, g("中")));
    EXPECT_TRUE(two.HasWord(13, thirteen));
    // Lengths outside 1-13 read nothing and find nothing.
    EXPECT_FALSE(two.HasWord(0, ""));
    EXPECT_FALSE(two.HasWord(14, g("中华人民共和国")));
    EXPECT_FALSE(two.HasWord(-3, g("中国")));
}

TEST(Ttwo, CodeOfCharTakesTheFirstRecordOfTheCharacter) {
    DictDir dir;
    dir.write(
        "zh1",
        groupBytes(1, {{"5", g("中")}, {"50006", g("中")}, {"534", g("成")}, {"6", g("是")}}));
    Ttwo two(dir.path());
    EXPECT_EQ(two.CodeOfChar(g("中")), "5");
    EXPECT_EQ(two.CodeOfChar(g("成")), "534");
    EXPECT_EQ(two.CodeOfChar(g("国")), "");
    EXPECT_EQ(two.CodeOfChar(g("中国")), "");
    EXPECT_EQ(two.CodeOfChar(""), "");
}

TEST(Ttwo, FrequentWordList) {
    DictDir dir;
    dir.write("gpc.txt", "");
    Ttwo two(dir.path());
    EXPECT_FALSE(two.IsFrequentWord(g("中国")));

    dir.replace("gpc.txt", frequentBytes({g("中国"), g("我们")}));
    Ttwo fresh(dir.path());
    EXPECT_TRUE(fresh.IsFrequentWord(g("我们")));
    EXPECT_TRUE(fresh.IsFrequentWord(g("中国")));
    EXPECT_FALSE(fresh.IsFrequentWord(g("他们")));
    EXPECT_FALSE(fresh.IsFrequentWord(g("中")));

    // A partial record: the list is damaged, said once, and then answers false.
    dir.replace("gpc.txt", frequentBytes({g("中国"), g("我们")}) + "12345");
    Ttwo damaged(dir.path());
    EXPECT_THROW(damaged.IsFrequentWord(g("我们")), DictionaryError);
    EXPECT_FALSE(damaged.IsFrequentWord(g("我们")));
}

TEST(Ttwo, APartialLastRecordIsNamedOnceAndEmptyFilesFindNothing) {
    DictDir dir;
    dir.write("zh1", groupBytes(1, {{"1", g("一")}, {"2", g("二")}}) + "\x3F\xFF\xFF\xC8");
    Ttwo two(dir.path());
    try {
        two.LookupCode(Ttwo::Scope::Characters, "2");
        FAIL() << "a partial record must be reported";
    } catch (const DictionaryError& e) {
        EXPECT_EQ(e.kind(), DictionaryError::Kind::Damaged);
        EXPECT_NE(std::string(e.what()).find(dir.path() + "/zh1 已损坏"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(lookup(two, Ttwo::Scope::Characters, "2").empty()) << "said once, then nothing";
    EXPECT_EQ(two.CodeOfChar(g("二")), "");

    // Mended on disk: read again and found.
    dir.replace("zh1", groupBytes(1, {{"1", g("一")}, {"2", g("二")}}));
    for (int i = 0; i < 200 && two.CandidateCount() == 0; ++i) {
        lookup(two, Ttwo::Scope::Characters, "2");
        if (two.CandidateCount() == 0)
            usleep(10000); // the folder watch reports the change from its thread
    }
    EXPECT_EQ(lookup(two, Ttwo::Scope::Characters, "2"), std::vector<std::string>{g("二")});

    DictDir empty;
    writeEmptyGroups(empty);
    Ttwo none(empty.path());
    EXPECT_TRUE(lookup(none, Ttwo::Scope::Words, "1").empty());
    EXPECT_FALSE(none.HasWord(2, g("中国")));
    EXPECT_EQ(none.CodeOfChar(g("中")), "");
}

TEST(Ttwo, MissingFileIsNamedAndEarlierCandidatesStay) {
    DictDir dir;
    dir.write("zh2", groupBytes(2, {{"5", g("中国")}}));
    Ttwo two(dir.path());
    try {
        two.LookupCode(Ttwo::Scope::Words, "5");
        FAIL() << "a missing zh3 must raise an error";
    } catch (const DictionaryError& e) {
        EXPECT_EQ(e.file(), dir.path() + "/zh3");
        EXPECT_NE(std::string(e.what()).find(dir.path() + "/zh3"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("找不到词库文件"), std::string::npos);
    }
    EXPECT_EQ(two.Candidates(), std::vector<std::string>{g("中国")});

    Ttwo nowhere("/nonexistent/hzlib");
    EXPECT_THROW(nowhere.CodeOfChar(g("中")), DictionaryError);
    EXPECT_THROW(nowhere.IsFrequentWord(g("中国")), DictionaryError);
}

} // namespace
