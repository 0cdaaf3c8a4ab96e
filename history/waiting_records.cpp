#include "history/waiting_records.h"

#include "history/history_store.h"
#include "platform/user_error.h"

QString WaitingRecords::write(HistoryStore* store, Write write, const QString& problem) {
    if (write)
        waiting_.push_back(std::move(write));
    QString failure = problem;
    while (store && !waiting_.empty()) {
        try {
            waiting_.front()(*store);
            waiting_.pop_front();
        } catch (const UserError& e) {
            failure = e.message();
            break;
        }
    }
    if (waiting_.empty()) {
        told_ = false;
        problem_.clear();
        return {};
    }
    if (failure.endsWith(u'。'))
        failure.chop(1);
    problem_ = failure;
    if (told_)
        return {};
    told_ = true;
    return failure +
           QStringLiteral("。这次的记录先留在内存里，下次练习结束或打开“学习记录”时再写入。");
}
