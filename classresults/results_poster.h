#pragma once

#include "classresults/class_result.h"

#include <QObject>
#include <QThread>
#include <QUrl>

// Talks to the class results service on a thread of its own, so that no
// window ever waits on the network: posts results and joins classes, one
// request at a time each, and tells each outcome by a signal, delivered on
// the thread that made the poster. A request with no answer within
// kTimeoutMs is given up as "try later".
class ResultsPoster : public QObject {
    Q_OBJECT
public:
    explicit ResultsPoster(QObject* parent = nullptr);
    ~ResultsPoster() override;

    // Posts `result` as the learner whose key is `token`: `posted` follows.
    void post(const QUrl& server, const QString& token, const ClassResult& result);
    // Asks to join the class `code` as `name`: `joined` follows.
    void join(const QUrl& server, const QString& code, const QString& name);

    static constexpr int kTimeoutMs = 15000;

signals:
    // `why`: the service's reason, or what went wrong on the way (Chinese).
    void posted(const QString& key, PostOutcome outcome, const QString& why);
    // On success `token` and `className` are the service's; else `why` says.
    void joined(bool ok, const QString& token, const QString& className, const QString& why);

private:
    QThread thread_;
    QObject* worker_ = nullptr; // lives on thread_; owns the network access
};
