#include "dictionary/dict_format.h"
#include "dictionary/dict_tables.h"
#include "tests/dictionary/dict_test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using dicttest::groupBytes;
using dicttest::Rec;

namespace {

constexpr unsigned kSeed = 20261207;

std::string randomCode(std::mt19937& rng) {
    std::string s(1 + rng() % 3, '0'); // short codes, so runs of equal codes are common
    for (char& c : s)
        c = static_cast<char>('0' + rng() % 4);
    return s;
}

std::string randomText(std::mt19937& rng, int chars) {
    std::string s;
    for (int i = 0; i < chars; ++i) {
        s.push_back(static_cast<char>(0xB0 + rng() % 3));
        s.push_back(static_cast<char>(rng() % 2 ? 0xA1 + rng() % 3 : 0x61 + rng() % 3));
    }
    return s;
}

// On sorted files the searches find exactly what a scan of all records finds.
TEST(DictSearch, SortedFilesAgreeWithAFullScan) {
    std::mt19937 rng(kSeed);
    SCOPED_TRACE("seed " + std::to_string(kSeed));
    for (int round = 0; round < 300; ++round) {
        const int group = 1 + static_cast<int>(rng() % 5);
        const int chars = group == 5 ? 5 + static_cast<int>(rng() % 9) : group;
        std::vector<Rec> recs(rng() % 40);
        for (Rec& r : recs)
            r = {randomCode(rng), randomText(rng, group == 5 ? 5 + rng() % 9 : chars)};

        std::vector<Rec> byCode = recs;
        std::stable_sort(byCode.begin(), byCode.end(), [](const Rec& a, const Rec& b) {
            return dict::compare(a.code, b.code) < 0;
        });
        const dict::GroupFile codeFile(group, groupBytes(group, byCode));
        for (int probe = 0; probe < 20; ++probe) {
            const std::string code = randomCode(rng);
            std::vector<std::string> expected;
            for (const Rec& r : byCode)
                if (r.code == code)
                    expected.push_back(r.text);
            std::vector<std::string> found;
            codeFile.FindByCode(code, found);
            ASSERT_EQ(found, expected) << "round " << round << " code " << code;
        }

        std::vector<Rec> byText = recs;
        std::stable_sort(byText.begin(), byText.end(), [](const Rec& a, const Rec& b) {
            return dict::compare(a.text, b.text) < 0;
        });
        const dict::GroupFile textFile(group, groupBytes(group, byText));
        for (int probe = 0; probe < 20; ++probe) {
            const std::string word = probe % 2 && !recs.empty() ? recs[rng() % recs.size()].text
                                                                : randomText(rng, chars);
            const bool expected = std::any_of(byText.begin(), byText.end(), [&](const Rec& r) {
                return dict::compare(r.text, word) == 0;
            });
            ASSERT_EQ(textFile.HasText(word), expected) << "round " << round;
        }
    }
}

// Arbitrary bytes: every read stays inside the buffer (run under the sanitizer
// build to see it), every search ends, and a candidate always comes from a
// record carrying the code asked for.
TEST(DictSearch, ArbitraryBytesNeverBreakTheReaders) {
    std::mt19937 rng(kSeed + 1);
    SCOPED_TRACE("seed " + std::to_string(kSeed + 1));
    for (int round = 0; round < 2000; ++round) {
        const int group = 1 + static_cast<int>(rng() % 5);
        std::string bytes(rng() % 200, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng() % 4 == 0 ? 0xFF : rng() % 256);
        const dict::GroupFile file(group, bytes);
        ASSERT_EQ(file.recordCount(), static_cast<int64_t>(bytes.size()) / dict::recordSize(group));
        for (int probe = 0; probe < 10; ++probe) {
            const std::string code = std::to_string(rng() % 1000);
            std::vector<std::string> found;
            file.FindByCode(code, found);
            for (const std::string& text : found) {
                bool fromRecord = false;
                for (int64_t i = 0; i < file.recordCount(); ++i)
                    fromRecord |=
                        dict::decodeCode(file.record(i)) == code && file.candidateText(i) == text;
                ASSERT_TRUE(fromRecord) << "round " << round;
            }
            std::string word(rng() % 30, '\0');
            for (char& c : word)
                c = static_cast<char>(rng() % 256);
            file.HasText(word);
            int64_t rec = file.firstRecordOfChar(word.substr(0, 2));
            ASSERT_LT(rec, file.recordCount());
        }
        const dict::FrequentList list(bytes);
        if (bytes.size() >= 12) {
            ASSERT_TRUE(list.contains(bytes.substr(6, 4)));
        }
    }
}

} // namespace
