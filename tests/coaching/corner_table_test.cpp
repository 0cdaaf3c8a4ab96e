// The corner table the explanations name strokes from.
#include "coaching/corner_table.h"

#include "tests/test_paths.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using coaching::CornerTable;

TEST(CornerTable, TakesWellFormedRowsAndSkipsTheOthers) {
    struct Row {
        const char* line;
        bool taken;
    };
    const Row rows[] = {
        {"啊\t61000\t0 5 - 9 -\t方 横 空角 左钩 空角\r", true}, // CR LF line ends
        {"\xEF\xBB\xBF们\t0720\t0 4 1 4\t撇 角 竖 左钩", true},
        {"大\t40030\t1 1 1 2 -\t叉 已用 已用 捺 空角", true},
        {"他\t04210\t0 3 1 4 2\t撇 叉 竖 横 左钩", true},
        {"𠀀\t61000\t0 5 - 9 -\t方 横 空角 左钩 空角", true}, // beyond the basic plane
        {"啊\t61000\t0 5 - 9 -", false},
        {"啊\t61000\t0 5 - 9 -\t方 横 空角 左钩 空角\t", false},
        {"啊啊\t61000\t0 5 - 9 -\t方 横 空角 左钩 空角", false},
        {"啊\t610\t0 5 -\t方 横 空角", false},
        {"啊\t6100a\t0 5 - 9 -\t方 横 空角 左钩 空角", false},
        {"啊\t61000\t0 5 - 9\t方 横 空角 左钩", false},     // a name for every digit
        {"们\t0720\t0 4 1 4 -\t撇 角 竖 左钩 空角", false}, // and no more
        {"啊\t61000\t0 5 -1 9 -\t方 横 空角 左钩 空角", false},
        {"啊\t61000\t0 5 x 9 -\t方 横 空角 左钩 空角", false},
        {"啊\t61000\t0 5 - 9 -\t方 横 空角 竖 空角", false}, // 竖 is not a 0
        {"他\t04212\t0 3 1 4 2\t撇 叉 竖 横 左钩", false},   // 左钩 is not a 2
    };
    for (const Row& r : rows)
        EXPECT_EQ(CornerTable::fromText(QString::fromUtf8(r.line)).size(), r.taken ? 1 : 0)
            << r.line;

    const CornerTable t = CornerTable::fromText(QStringLiteral(
        "啊\t61000\t0 5 - 9 -\t方 横 空角 左钩 空角\n啊\t71000\t0 5 - 9 -\t角 横 空角 左钩 空角\n"
        "们\t0720\t0 4 1 4\t撇 角 竖 左钩\n"));
    const coaching::CornerEntry* a = t.find(QStringLiteral("啊"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->code, QStringLiteral("61000")); // the first row of a character counts
    EXPECT_EQ(a->strokes, (std::array<int, 5>{0, 5, -1, 9, -1}));
    EXPECT_EQ(a->names[3], QStringLiteral("左钩"));
    EXPECT_EQ(a->names[4], QStringLiteral("空角"));
    const coaching::CornerEntry* men = t.find(QStringLiteral("们"));
    ASSERT_NE(men, nullptr);
    EXPECT_EQ(men->strokes[4], -1) << "a four-digit code has no fifth stroke";
    EXPECT_TRUE(men->names[4].isEmpty());
    EXPECT_EQ(t.characters(), (QStringList{QStringLiteral("啊"), QStringLiteral("们")}));
    EXPECT_EQ(t.find(QStringLiteral("中")), nullptr);
}

TEST(CornerTable, FileMissingOrNotAFileIsEmptyAndTheShippedCopyIsWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString problem;
    const QString none = dir.filePath(QStringLiteral("none.txt"));
    EXPECT_TRUE(CornerTable::fromFile(none, &problem).isEmpty());
    EXPECT_TRUE(problem.contains(none + QStringLiteral(" 没有找到"))) << problem.toStdString();
    EXPECT_TRUE(CornerTable::fromFile(dir.path(), &problem).isEmpty());
    EXPECT_TRUE(problem.contains(QStringLiteral("读不出来"))) << problem.toStdString();
    // A damaged line is left out and the first one named; the others count.
    QFile damaged(dir.filePath(QStringLiteral("corners.txt")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("们\t0720\t0 4 1 4\t撇 角 竖 左钩\n"
                  "的\t17600\t0 4 1 4 2\t撇 角 竖 左钩 空角\n"
                  "啊\t61000\t0 5 - 9 -\t方 横 空角 左钩 空角\n\n");
    damaged.close();
    EXPECT_EQ(CornerTable::fromFile(damaged.fileName(), &problem).size(), 2);
    EXPECT_TRUE(problem.contains(QStringLiteral("第 2 行坏了"))) << problem.toStdString();
    // Shared: read once, with its problem, and again once the file changes.
    problem.clear();
    const auto shared = CornerTable::shared(damaged.fileName(), &problem);
    EXPECT_EQ(shared->size(), 2);
    EXPECT_EQ(CornerTable::shared(damaged.fileName()), shared);
    EXPECT_TRUE(problem.contains(QStringLiteral("第 2 行坏了"))) << problem.toStdString();
    ASSERT_TRUE(damaged.open(QIODevice::Append));
    damaged.write("国\t60103\t0 - 0 - 5\t方 空角 横 空角 点\n");
    damaged.flush();
    // A later time, as a newer table installed has (a write within the same
    // clock tick would keep the old one).
    ASSERT_TRUE(damaged.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                    QFileDevice::FileModificationTime));
    damaged.close();
    EXPECT_EQ(CornerTable::shared(damaged.fileName(), &problem)->size(), 3);

    // Every row of the table the dictionary is made from reaches the program.
    QFile source(QStringLiteral(TARVO_SOURCE_DIR "/data/dictsrc/corners.txt"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const qsizetype rows = source.readAll().count('\n');
    EXPECT_GT(rows, 6000);
    EXPECT_EQ(
        CornerTable::fromFile(QStringLiteral(TARVO_PROGRAM_DIR "/") + coaching::kCornerTableFile)
            .size(),
        rows);
}

} // namespace
