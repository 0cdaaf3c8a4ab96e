// The exercise files the build makes: their record layout, and that every
// code they teach is one under which the dictionary lists the item.
#include "articletest/two.h"
#include "platform/gbk_codec.h"
#include "test_paths.h"
#include "training/exercise_kind.h"
#include "training/exercise_source.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace training;

namespace {

struct FileRow {
    const char* name;
    int kind;
    int minRecords;
    int charsMin, charsMax; // characters of each text
};

const FileRow kFiles[] = {
    {"z1.txt", 3, 3500, 1, 1}, {"z2.txt", 4, 3000, 1, 1}, {"z3.txt", 5, 5, 1, 1},
    {"z4.txt", 6, 50, 1, 1},   {"c2.txt", 7, 2000, 2, 2}, {"c3.txt", 8, 1000, 3, 3},
    {"c4.txt", 9, 1000, 4, 4}, {"c1.txt", 10, 5, 2, 2},   {"c5.txt", 11, 300, 5, 8},
};

void PrintTo(const FileRow& row, std::ostream* os) {
    *os << row.name;
}

class ExerciseData : public ::testing::TestWithParam<FileRow> {
protected:
    static Ttwo& two() {
        static Ttwo instance(TARVO_PROGRAM_DIR "/hzlib");
        return instance;
    }
};

TEST_P(ExerciseData, EveryRecordIsTaughtUnderACodeTheDictionaryAccepts) {
    const FileRow row = GetParam();
    const KindInfo& info = kind(row.kind);
    const QString path = QStringLiteral(TARVO_PROGRAM_DIR "/hzlib/") + row.name;
    ASSERT_EQ(QString::fromLatin1(info.source), QStringLiteral("hzlib/") + row.name);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    const std::string bytes = f.readAll().toStdString();
    ASSERT_EQ(bytes.size() % static_cast<size_t>(info.recordLength), 0u);
    const ExerciseFile file(path, info.recordLength, info.textBytes, info.textTrimmed);
    ASSERT_GE(file.recordCount(), row.minRecords);

    const Ttwo::Scope scope =
        isCharacterKind(row.kind) ? Ttwo::Scope::Characters : Ttwo::Scope::Words;
    std::set<std::string> texts;
    for (int r = 0; r < file.recordCount(); ++r) {
        const size_t at = static_cast<size_t>(r) * static_cast<size_t>(info.recordLength);
        ASSERT_EQ(bytes.substr(at + static_cast<size_t>(info.recordLength) - 2, 2), "\r\n")
            << row.name << " record " << r;
        const ItemRecord rec = file.LoadItemRecord(static_cast<qint64>(at));
        SCOPED_TRACE(std::string(row.name) + " " + rec.code);
        ASSERT_FALSE(rec.code.empty());
        ASSERT_TRUE(std::all_of(rec.code.begin(), rec.code.end(),
                                [](char c) { return c >= '0' && c <= '9'; }));
        int invalid = 0;
        const QString text = gbk::toUnicode(rec.text, &invalid);
        ASSERT_EQ(invalid, 0);
        ASSERT_GE(text.size(), row.charsMin);
        ASSERT_LE(text.size(), row.charsMax);
        ASSERT_TRUE(texts.insert(rec.text).second) << "taught twice";
        two().LookupCode(scope, rec.code);
        const auto& c = two().Candidates();
        ASSERT_NE(std::find(c.begin(), c.end(), rec.text), c.end())
            << text.toStdString() << " is not listed under " << rec.code;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ExerciseData, ::testing::ValuesIn(kFiles), [](const auto& info) {
    std::string n = info.param.name;
    return n.substr(0, 2);
});

TEST(ExerciseDataSets, CommonAndHarderCharactersDoNotOverlap) {
    std::set<std::string> seen;
    for (const char* name : {"z1.txt", "z2.txt"}) {
        const ExerciseFile file(QStringLiteral(TARVO_PROGRAM_DIR "/hzlib/") + name, 10, 2, false);
        for (int r = 0; r < file.recordCount(); ++r)
            EXPECT_TRUE(seen.insert(file.LoadItemRecord(r * 10).text).second) << name << r;
    }
    EXPECT_GT(seen.size(), 6700u);
}

} // namespace
