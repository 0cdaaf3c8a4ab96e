// The dictionary the build compiles from the Unihan corner codes, the jieba
// word list and the character frequency of running text.
#include "dict_test_files.h"
#include "two.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <map>

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

// The committed character table: frequency of each character, and the
// characters of the one-key codes.
struct CharTable {
    std::map<QString, long long> frequency;
    QStringList oneKey;
};

CharTable readCharTable() {
    CharTable t;
    QFile f(QStringLiteral(TARVO_SOURCE_DIR "/data/dictsrc/chars.txt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 3)
            continue;
        t.frequency[fields[1]] = fields[2].toLongLong();
        if (fields[0].size() == 1)
            t.oneKey << fields[1];
    }
    return t;
}

// One key for the characters typed most: each one-key character is among
// the 60 most frequent, and 的, the most frequent of running text, has one.
TEST_F(GeneratedDictionary, OneKeyCharactersAreAmongTheMostFrequent) {
    const CharTable t = readCharTable();
    ASSERT_EQ(t.oneKey.size(), 10);
    for (const QString& ch : t.oneKey) {
        const long long f = t.frequency.at(ch);
        const auto above = std::count_if(t.frequency.begin(), t.frequency.end(),
                                         [f](const auto& e) { return e.second > f; });
        EXPECT_LT(above, 60) << ch.toStdString() << " is not among the 60 most frequent";
    }
    EXPECT_TRUE(t.oneKey.contains(QStringLiteral("的")));
    two.LookupCode(Ttwo::Scope::Characters, "2");
    ASSERT_FALSE(two.Candidates().empty());
    EXPECT_EQ(two.Candidates().front(), g("的"));
    EXPECT_EQ(two.CodeOfChar(g("的")), "2");
    // Computing words of the fortunes do not lift their characters.
    for (const char* ch : {"件", "软", "档", "配", "置"}) {
        const long long f = t.frequency.at(QString::fromUtf8(ch));
        const auto above = std::count_if(t.frequency.begin(), t.frequency.end(),
                                         [f](const auto& e) { return e.second > f; });
        EXPECT_GT(above, 200) << ch;
    }
}

} // namespace
