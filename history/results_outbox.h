#pragma once

#include "classresults/class_membership.h"
#include "classresults/results_poster.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

class HistoryStore;

// Sends the results waiting in the history to the learner's class, oldest
// first and one at a time, through a poster on a thread of its own. A result
// that cannot go now stays first in the queue and is tried again later
// (after 30 s, doubling up to 15 minutes); one the service refuses for good
// is put aside with the reason. Nothing waits on the network, and no result
// is lost or sent twice.
class ResultsOutbox : public QObject {
public:
    using Store = std::function<HistoryStore*()>;
    // The learner's class; throws UserError when its file cannot be read.
    using Membership = std::function<std::optional<ClassMembership>()>;

    ResultsOutbox(Store store, Membership membership, QObject* parent = nullptr);

    // Starts sending what waits, unless a posting is under way or a try
    // again is set.
    void sendWaiting();
    // The same, without waiting for a try again that is set.
    void sendNow();
    // One line for "学习记录" on the results and the class.
    QString stateLine();
    // The line before the learner has joined a class.
    static QString notJoinedLine();
    bool posting() const { return posting_; }
    void setFirstRetry(std::chrono::milliseconds delay) { firstRetry_ = delay; }

private:
    void posted(const QString& key, PostOutcome outcome, const QString& why);
    void tryAgainLater(const QString& why);

    Store store_;
    Membership membership_;
    ResultsPoster poster_;
    QTimer retry_;
    std::chrono::milliseconds firstRetry_{30000};
    std::chrono::milliseconds delay_{0};
    bool posting_ = false;
    QString problem_;      // why the last posting did not go; "" once one went
    QString refusedToken_; // the key the service no longer takes as the class's
};
