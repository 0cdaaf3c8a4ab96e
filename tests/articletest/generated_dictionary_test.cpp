// The dictionary the build compiles from the Unihan corner codes and the
// jieba word list.
#include "dict_test_files.h"
#include "two.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>

using dicttest::g;

namespace {

class GeneratedDictionary : public ::testing::Test {
protected:
    Ttwo two{TARVO_PROGRAM_DIR "/hzlib"};

    bool candidatesHold(Ttwo::Scope scope, const std::string& code, const std::string& text) {
        two.LookupCode(scope, code);
        const auto& c = two.Candidates();
        return std::find(c.begin(), c.end(), text) != c.end();
    }
};

TEST_F(GeneratedDictionary, CharactersOfSentencesAreFoundUnderTheirCodes) {
    const char* sentences[] = {"床前明月光疑是地上霜", "我们一起来学习汉字输入法",
                               "中华人民共和国成立了", "春眠不觉晓处处闻啼鸟"};
    for (const char* sentence : sentences) {
        const QString s = QString::fromUtf8(sentence);
        for (QChar ch : s) {
            const std::string bytes = g(QString(ch).toUtf8().constData());
            const std::string code = two.CodeOfChar(bytes);
            ASSERT_FALSE(code.empty()) << QString(ch).toStdString();
            EXPECT_TRUE(candidatesHold(Ttwo::Scope::Characters, code, bytes))
                << QString(ch).toStdString() << " " << code;
        }
    }
    // 中 has the one-key code 5, which sorts before its full code 50006.
    EXPECT_EQ(two.CodeOfChar(g("中")), "5");
    EXPECT_TRUE(candidatesHold(Ttwo::Scope::Characters, "50006", g("中")));
}

// Word codes by the six-digit rule, e.g. 输入法: 输 4852, 入 80000, 法 34131
// give the first two digits of each, 488034.
TEST_F(GeneratedDictionary, WordCodesFindTheWords) {
    struct Row {
        const char* word;
        const char* code;
        int length;
    };
    const Row rows[] = {{"我们", "235272", 2},     {"中国", "500601", 2},
                        {"输入法", "488034", 3},   {"学习", "324171", 2},
                        {"自由自在", "265024", 4}, {"中华人民共和国", "502826", 7}};
    for (const Row& r : rows) {
        EXPECT_TRUE(candidatesHold(Ttwo::Scope::Words, r.code, g(r.word))) << r.word;
        EXPECT_TRUE(two.HasWord(r.length, g(r.word))) << r.word;
    }
    // One-key words lead their digit.
    EXPECT_TRUE(candidatesHold(Ttwo::Scope::Words, "5", g("中国")));
    EXPECT_TRUE(two.IsFrequentWord(g("我们")));
    EXPECT_FALSE(two.HasWord(2, g("们我")));
}

} // namespace
