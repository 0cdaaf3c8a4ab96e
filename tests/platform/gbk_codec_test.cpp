#include "platform/gbk_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GbkCodec, AllGb2312CharactersRoundTrip) {
    int count = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail > 0xF9)
                continue; // row 55 ends at 0xD7F9
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            int invalid = -1;
            const QString s = gbk::toUnicode(bytes, &invalid);
            ASSERT_EQ(invalid, 0) << std::hex << lead << trail;
            ASSERT_EQ(s.size(), 1);
            ASSERT_TRUE(s[0].script() == QChar::Script_Han) << std::hex << lead << trail;
            ASSERT_EQ(gbk::fromUnicode(s), bytes);
            ++count;
        }
    }
    EXPECT_EQ(count, 6763);
}

TEST(GbkCodec, MixedAsciiAndChinese) {
    const QString text = QStringLiteral("Tarvo码 5000.6 = 中！abc");
    auto bytes = gbk::fromUnicode(text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 5), "Tarvo");
    EXPECT_EQ(bytes->size(), 5u + 2 + 10 + 2 + 2 + 3);
    EXPECT_EQ(gbk::toUnicode(*bytes), text);
}

TEST(GbkCodec, BrokenBytesBecomeReplacementCharacters) {
    struct Row {
        const char* name;
        std::string bytes;
        QString expected;
        int invalid;
    };
    const std::string zhong = "\xD6\xD0"; // 中
    const Row rows[] = {
        {"truncated final lead byte", zhong + "\xD6", QStringLiteral("中\uFFFD"), 1},
        {"lone 0x80",
         "a\x80"
         "b",
         QStringLiteral("a\uFFFDb"), 1},
        {"lone 0xFF", "\xFF" + zhong, QStringLiteral("\uFFFD中"), 1},
        {"lead byte before ASCII keeps the ASCII", "\xD6 A", QStringLiteral("\uFFFD A"), 1},
        {"lead byte before 0x7F", "\x81\x7F", QStringLiteral("\uFFFD\x7F"), 1},
        {"empty", "", QString(), 0},
    };
    for (const Row& r : rows) {
        int invalid = -1;
        EXPECT_EQ(gbk::toUnicode(r.bytes, &invalid), r.expected) << r.name;
        EXPECT_EQ(invalid, r.invalid) << r.name;
    }
}

TEST(GbkCodec, CharactersWithoutGbkFormAreReported) {
    const QString text = QStringLiteral("中𠀀한");
    EXPECT_FALSE(gbk::fromUnicode(text).has_value());
    EXPECT_EQ(gbk::fromUnicodeLossy(text), "\xD6\xD0??");
    EXPECT_TRUE(gbk::isDoubleByteChar(0xD6, 0xD0));
    EXPECT_FALSE(gbk::isDoubleByteChar(0xD6, 0x7F));
    EXPECT_FALSE(gbk::isDoubleByteChar(0x80, 0x41));
}

} // namespace
