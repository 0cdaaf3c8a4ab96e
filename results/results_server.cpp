#include "results/results_server.h"

#include "results/class_page.h"
#include "results/posted_input.h"

#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonObject>
#include <QUrlQuery>

namespace results {

namespace {

using Status = QHttpServerResponse::StatusCode;

QHttpServerResponse refused(const QString& message, Status status) {
    return QHttpServerResponse(QJsonObject{{QStringLiteral("error"), message}}, status);
}

QString bearerOf(const QHttpServerRequest& request) {
    const QByteArray value = request.value("Authorization");
    return value.startsWith("Bearer ") ? QString::fromLatin1(value.mid(7).trimmed()) : QString();
}

QHttpServerResponse html(const QString& text, Status status = Status::Ok) {
    return QHttpServerResponse("text/html; charset=utf-8", text.toUtf8(), status);
}

// The kind a page asks for with lxid (the article test when none).
std::optional<Kind> askedKind(const QHttpServerRequest& request) {
    const QString lxid = request.query().queryItemValue(QStringLiteral("lxid"));
    if (lxid.isEmpty())
        return Kind::ArticleTest;
    bool ok = false;
    const int n = lxid.toInt(&ok);
    return ok ? kindOf(n) : std::nullopt;
}

// Runs a handler; a database away answers 503.
template <typename Handler> QHttpServerResponse guarded(Handler handler) {
    try {
        return handler();
    } catch (const ResultsError&) {
        return refused(QStringLiteral("成绩数据库暂时不可用，请稍后再试"),
                       Status::ServiceUnavailable);
    }
}

} // namespace

ResultsServer::ResultsServer(ResultsStore& store, std::function<QDateTime()> now)
    : store_(store), now_(now ? std::move(now) : [] { return QDateTime::currentDateTimeUtc(); }) {
    addRoutes();
}

quint16 ResultsServer::listen(const QHostAddress& address, quint16 port) {
    return http_.listen(address, port);
}

std::optional<Learner> ResultsServer::learnerOf(const QString& token) const {
    return token.isEmpty() ? std::nullopt : store_.learnerOf(token);
}

void ResultsServer::addTeacherRoutes() {
    // Only with the class's teacher token; a wrong one learns nothing of the
    // class (the same answer as for no class).
    auto teacher = [this](const QString& code, const QHttpServerRequest& request) {
        const QString token = bearerOf(request);
        return !token.isEmpty() && store_.teaches(token, code);
    };
    auto notTeacher = [] {
        return refused(QStringLiteral("没有这个班级，或没有管理它的权限"), Status::NotFound);
    };
    http_.route(QStringLiteral("/api/v1/classes/<arg>/learners"), QHttpServerRequest::Method::Get,
                [=, this](const QString& code, const QHttpServerRequest& request) {
                    return guarded([&] {
                        if (!teacher(code, request))
                            return notTeacher();
                        QJsonArray list;
                        for (const Learner& l : store_.learners(code))
                            list.append(QJsonObject{{QStringLiteral("id"), l.id},
                                                    {QStringLiteral("name"), l.name}});
                        return QHttpServerResponse(QJsonObject{{QStringLiteral("learners"), list}});
                    });
                });
    http_.route(QStringLiteral("/api/v1/classes/<arg>/learners/<arg>/rename"),
                QHttpServerRequest::Method::Post,
                [=, this](const QString& code, qint64 id, const QHttpServerRequest& request) {
                    return guarded([&] {
                        if (!teacher(code, request))
                            return notTeacher();
                        const auto name = readName(request.body());
                        if (const auto* r = std::get_if<Refusal>(&name))
                            return refused(r->message, Status::BadRequest);
                        if (!store_.renameLearner(code, id, std::get<QString>(name)))
                            return refused(QStringLiteral("班级里没有这个学员"), Status::NotFound);
                        return QHttpServerResponse(QJsonObject{{QStringLiteral("renamed"), true}});
                    });
                });
    http_.route(QStringLiteral("/api/v1/classes/<arg>/learners/<arg>/remove"),
                QHttpServerRequest::Method::Post,
                [=, this](const QString& code, qint64 id, const QHttpServerRequest& request) {
                    return guarded([&] {
                        if (!teacher(code, request))
                            return notTeacher();
                        if (!store_.removeLearner(code, id))
                            return refused(QStringLiteral("班级里没有这个学员"), Status::NotFound);
                        return QHttpServerResponse(QJsonObject{{QStringLiteral("removed"), true}});
                    });
                });
    http_.route(QStringLiteral("/api/v1/classes/<arg>/close"), QHttpServerRequest::Method::Post,
                [=, this](const QString& code, const QHttpServerRequest& request) {
                    return guarded([&] {
                        if (!teacher(code, request))
                            return notTeacher();
                        store_.closeClass(code);
                        return QHttpServerResponse(QJsonObject{{QStringLiteral("closed"), true}});
                    });
                });
}

void ResultsServer::addTeacherPageRoutes() {
    // The page answers only the class's teacher token; any other learns
    // nothing of the class.
    auto pageFor = [this](const QString& code, const QString& token, const QString& message,
                          Status status) {
        if (token.isEmpty() || !store_.teaches(token, code))
            return html(noClassPage(), Status::NotFound);
        return html(teacherPage(code, store_.className(code).value_or(QString()),
                                store_.learners(code), token, message),
                    status);
    };
    http_.route(QStringLiteral("/class/<arg>/teacher"), QHttpServerRequest::Method::Get,
                [=](const QString& code, const QHttpServerRequest& request) {
                    return guarded([&] {
                        return pageFor(code.toUpper(),
                                       request.query().queryItemValue(QStringLiteral("token")), {},
                                       Status::Ok);
                    });
                });
    // The page's forms: rename, remove, close; the page again with what was done.
    http_.route(
        QStringLiteral("/class/<arg>/teacher/<arg>"), QHttpServerRequest::Method::Post,
        [=, this](const QString& given, const QString& action, const QHttpServerRequest& request) {
            return guarded([&] {
                const QString code = given.toUpper();
                if (request.body().size() > kMaxBody)
                    return html(noClassPage(), Status::PayloadTooLarge);
                // A form's fields; '+' stands for a space.
                const QUrlQuery form(QString::fromUtf8(request.body()).replace(u'+', u' '));
                auto field = [&](const char* name) {
                    return form.queryItemValue(QLatin1String(name), QUrl::FullyDecoded);
                };
                const QString token = field("token");
                if (token.isEmpty() || !store_.teaches(token, code))
                    return html(noClassPage(), Status::NotFound);
                bool idOk = false;
                const qint64 id = field("id").toLongLong(&idOk);
                if (action == QStringLiteral("rename") && idOk) {
                    const auto name = checkedName(field("name"));
                    if (const auto* r = std::get_if<Refusal>(&name))
                        return pageFor(code, token, r->message, Status::BadRequest);
                    return store_.renameLearner(code, id, std::get<QString>(name))
                               ? pageFor(code, token, QStringLiteral("已改名"), Status::Ok)
                               : pageFor(code, token, QStringLiteral("班级里没有这个学员"),
                                         Status::NotFound);
                }
                if (action == QStringLiteral("remove") && idOk)
                    return store_.removeLearner(code, id)
                               ? pageFor(code, token, QStringLiteral("已移出班级"), Status::Ok)
                               : pageFor(code, token, QStringLiteral("班级里没有这个学员"),
                                         Status::NotFound);
                if (action == QStringLiteral("close") && field("sure") == QStringLiteral("1")) {
                    store_.closeClass(code);
                    return pageFor(code, token, QStringLiteral("班级已关闭"), Status::Ok);
                }
                return pageFor(code, token, QStringLiteral("没有做任何改动"), Status::BadRequest);
            });
        });
}

void ResultsServer::addRoutes() {
    addTeacherRoutes();
    addTeacherPageRoutes();
    http_.route(
        QStringLiteral("/api/v1/join"), QHttpServerRequest::Method::Post,
        [this](const QHttpServerRequest& request) {
            return guarded([&] {
                auto read = readJoin(request.body());
                if (auto* r = std::get_if<Refusal>(&read))
                    return refused(r->message, Status::BadRequest);
                const JoinRequest& j = std::get<JoinRequest>(read);
                // Per address, not per code: a class of forty joins
                // at once, while guessing codes (32^8 of them) stays
                // hopeless at this pace.
                if (!joins_.allow(request.remoteAddress().toString(), now_().toMSecsSinceEpoch()))
                    return refused(QStringLiteral("请求太频繁，请稍后再试"),
                                   Status::TooManyRequests);
                const std::optional<QString> token = store_.join(j.code, j.name);
                if (!token)
                    return refused(QStringLiteral("没有这个班级，或班级已关闭"), Status::NotFound);
                return QHttpServerResponse(
                    QJsonObject{{QStringLiteral("token"), *token},
                                {QStringLiteral("class"), *store_.className(j.code)}},
                    Status::Created);
            });
        });

    http_.route(QStringLiteral("/api/v1/results"), QHttpServerRequest::Method::Post,
                [this](const QHttpServerRequest& request) {
                    return guarded([&] {
                        const QString token = bearerOf(request);
                        const std::optional<Learner> learner = learnerOf(token);
                        if (!learner)
                            return refused(QStringLiteral("没有这个学员，或已被移出班级"),
                                           Status::Unauthorized);
                        const QDateTime now = now_();
                        if (!posts_.allow(ResultsStore::hashOf(token), now.toMSecsSinceEpoch()))
                            return refused(QStringLiteral("提交太频繁，请稍后再试"),
                                           Status::TooManyRequests);
                        auto read = readResult(request.body(), now);
                        if (auto* r = std::get_if<Refusal>(&read))
                            return refused(r->message, Status::BadRequest);
                        const bool stored = store_.addResult(*learner, std::get<Result>(read), now);
                        return QHttpServerResponse(QJsonObject{{QStringLiteral("stored"), stored}},
                                                   stored ? Status::Created : Status::Ok);
                    });
                });

    http_.route(
        QStringLiteral("/api/v1/classes/<arg>"), QHttpServerRequest::Method::Get,
        [this](const QString& code, const QHttpServerRequest& request) {
            return guarded([&] {
                const QString token = bearerOf(request);
                const std::optional<Learner> learner = learnerOf(token);
                const std::optional<QString> name = store_.className(code);
                const bool allowed =
                    name && !token.isEmpty() &&
                    (store_.teaches(token, code) || (learner && store_.inClass(*learner, code)));
                if (!allowed)
                    return refused(QStringLiteral("没有这个班级，或没有看它的权限"),
                                   Status::NotFound);
                const std::optional<Kind> kind = askedKind(request);
                if (!kind)
                    return refused(QStringLiteral("lxid 应为 2、3 或 4"), Status::BadRequest);
                QJsonArray rows;
                for (const Ranked& r : store_.ranking(code, *kind, now_()))
                    rows.append(QJsonObject{
                        {QStringLiteral("name"), r.name},
                        {QStringLiteral("best"), r.best},
                        {QStringLiteral("latest"), r.latest},
                        {QStringLiteral("accuracy"), r.accuracy},
                        {QStringLiteral("days_this_week"), r.daysThisWeek},
                        {QStringLiteral("last_seen"), r.lastSeen.toString(Qt::ISODate)}});
                return QHttpServerResponse(
                    QJsonObject{{QStringLiteral("class"), *name},
                                {QStringLiteral("lxid"), static_cast<int>(*kind)},
                                {QStringLiteral("ranking"), rows}});
            });
        });

    auto classPageOf = [this](const QString& code, const QHttpServerRequest& request) {
        return guarded([&] {
            const std::optional<QString> name = store_.className(code.toUpper());
            if (!name)
                return html(noClassPage(), Status::NotFound);
            const std::optional<Kind> kind = askedKind(request);
            if (!kind)
                return refused(QStringLiteral("lxid 应为 2、3 或 4"), Status::BadRequest);
            const QDateTime now = now_();
            return html(classPage(code.toUpper(), *name, *kind,
                                  store_.ranking(code.toUpper(), *kind, now), now));
        });
    };
    http_.route(QStringLiteral("/class/<arg>"), QHttpServerRequest::Method::Get, classPageOf);
    http_.route(QStringLiteral("/tvm.asp"), QHttpServerRequest::Method::Get,
                [classPageOf](const QHttpServerRequest& request) {
                    const QString code = request.query().queryItemValue(QStringLiteral("class"));
                    return code.isEmpty() ? html(noClassPage()) : classPageOf(code, request);
                });
}

} // namespace results
