#include "dictionary/dict_format.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(DictFormat, PackedCodesDecode) {
    const unsigned char c534[] = {0x53, 0x4F, 0xFF};
    const unsigned char c123456[] = {0x12, 0x34, 0x56};
    const unsigned char cA[] = {0x5A, 0x12, 0x34}; // a nibble of 10 ends the code
    const unsigned char none[] = {0xFF, 0xFF, 0xFF};
    EXPECT_EQ(dict::decodeCode(c534), "534");
    EXPECT_EQ(dict::decodeCode(c123456), "123456");
    EXPECT_EQ(dict::decodeCode(cA), "5");
    EXPECT_EQ(dict::decodeCode(none), "");
    // The character-to-code scan stops only at 15.
    EXPECT_EQ(dict::decodeCodeOfChar(c534), "534");
    EXPECT_EQ(dict::decodeCodeOfChar(cA), "5101234");
    auto packed = dict::packCode("5301");
    EXPECT_EQ(packed[0], 0x53);
    EXPECT_EQ(packed[1], 0x01);
    EXPECT_EQ(packed[2], 0xFF);
    packed = dict::packCode("534");
    EXPECT_EQ(packed[1], 0x4F);
}

TEST(DictFormat, DictionaryOrderFoldsLettersAndPutsPrefixesFirst) {
    EXPECT_EQ(dict::compare("1", "10"), -1);
    EXPECT_EQ(dict::compare("10", "2"), -1);
    EXPECT_EQ(dict::compare("abc", "ABC"), 0);
    EXPECT_EQ(dict::compare("ab", "ABC"), -1);
    EXPECT_EQ(dict::compare("\xB0\xA1", "\xB0\x61"), 1); // 0x61 folds to 0x41
    EXPECT_EQ(dict::compare("", ""), 0);
    EXPECT_EQ(dict::compare("\xFF", "\x7F"), 1); // unsigned bytes
}

// The numeric key of a code must order codes exactly as the dictionary order does.
TEST(DictFormat, CodeKeysFollowDictionaryOrder) {
    std::mt19937 rng(20261207);
    auto randomCode = [&] {
        std::string s(1 + rng() % 6, '0');
        for (char& c : s)
            c = static_cast<char>('0' + rng() % 10);
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = randomCode();
        const std::string b = i % 7 == 0 ? a.substr(0, 1 + rng() % a.size()) : randomCode();
        uint32_t ka = 0, kb = 0;
        ASSERT_TRUE(dict::codeKey(a, ka));
        ASSERT_TRUE(dict::codeKey(b, kb));
        const int byKey = ka < kb ? -1 : (ka > kb ? 1 : 0);
        ASSERT_EQ(byKey, dict::compare(a, b)) << a << " vs " << b;
        ASSERT_EQ(dict::codeKeyOfRecord(dict::packCode(a).data()), ka) << a;
    }
    uint32_t k;
    EXPECT_FALSE(dict::codeKey("1234567", k));
    EXPECT_FALSE(dict::codeKey("12a", k));
}

// Probe order: the middle rounded half to even, then the two-record finish.
TEST(DictFormat, SearchProbesMiddleRoundedToEven) {
    struct Row {
        const char* name;
        int64_t count;
        int64_t target; // index the key sorts at; -1: before all, count: after all
        bool present;
        std::vector<int64_t> probes;
        int64_t result;
    };
    const Row rows[] = {
        {"one record, hit", 1, 0, true, {0}, 0},
        {"one record, miss", 1, 0, false, {0}, -1},
        {"two records, second", 2, 1, true, {0, 1, 0}, 1},
        {"two records, before all", 2, -1, false, {0}, -1},
        // 1.5 rounds to 2, then 1; the last two are checked high, then low
        {"four records, first", 4, 0, true, {2, 1, 1, 0}, 0},
        // 2.5 rounds to 2: lo=2, hi=5 -> 3.5 rounds to 4
        {"six records, fourth", 6, 3, true, {2, 4, 3}, 3},
        {"six records, after all", 6, 6, false, {2, 4, 5, 4}, -1},
    };
    for (const Row& r : rows) {
        std::vector<int64_t> probes;
        int64_t hit = dict::searchRecords(r.count, [&](int64_t i) {
            probes.push_back(i);
            if (i == r.target)
                return r.present ? 0 : -1;
            return r.target < i ? -1 : 1;
        });
        EXPECT_EQ(probes, r.probes) << r.name;
        EXPECT_EQ(hit, r.result) << r.name;
    }
    EXPECT_EQ(dict::searchRecords(0, [](int64_t) { return 0; }), -1);
}

} // namespace
