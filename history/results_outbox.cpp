#include "history/results_outbox.h"

#include "history/history_store.h"
#include "platform/user_error.h"

namespace {
constexpr std::chrono::milliseconds kLongestWait{15 * 60 * 1000};
}

ResultsOutbox::ResultsOutbox(Store store, Membership membership, QObject* parent)
    : QObject(parent), store_(std::move(store)), membership_(std::move(membership)) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &ResultsOutbox::sendWaiting);
    connect(&poster_, &ResultsPoster::posted, this, &ResultsOutbox::posted);
}

void ResultsOutbox::sendWaiting() {
    if (posting_ || retry_.isActive())
        return;
    try {
        const std::optional<ClassMembership> m = membership_();
        HistoryStore* store = store_();
        if (!m || !store || m->token == refusedToken_)
            return;
        const std::optional<ClassResult> next = store->nextResultToPost();
        if (!next) {
            delay_ = {};
            return;
        }
        posting_ = true;
        poster_.post(m->server, m->token, *next);
    } catch (const UserError& e) {
        tryAgainLater(e.message());
    }
}

void ResultsOutbox::sendNow() {
    retry_.stop();
    sendWaiting();
}

void ResultsOutbox::posted(const QString& key, PostOutcome outcome, const QString& why) {
    posting_ = false;
    try {
        if (HistoryStore* store = store_())
            store->resultPosted(key, outcome, why);
    } catch (const UserError& e) {
        return tryAgainLater(e.message());
    }
    switch (outcome) {
    case PostOutcome::Sent:
    case PostOutcome::Refused:
        problem_.clear();
        delay_ = {};
        sendWaiting();
        break;
    case PostOutcome::TryLater:
        tryAgainLater(why);
        break;
    case PostOutcome::NotAMember:
        // Until the learner joins again: the results wait for the new key.
        try {
            if (const auto m = membership_())
                refusedToken_ = m->token;
        } catch (const UserError&) {
        }
        problem_ = QStringLiteral("%1，请在《在线竞技》重新加入班级").arg(why);
        break;
    }
}

void ResultsOutbox::tryAgainLater(const QString& why) {
    problem_ = why;
    delay_ = delay_.count() == 0 ? firstRetry_ : std::min(delay_ * 2, kLongestWait);
    retry_.start(delay_);
}

QString ResultsOutbox::notJoinedLine() {
    return QStringLiteral("还没有加入班级：在《在线竞技》加入后，成绩会发给班级。");
}

QString ResultsOutbox::stateLine() {
    std::optional<ClassMembership> m;
    try {
        m = membership_();
    } catch (const UserError& e) {
        return e.message();
    }
    if (!m)
        return notJoinedLine();
    QString line = QStringLiteral("班级“%1”：").arg(m->className);
    try {
        HistoryStore* store = store_();
        const ResultsQueue::Account a = store ? store->resultsAccount() : ResultsQueue::Account{};
        line += QStringLiteral("已发送 %1 条成绩").arg(a.sent);
        if (a.waiting > 0)
            line += QStringLiteral("，%1 条等待发送").arg(a.waiting);
        if (a.refused > 0)
            line += QStringLiteral("，%1 条没有被接受（%2）").arg(a.refused).arg(a.lastRefusal);
    } catch (const UserError& e) {
        line += e.message();
    }
    if (!problem_.isEmpty())
        line += QStringLiteral("。上次没有发出：%1").arg(problem_);
    return line + u'。';
}
