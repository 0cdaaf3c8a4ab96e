// The dictionary the build compiles from the Unihan corner codes read by the
// rhyme, the jieba word list and the character frequency of modern text.
#include "dictionary/two.h"
#include "tests/dictionary/dict_test_files.h"

#include "tests/test_paths.h"

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
    // 中 has the two-key code 50 (来 holds 5), which sorts before its full
    // code 50006.
    EXPECT_EQ(two.CodeOfChar(g("中")), "50");
    EXPECT_TRUE(candidatesHold(Ttwo::Scope::Characters, "50006", g("中")));
}

// Word codes by the six-digit rule from the rhyme's character codes, e.g.
// 我们: 我 03550 (撇 at the top left), 们 0720 give 035 + 072; 输入法: 输
// 4852, 入 80000, 法 34131 give the first two digits of each, 488034.
TEST_F(GeneratedDictionary, WordCodesFindTheWords) {
    struct Row {
        const char* word;
        const char* code;
        int length;
    };
    const Row rows[] = {{"我们", "035072", 2},     {"中国", "500601", 2},
                        {"输入法", "488034", 3},   {"学习", "304171", 2},
                        {"自由自在", "065004", 4}, {"中华人民共和国", "500806", 7}};
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
    std::map<QString, QString> fullCode; // the first full code in the table
    std::map<QString, QString> shortCode;
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
        if (fields[0].size() <= 2)
            t.shortCode[fields[1]] = fields[0];
        else
            t.fullCode.emplace(fields[1], fields[0]);
    }
    return t;
}

// One key for the characters typed most in modern text: each one-key
// character is the most frequent of those whose code starts with its digit;
// 的 (07600 by the rhyme) sits on 0, 这 on a key of its own, and 了 costs two
// keys.
TEST_F(GeneratedDictionary, OneKeyCharactersAreTheMostFrequentOfTheirDigit) {
    const CharTable t = readCharTable();
    ASSERT_EQ(t.oneKey.size(), 10);
    for (const QString& ch : t.oneKey) {
        SCOPED_TRACE(ch.toStdString());
        const QString digit = t.shortCode.at(ch);
        for (const auto& [other, code] : t.fullCode)
            if (code.startsWith(digit) && other != ch) {
                EXPECT_GT(t.frequency.at(ch), t.frequency.at(other)) << other.toStdString();
            }
    }
    two.LookupCode(Ttwo::Scope::Characters, "0");
    ASSERT_FALSE(two.Candidates().empty());
    EXPECT_EQ(two.Candidates().front(), g("的"));
    EXPECT_EQ(two.CodeOfChar(g("的")), "0");
    EXPECT_LE(two.CodeOfChar(g("这")).size(), 2u);
    EXPECT_EQ(two.CodeOfChar(g("了")).size(), 2u);
    // Computing words of the fortunes do not lift their characters.
    for (const char* ch : {"件", "软", "档", "配", "置"}) {
        const long long f = t.frequency.at(QString::fromUtf8(ch));
        const auto above = std::count_if(t.frequency.begin(), t.frequency.end(),
                                         [f](const auto& e) { return e.second > f; });
        EXPECT_GT(above, 200) << ch;
    }
}

} // namespace
