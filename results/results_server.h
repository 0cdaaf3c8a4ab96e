#pragma once

#include "results/rate_limit.h"
#include "results/results_store.h"

#include <QDateTime>
#include <QHostAddress>
#include <QHttpServer>

#include <functional>

// The class results service over HTTP:
//   POST /api/v1/join          {"code", "name"} → {"token", "class"}
//   POST /api/v1/results       Bearer learner token; {"key", "lxid", "speed",
//                              "accuracy", "practised"} → 201 stored, 200 already there
//   GET  /api/v1/classes/CODE  Bearer token of the class (learner or teacher), ?lxid= → table
//   GET  /api/v1/classes/CODE/learners            the teacher's: the learners with their ids
//   POST /api/v1/classes/CODE/learners/ID/rename  the teacher's: {"name"}
//   POST /api/v1/classes/CODE/learners/ID/remove  the teacher's
//   POST /api/v1/classes/CODE/close               the teacher's
//   GET  /class/CODE?lxid=N    the class page (HTML)
//   GET  /class/CODE/teacher?token=T   the teacher's page (HTML forms that
//   POST /class/CODE/teacher/rename|remove|close   rename, remove, close)
//   GET  /tvm.asp?lxid=N&class=CODE  the same page at the tutor's old address
// Every refusal is JSON {"error": "…"} in Chinese with its status; a
// database that is away answers 503 and the tutor sends again later.
// Tokens are never logged.
namespace results {

class ResultsServer {
public:
    ResultsServer(ResultsStore& store, std::function<QDateTime()> now = {});
    // Listens on `address`; the port it got (0: none).
    quint16 listen(const QHostAddress& address, quint16 port);

private:
    void addRoutes();
    void addTeacherRoutes();
    void addTeacherPageRoutes();
    // The learner a bearer token names (none for an empty one).
    std::optional<Learner> learnerOf(const QString& token) const;
    ResultsStore& store_;
    std::function<QDateTime()> now_;
    QHttpServer http_;
    RateLimit posts_{5, 120};
    RateLimit joins_{10, 300};
};

} // namespace results
