#include "articletest/top_ten_file.h"
#include "platform/user_error.h"
#include "tests/dictionary/dict_test_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

using Entry = TopTenFile::Entry;

class TopTen : public ::testing::Test {
protected:
    QString path() const { return QString::fromStdString(dir.path() + "/record.dat"); }
    TopTenFile file() const { return TopTenFile(path()); }
    void store(const std::vector<Entry>& entries) {
        dir.write("record.dat", "");
        for (const Entry& e : entries)
            file().add(e); // each lands after equal or higher scores
    }
    std::vector<int> scores() const {
        std::vector<int> out;
        for (const Entry& e : file().read())
            out.push_back(e.score);
        return out;
    }
    std::string bytes() const {
        QFile f(path());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll().toStdString();
    }
    dicttest::DictDir dir;
};

TEST_F(TopTen, RecordsAreTwentyFourBytes) {
    store({{dicttest::g("小明"), 60}});
    std::string expected(24, '\0');
    expected[0] = 4;
    expected.replace(1, 4, dicttest::g("小明"));
    expected[20] = 60;
    EXPECT_EQ(bytes(), expected);
    file().add({"", 300});
    EXPECT_EQ(bytes().size(), 48u);
    EXPECT_EQ(static_cast<unsigned char>(bytes()[20]), 300 & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes()[21]), 300 >> 8);
}

TEST_F(TopTen, AdmissionAndTheTenthPlace) {
    store({{"a", 50}, {"b", 40}, {"c", 30}});
    EXPECT_TRUE(file().admits(20)) << "fewer than ten stored";
    file().add({"d", 20});
    EXPECT_EQ(scores(), (std::vector<int>{50, 40, 30, 20}));

    store({});
    for (int i = 0; i < 10; ++i)
        file().add({"x", 120 - 10 * i}); // 120 … 30
    EXPECT_FALSE(file().admits(30));
    EXPECT_TRUE(file().admits(31));
    file().add({"new", 31});
    EXPECT_EQ(scores(), (std::vector<int>{120, 110, 100, 90, 80, 70, 60, 50, 40, 31}));
}

TEST_F(TopTen, TheExchangeSortPlacesNewEntriesAfterEqualOnes) {
    // Stored as 50, 40 (first), 40 (second), 30.
    std::string raw;
    for (auto [name, score] : std::vector<std::pair<std::string, int>>{
             {"A", 50}, {"first", 40}, {"second", 40}, {"D", 30}}) {
        std::string r(24, '\0');
        r[0] = static_cast<char>(name.size());
        r.replace(1, name.size(), name);
        r[20] = static_cast<char>(score);
        raw += r;
    }
    dir.write("record.dat", raw);
    file().add({"new", 45});
    std::vector<std::string> names;
    for (const Entry& e : file().read())
        names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "new", "second", "first", "D"}));

    file().add({"tie", 40});
    EXPECT_EQ(file().read()[4].name, "tie") << "after every stored 40";
}

TEST_F(TopTen, ClearingAndDamagedFiles) {
    store({{"a", 50}});
    file().clear();
    EXPECT_EQ(bytes(), "");
    EXPECT_TRUE(file().admits(1));

    // A name length above 16 and a partial last record: the file is set
    // aside as it is, the learner told once, and the new score starts a list.
    std::string raw(24, 'N');
    raw[0] = static_cast<char>(200);
    raw[20] = 7;
    raw[21] = raw[22] = raw[23] = 0;
    dir.write("record.dat", raw + "partial");
    QString notice;
    EXPECT_TRUE(file().read(&notice).empty());
    const QString aside = path() + ".damaged";
    EXPECT_EQ(notice, QStringLiteral("成绩文件 %1 已损坏（文件大小 31 字节不是 24 字节的整数倍），"
                                     "已改名保存为 %2，成绩榜重新开始。")
                          .arg(path(), aside));
    QFile kept(aside);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll().toStdString(), raw + "partial");
    file().add({"b", 9}, &notice);
    EXPECT_TRUE(notice.isEmpty()) << "said once";
    EXPECT_EQ(bytes().size(), 24u);

    // A missing file is an empty list; the next score makes it again.
    dir.remove("record.dat");
    EXPECT_TRUE(file().read().empty());
    EXPECT_TRUE(file().admits(1));
    file().add({"c", 3});
    EXPECT_EQ(scores(), std::vector<int>{3});
    // No temporary is left behind by the writes.
    EXPECT_EQ(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files),
              (QStringList{"record.dat", "record.dat.damaged"}));
}

TEST(TopTenName, CutToSixteenBytesOnACharacterBoundary) {
    EXPECT_EQ(TopTenFile::cutName(QStringLiteral("王小明")), dicttest::g("王小明"));
    EXPECT_EQ(TopTenFile::cutName(QStringLiteral("一二三四五六七八九")),
              dicttest::g("一二三四五六七八"));
    EXPECT_EQ(TopTenFile::cutName(QStringLiteral("a一二三四五六七八")),
              dicttest::g("a一二三四五六七"));
    EXPECT_EQ(TopTenFile::cutName(QStringLiteral("abcdefghijklmnopq")), "abcdefghijklmnop");
    EXPECT_EQ(TopTenFile::cutName(QString()), "");
}

} // namespace
