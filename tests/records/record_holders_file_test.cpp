// The record-holder file: judging a score, saving a name, clearing, and what
// a missing or damaged file does.
#include "platform/gbk_codec.h"
#include "platform/user_error.h"
#include "records/record_holders_file.h"
#include "tests/support/child_process.h"
#include "tests/support/qt_printers.h"
#include "tests/support/user_error_message.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

namespace {

class RecordFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path() const { return dir.path() + "/phb.txt"; }
    void put(const std::string& bytes) const {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string bytes() const {
        QFile f(path());
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        const QByteArray b = f.readAll();
        return std::string(b.constData(), static_cast<size_t>(b.size()));
    }
    static std::string blank(size_t n = 180) { return std::string(n, ' '); }
    // A file whose slot `slot` holds `score` (right-aligned).
    void withScore(int slot, const std::string& score) const {
        std::string b = bytes();
        if (b.size() != 180)
            b = blank();
        b.replace(static_cast<size_t>(slot * 15 + 15) - score.size(), score.size(), score);
        put(b);
    }
    bool judge(int slot, const QString& score) const {
        const auto j = file().judge_record(slot, score);
        EXPECT_TRUE(j.notice.isEmpty()) << j.notice.toStdString();
        return j.record;
    }
    RecordHoldersFile file() const { return RecordHoldersFile(path()); }

    QTemporaryDir dir;
};

TEST_F(RecordFile, AScoreIsARecordOnlyWhenItIsHigher) {
    withScore(4, "85");
    EXPECT_FALSE(judge(4, "85")) << "equal is no record";
    EXPECT_TRUE(judge(4, "86"));
    EXPECT_FALSE(judge(4, "9")) << "a shorter number is smaller once aligned";
    EXPECT_TRUE(judge(4, "100"));
    EXPECT_FALSE(judge(4, "")) << "an empty score never";
    // An empty slot: "0" is a record, an empty score is not, six digits never.
    EXPECT_TRUE(judge(3, "0"));
    EXPECT_FALSE(judge(3, ""));
    EXPECT_FALSE(judge(3, "123456"));
    EXPECT_TRUE(judge(3, "99999"));
    // The first and the last slot.
    withScore(0, "12");
    withScore(11, "99999");
    EXPECT_FALSE(judge(11, "99999"));
    EXPECT_TRUE(judge(0, "13"));
    EXPECT_FALSE(judge(11, "0"));
    EXPECT_FALSE(judge(12, "5")) << "no slot 12";
    EXPECT_EQ(RecordHoldersFile::alignScore("7"), "    7");
    EXPECT_EQ(RecordHoldersFile::alignScore(""), "     ");
    EXPECT_EQ(RecordHoldersFile::alignScore("123456"), "");
}

TEST_F(RecordFile, SavingWritesOnlyItsSlot) {
    put(blank());
    // Two characters and 85 in slot 7 fill bytes 105-119.
    const QString name = QStringLiteral("小明");
    file().save_record(7, name, "85");
    std::string expected = blank();
    expected.replace(105, 15, gbk::fromUnicodeLossy(name) + std::string(6, ' ') + "   85");
    EXPECT_EQ(bytes(), expected);
    // The first and the last slot; an empty name is 10 spaces, the score still written.
    file().save_record(0, QStringLiteral(" \t"), "123");
    file().save_record(11, QStringLiteral("  Zhang San \n"), "99999");
    expected.replace(0, 15, std::string(10, ' ') + "  123");
    expected.replace(165, 15, "Zhang San " + std::string("99999"));
    EXPECT_EQ(bytes(), expected);
    EXPECT_EQ(RecordHoldersFile::rows(bytes())[11], QStringLiteral("Zhang San 99999"));
    EXPECT_EQ(RecordHoldersFile::rows(bytes())[7], QStringLiteral("小明         85"));
}

TEST_F(RecordFile, LongNamesAreCutOnACharacterBoundary) {
    put(blank());
    // 12 bytes of letters: the first 10.
    file().save_record(2, QStringLiteral("abcdefghij12"), "7");
    EXPECT_EQ(bytes().substr(30, 15), "abcdefghij    7");
    // Six Chinese characters: five fit exactly.
    file().save_record(3, QStringLiteral("一二三四五六"), "8");
    EXPECT_EQ(bytes().substr(45, 15), gbk::fromUnicodeLossy(u"一二三四五") + "    8");
    // A letter first: 4½ characters would split one, so four and a space.
    file().save_record(4, QStringLiteral("a一二三四五"), "9");
    EXPECT_EQ(bytes().substr(60, 15), "a" + gbk::fromUnicodeLossy(u"一二三四") + " " + "    9");
    int invalid = 0;
    gbk::toUnicode(bytes(), &invalid);
    EXPECT_EQ(invalid, 0) << "no broken character in the file";
    EXPECT_EQ(bytes().size(), 180u);
}

TEST_F(RecordFile, AMissingFileIsMadeWholeAtTheFirstRecord) {
    ASSERT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(judge(5, "0"));
    EXPECT_EQ(bytes(), "<missing>") << "judging writes nothing";
    file().save_record(5, QStringLiteral("李"), "40");
    std::string expected = blank();
    expected.replace(75, 15, gbk::fromUnicodeLossy(u"李") + std::string(8, ' ') + "   40");
    EXPECT_EQ(bytes(), expected);
    // "重新记名" on a missing file makes a whole one.
    QFile::remove(path());
    file().clear();
    EXPECT_EQ(bytes(), blank());
}

TEST_F(RecordFile, ClearingBlanksEveryByteAndKeepsTheLength) {
    put(blank(165) + "Li        99999" + "tail");
    file().clear();
    EXPECT_EQ(bytes(), blank(184));
    // After clearing, any score with a digit is a record.
    EXPECT_TRUE(judge(9, "0"));
    // Only the first 180 bytes are shown; later bytes are kept by a save.
    put(blank(180) + "tail");
    file().save_record(0, "A", "1");
    EXPECT_EQ(bytes().substr(180), "tail");
}

// A damaged file is kept beside as "phb.txt.damaged", told once, and a fresh
// one takes the record that found it; "重新记名" does the same.
TEST_F(RecordFile, ADamagedFileIsSetAsideAndAFreshOneStarted) {
    std::string badScore = blank();
    badScore.replace(40, 5, "  8x5");
    std::string cutName = blank();
    cutName[54] = '\xD6'; // the first byte of a character, the name's last byte
    struct Row {
        const char* name;
        std::string bytes;
        const char* why;
    };
    const Row rows[] = {
        {"empty", "", "只有 0 字节，不完整，应为 180 字节"},
        {"short", blank(100), "只有 100 字节，不完整，应为 180 字节"},
        {"too large", blank(RecordHoldersFile::kMaxFileBytes + 1),
         "文件太大（65537 字节，最多 65536 字节）"},
        {"a score with a letter", badScore, "第 3 条纪录的成绩不是数字"},
        {"a name cut inside a character", cutName, "第 4 条纪录的姓名不是汉字编码（GBK）"},
    };
    const QString aside = path() + ".damaged";
    for (const bool clearing : {false, true}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.name) + (clearing ? ", 重新记名" : ", a record"));
            put(r.bytes);
            if (clearing) {
                file().clear();
            } else {
                const auto j = file().judge_record(2, "50");
                EXPECT_TRUE(j.record) << "the record that found it still counts";
                EXPECT_EQ(
                    j.notice.toStdString(),
                    QStringLiteral("纪录文件 %1 已损坏（%2），已改名保存为 %3，纪录重新开始。")
                        .arg(path(), QString::fromUtf8(r.why), aside)
                        .toStdString());
                EXPECT_TRUE(judge(2, "50")) << "told once";
                file().save_record(2, "A", "50");
            }
            QFile copy(aside);
            ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
            EXPECT_EQ(copy.readAll().toStdString(), r.bytes) << "kept byte for byte";
            QFile::remove(aside);
            std::string expected = blank();
            if (!clearing)
                expected.replace(30, 15, "A            50");
            EXPECT_EQ(bytes(), expected);
        }
    }

    // A folder in its place is named and left.
    QFile::remove(path());
    ASSERT_TRUE(QDir(dir.path()).mkdir("phb.txt"));
    const auto j = file().judge_record(0, "1");
    EXPECT_FALSE(j.record);
    EXPECT_TRUE(j.notice.contains(path() + QStringLiteral("：这是一个文件夹")))
        << j.notice.toStdString();
    EXPECT_THROW(file().save_record(0, "A", "1"), UserError);
    EXPECT_THROW(file().clear(), UserError);
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(RecordFile, AWriteProtectedFileSetsNoRecordAndLosesNothing) {
    withScore(1, "20");
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner));
    if (QFileInfo(path()).isWritable())
        GTEST_SKIP() << "running as a user who writes anything";
    const auto j = file().judge_record(1, "21");
    EXPECT_FALSE(j.record);
    EXPECT_TRUE(j.notice.contains(path()));
    EXPECT_TRUE(j.notice.contains(QStringLiteral("只读")));
    EXPECT_FALSE(file().judge_record(1, "19").record);
    EXPECT_TRUE(file().judge_record(1, "19").notice.isEmpty()) << "no record: nothing to say";
    EXPECT_THROW(file().save_record(1, "B", "21"), UserError);
    EXPECT_EQ(bytes().substr(25, 5), "   20");
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// In a folder that takes no new file, a writable record file is written in
// place; a damaged one that cannot be set aside is named and kept as it was.
TEST_F(RecordFile, AFolderThatTakesNoNewFile) {
    const QByteArray folder = QFile::encodeName(dir.path());
    auto asLearner = [&](const std::string& before, const std::function<QString()>& body) {
        put(before);
        ::chmod(QFile::encodeName(path()).constData(), 0666);
        ::chmod(folder.constData(), 0555);
        const QString message = inChildProcess(body);
        ::chmod(folder.constData(), 0755);
        return message;
    };
    auto save = [&] { return userErrorMessage([&] { file().save_record(1, "B", "21"); }); };
    EXPECT_EQ(asLearner(blank(), save), QString());
    std::string expected = blank();
    expected.replace(15, 15, "B            21");
    EXPECT_EQ(bytes(), expected);

    const QString judged =
        asLearner(blank(20), [&] { return file().judge_record(1, "21").notice; });
    EXPECT_TRUE(judged.contains(path() + QStringLiteral(" 已损坏"))) << judged.toStdString();
    EXPECT_TRUE(judged.contains(QStringLiteral("无法改名保存"))) << judged.toStdString();
    EXPECT_TRUE(asLearner(blank(20), save).contains(QStringLiteral("纪录没有保存")));
    EXPECT_EQ(bytes(), blank(20));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"phb.txt"});
}

} // namespace
