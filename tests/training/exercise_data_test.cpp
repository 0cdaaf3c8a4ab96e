// The exercise files the build makes: their record layout, that every code
// they teach is one under which the dictionary lists the item, and that the
// codes follow the rhyme (the hand-checked characters, the diagrams' names).
#include "dictionary/two.h"
#include "platform/gbk_codec.h"
#include "tests/test_paths.h"
#include "training/exercise_kind.h"
#include "training/exercise_source.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace training;

namespace {

struct FileRow {
    const char* name;
    ExerciseKind kind;
    int minRecords;
    int charsMin, charsMax; // characters of each text
};

using K = ExerciseKind;
const FileRow kFiles[] = {
    {"z1.txt", K::FullCodeCharacters, 3500, 1, 1}, {"z2.txt", K::HarderCharacters, 3000, 1, 1},
    {"z3.txt", K::OneKeyCharacters, 5, 1, 1},      {"z4.txt", K::TwoKeyCharacters, 50, 1, 1},
    {"c2.txt", K::TwoCharacterWords, 2000, 2, 2},  {"c3.txt", K::ThreeCharacterWords, 1000, 3, 3},
    {"c4.txt", K::FourCharacterWords, 1000, 4, 4}, {"c1.txt", K::OneKeyWords, 5, 2, 2},
    {"c5.txt", K::LongWords, 300, 5, 8},
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

// One line of the corner table: a character's main code, the stroke that
// makes each digit and the name of its shape.
struct CornerRow {
    QString code;
    QStringList strokes, names;
};

std::map<QString, CornerRow> readCornerTable() {
    std::map<QString, CornerRow> rows;
    QFile f(QStringLiteral(TARVO_SOURCE_DIR "/data/dictsrc/corners.txt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList cols = line.split(u'\t');
        if (cols.size() == 4)
            rows[cols[0]] = {cols[1], cols[2].split(u' '), cols[3].split(u' ')};
    }
    return rows;
}

// Every character of GB2312 has a code and is taught by the code the rhyme
// gives it, all five digits: the characters checked by eye have exactly that
// code, the exercise files teach each character its main code, and the
// diagrams name every digit by the rhyme (a 2 only 竖; a 0 撇, 左钩, or one of
// the 0s the rhyme leaves unnamed; a 0 made from a 2 of the source only 撇 or
// 左钩), each 竖, 撇 and 左钩 with the stroke that makes it.
TEST(TeachingData, EveryCharacterCarriesItsRhymeCode) {
    const std::map<QString, CornerRow> table = readCornerTable();
    int gb2312 = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail > 0xF9)
                continue; // the five empty places at the end of row 55
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString ch = gbk::toUnicode(std::string_view(bytes, 2));
            ++gb2312;
            EXPECT_TRUE(table.count(ch)) << ch.toStdString() << " has no code";
        }
    EXPECT_EQ(gb2312, 6763);
    EXPECT_EQ(table.size(), 6763u);

    const QString digitNames = QStringLiteral("撇横竖点叉插方角八小");
    const QStringList zeros = {QStringLiteral("撇"), QStringLiteral("左钩"), QStringLiteral("亠"),
                               QStringLiteral("已用"), QStringLiteral("空角")};
    const QStringList ownStroke = {QStringLiteral("撇"), QStringLiteral("左钩"),
                                   QStringLiteral("竖")};
    for (const auto& [ch, row] : table) {
        SCOPED_TRACE(ch.toStdString() + " " + row.code.toStdString());
        ASSERT_EQ(row.names.size(), row.code.size());
        ASSERT_EQ(row.strokes.size(), row.code.size());
        for (int q = 0; q < row.code.size(); ++q) {
            const int d = row.code[q].digitValue();
            if (d == 0) {
                EXPECT_TRUE(zeros.contains(row.names[q])) << q;
            } else {
                EXPECT_EQ(row.names[q], QString(digitNames[d])) << q;
            }
            if (ownStroke.contains(row.names[q])) {
                EXPECT_NE(row.strokes[q], QStringLiteral("-")) << q << " names a stroke it lacks";
            }
        }
    }

    QFile f(QStringLiteral(TARVO_SOURCE_DIR "/tests/data/rhyme_checked.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    int checked = 0, fifth = 0, unsourced = 0;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        const QStringList cols = line.split(u'\t');
        ASSERT_EQ(cols.size(), 4) << line.toStdString();
        SCOPED_TRACE(line.toStdString());
        const auto it = table.find(cols[0]);
        ASSERT_NE(it, table.end());
        EXPECT_EQ(it->second.code.toStdString(), cols[2].toStdString());
        unsourced += cols[1] == u"-";
        fifth += cols[1].size() == 5 && cols[1][4] == u'2';
        for (int q = 0; q < cols[1].size() && q < cols[2].size(); ++q) {
            if (cols[1][q] == u'2' && cols[2][q] == u'0') {
                EXPECT_TRUE(it->second.names[q] == QStringLiteral("撇") ||
                            it->second.names[q] == QStringLiteral("左钩"))
                    << q;
            }
        }
        ++checked;
    }
    EXPECT_GE(checked, 600);
    EXPECT_GE(fifth, 150) << "characters checked at a fifth digit 2 of the source";
    EXPECT_EQ(unsourced, 23) << "the characters without a source code";

    for (const char* name : {"z1.txt", "z2.txt"}) {
        const ExerciseFile file(QStringLiteral(TARVO_PROGRAM_DIR "/hzlib/") + name, 10, 2, false);
        ASSERT_GT(file.recordCount(), 0) << name;
        for (int r = 0; r < file.recordCount(); ++r) {
            const ItemRecord rec = file.LoadItemRecord(r * 10);
            const QString ch = gbk::toUnicode(rec.text);
            const auto it = table.find(ch);
            ASSERT_NE(it, table.end()) << name << " " << ch.toStdString();
            EXPECT_EQ(rec.code, it->second.code.toStdString()) << ch.toStdString();
        }
    }
}

} // namespace
