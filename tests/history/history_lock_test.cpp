// The history locked by another program: a write fails within a fraction of a
// second and says so in Chinese; the records wait in memory, the learner is
// told once, and they are written in their order when the lock is gone.
#include "history/history_store.h"
#include "history/waiting_records.h"
#include "platform/user_error.h"
#include "tests/support/qt_printers.h"
#include "tests/support/sqlite_lock.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

WaitingRecords::Write run(int speed) {
    return [speed](HistoryStore& h) {
        TrainingRunRecord r;
        r.kind = 3;
        r.speed = speed;
        h.addTrainingRun(r, [] { return QDate(2026, 3, 2); });
    };
}

std::vector<int> speeds(const HistoryStore& h) {
    std::vector<int> out;
    for (const TrainingRunRecord& r : h.trainingRuns())
        out.push_back(r.speed);
    return out;
}

TEST(HistoryLock, AWriteFailsQuicklyInChinese) {
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    HistoryStore store(path);
    const LockHeldElsewhere lock(path);
    ASSERT_TRUE(lock.held());
    QElapsedTimer clock;
    clock.start();
    try {
        run(20)(store);
        FAIL() << "written past the lock";
    } catch (const UserError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("无法读写学习记录 %1：数据库正被另一个程序占用").arg(path));
    }
    EXPECT_LT(clock.elapsed(), 500) << "the window never waits long on a lock";
}

TEST(HistoryLock, RecordsWaitAndAreToldOnce) {
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    HistoryStore store(path);
    WaitingRecords waiting;
    const QString later =
        QStringLiteral("。这次的记录先留在内存里，下次练习结束或打开“学习记录”时再写入。");
    const QString locked =
        QStringLiteral("无法读写学习记录 %1：数据库正被另一个程序占用").arg(path) + later;
    struct Step {
        const char* name;
        bool lockHeld;
        bool opened;
        std::optional<int> newRun; // the speed of a new run, if any
        QString told;
        size_t waitingAfter;
    };
    const QString unopened = QStringLiteral("无法打开学习记录 %1：没有访问权限").arg(path);
    const Step steps[] = {
        {"locked: the first run waits, told", true, true, 10, locked, 1},
        {"still locked: the second waits, not told again", true, true, 20, {}, 2},
        {"the lock gone, nothing new: both written", false, true, {}, {}, 0},
        {"locked again: told again", true, true, 30, locked, 1},
        {"not opened: waits behind it", false, false, 40, {}, 2},
        {"opened again: all written", false, true, 50, {}, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        std::optional<LockHeldElsewhere> lock;
        if (s.lockHeld)
            lock.emplace(path);
        const QString told = waiting.write(s.opened ? &store : nullptr,
                                           s.newRun ? run(*s.newRun) : WaitingRecords::Write(),
                                           s.opened ? QString() : unopened);
        EXPECT_EQ(told, s.told);
        EXPECT_EQ(waiting.count(), s.waitingAfter);
    }
    EXPECT_EQ(speeds(store), (std::vector<int>{10, 20, 30, 40, 50})) << "in their order";

    // A history that cannot be opened is told by its own reason.
    WaitingRecords fresh;
    EXPECT_EQ(fresh.write(nullptr, run(1), unopened), unopened + later);
}

} // namespace
