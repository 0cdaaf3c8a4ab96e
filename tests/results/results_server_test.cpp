// The results server on loopback, as the tutor and a browser reach it:
// joining, posting (once per key), the class table and page; and bad input
// of every kind, each refused with a clear error while the server keeps
// serving.
#include "results/posted_input.h"
#include "results/results_server.h"
#include "results/results_store.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace results;

const QDateTime kNow(QDate(2026, 12, 8), QTime(20, 0), Qt::UTC);

struct Reply {
    int status = 0;
    QByteArray body;
    QString error() const {
        return QJsonDocument::fromJson(body).object().value(QStringLiteral("error")).toString();
    }
};

class Server : public ::testing::Test {
protected:
    Server() : store(QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("r.sqlite"))) {
        port = server.listen(QHostAddress::LocalHost, 0);
        made = store.createClass(QStringLiteral("一班"));
    }

    Reply send(const QByteArray& method, const QString& path, const QByteArray& body = {},
               const QString& token = {}) {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/json"));
        if (!token.isEmpty())
            request.setRawHeader("Authorization", "Bearer " + token.toLatin1());
        QNetworkReply* reply = network.sendCustomRequest(request, method, body);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        Reply r{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                reply->readAll()};
        reply->deleteLater();
        return r;
    }
    QString joined(const QString& name) {
        const Reply r = send("POST", QStringLiteral("/api/v1/join"),
                             QStringLiteral(R"({"code":"%1","name":"%2"})")
                                 .arg(made.joinCode.toLower(), name)
                                 .toUtf8());
        EXPECT_EQ(r.status, 201) << r.body.toStdString();
        return QJsonDocument::fromJson(r.body).object().value(QStringLiteral("token")).toString();
    }
    static QByteArray result(const QString& key, int speed) {
        return QStringLiteral(R"({"key":"%1","lxid":4,"speed":%2,"accuracy":97.5,)"
                              R"("practised":"2026-12-08T19:00:00Z"})")
            .arg(key)
            .arg(speed)
            .toUtf8();
    }

    QTemporaryDir dir;
    ResultsStore store;
    QDateTime now = kNow;
    ResultsServer server{store, [this] { return now; }};
    quint16 port = 0;
    NewClass made;
    QNetworkAccessManager network;
};

TEST_F(Server, ALearnerJoinsPostsOnceAndTheClassPageRanksThem) {
    ASSERT_NE(port, 0);
    const QString token = joined(QStringLiteral("小明"));
    ASSERT_FALSE(token.isEmpty());
    EXPECT_EQ(send("POST", QStringLiteral("/api/v1/results"),
                   result(QStringLiteral("result-1"), 42), token)
                  .status,
              201);
    // Sent again (the tutor's queue after a lost answer): stored once.
    const Reply again = send("POST", QStringLiteral("/api/v1/results"),
                             result(QStringLiteral("result-1"), 42), token);
    EXPECT_EQ(again.status, 200);
    EXPECT_EQ(QJsonDocument::fromJson(again.body).object().value(QStringLiteral("stored")), false);
    EXPECT_EQ(store.resultCount(), 1);

    const Reply table =
        send("GET", QStringLiteral("/api/v1/classes/%1?lxid=4").arg(made.joinCode), {}, token);
    ASSERT_EQ(table.status, 200) << table.body.toStdString();
    EXPECT_TRUE(table.body.contains("\"best\":42")) << table.body.toStdString();
    EXPECT_EQ(
        send("GET", QStringLiteral("/api/v1/classes/%1").arg(made.joinCode), {}, made.teacherToken)
            .status,
        200);

    const Reply page = send("GET", QStringLiteral("/class/%1?lxid=4").arg(made.joinCode));
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains("小明")) << page.body.toStdString();
    EXPECT_TRUE(page.body.contains("<svg")) << "the weeks' progress";
    EXPECT_FALSE(page.body.contains("<script")) << "plain HTML";
    const Reply old = send("GET", QStringLiteral("/tvm.asp?lxid=4&class=%1").arg(made.joinCode));
    EXPECT_EQ(old.body, page.body) << "the tutor's old address shows the same page";
    EXPECT_TRUE(send("GET", QStringLiteral("/tvm.asp?lxid=4")).body.contains("班级代码"))
        << "without a class: how to join one";
}

TEST_F(Server, BadInputIsRefusedClearlyAndNothingIsStored) {
    const QString token = joined(QStringLiteral("小红"));
    const QString other = store.createClass(QStringLiteral("二班")).joinCode;
    struct Row {
        const char* name;
        QByteArray method;
        QString path;
        QByteArray body;
        QString token;
        int status;
        const char* says;
    };
    const QByteArray huge(kMaxBody + 1, ' ');
    const Row rows[] = {
        {"malformed JSON", "POST", "/api/v1/results", "{\"key\":", token, 400, "JSON"},
        {"a list, not an object", "POST", "/api/v1/results", "[1,2]", token, 400, "JSON"},
        {"too long", "POST", "/api/v1/results", huge, token, 400, "太长"},
        {"no token", "POST", "/api/v1/results", result("result-9", 10), {}, 401, "学员"},
        {"a wrong token", "POST", "/api/v1/results", result("result-9", 10), "x" + token, 401,
         "学员"},
        {"SQL in the key", "POST", "/api/v1/results", result("a'; DROP TABLE results;--", 10),
         token, 400, "key"},
        {"speed out of range", "POST", "/api/v1/results", result("result-9", 100000), token, 400,
         "speed"},
        {"a fraction of a speed", "POST", "/api/v1/results",
         R"({"key":"result-9","lxid":4,"speed":1.5,"accuracy":1,"practised":"2026-12-08T19:00:00Z"})",
         token, 400, "speed"},
        {"an unknown kind", "POST", "/api/v1/results",
         R"({"key":"result-9","lxid":7,"speed":1,"accuracy":1,"practised":"2026-12-08T19:00:00Z"})",
         token, 400, "lxid"},
        {"practised in the future", "POST", "/api/v1/results",
         R"({"key":"result-9","lxid":4,"speed":1,"accuracy":1,"practised":"2027-06-08T19:00:00Z"})",
         token, 400, "practised"},
        {"accuracy above 100", "POST", "/api/v1/results",
         R"({"key":"result-9","lxid":4,"speed":1,"accuracy":101,"practised":"2026-12-08T19:00:00Z"})",
         token, 400, "accuracy"},
        {"join: no such class",
         "POST",
         "/api/v1/join",
         R"({"code":"ZZZZZZZZ","name":"a"})",
         {},
         404,
         "班级"},
        {"join: a name with markup",
         "POST",
         "/api/v1/join",
         QStringLiteral(R"({"code":"%1","name":"<b>x</b>"})").arg(made.joinCode).toUtf8(),
         {},
         400,
         "名字"},
        {"join: an empty name",
         "POST",
         "/api/v1/join",
         QStringLiteral(R"({"code":"%1","name":"  "})").arg(made.joinCode).toUtf8(),
         {},
         400,
         "名字"},
        {"another class's table", "GET", "/api/v1/classes/" + other, {}, token, 404, "权限"},
        {"a table without a token", "GET", "/api/v1/classes/" + made.joinCode, {}, {}, 404, "权限"},
    };
    for (const Row& r : rows) {
        now = now.addSecs(61); // each row in a minute of its own: no row is a flood
        const Reply reply = send(r.method, r.path, r.body, r.token);
        EXPECT_EQ(reply.status, r.status) << r.name << ": " << reply.body.toStdString();
        EXPECT_TRUE(reply.error().contains(QString::fromUtf8(r.says)))
            << r.name << ": " << reply.error().toStdString();
    }
    EXPECT_EQ(store.resultCount(), 0);
    EXPECT_EQ(send("GET", QStringLiteral("/class/NOSUCH22")).status, 404);
    // And it keeps serving.
    EXPECT_EQ(send("POST", QStringLiteral("/api/v1/results"),
                   result(QStringLiteral("result-ok"), 9), token)
                  .status,
              201);
}

// The teacher manages the class with the teacher's token; a learner's
// token, or none, manages nothing.
TEST_F(Server, OnlyTheTeacherRenamesRemovesAndClosesTheClass) {
    const QString ming = joined(QStringLiteral("小明"));
    joined(QStringLiteral("小红"));
    const QString base = QStringLiteral("/api/v1/classes/") + made.joinCode;
    for (const QString& wrong : {ming, QString(), QStringLiteral("x")}) {
        EXPECT_EQ(send("GET", base + QStringLiteral("/learners"), {}, wrong).status, 404);
        EXPECT_EQ(send("POST", base + QStringLiteral("/close"), {}, wrong).status, 404);
    }
    const Reply list = send("GET", base + QStringLiteral("/learners"), {}, made.teacherToken);
    ASSERT_EQ(list.status, 200);
    const QJsonArray learners =
        QJsonDocument::fromJson(list.body).object().value(QStringLiteral("learners")).toArray();
    ASSERT_EQ(learners.size(), 2);
    const qint64 id = learners[0].toObject().value(QStringLiteral("id")).toInteger();
    const QString one = base + QStringLiteral("/learners/%1").arg(id);
    EXPECT_EQ(send("POST", one + QStringLiteral("/rename"), R"({"name":"<i>"})", made.teacherToken)
                  .status,
              400);
    EXPECT_EQ(send("POST", one + QStringLiteral("/rename"), R"({"name":"王小明"})", ming).status,
              404);
    EXPECT_EQ(
        send("POST", one + QStringLiteral("/rename"), R"({"name":"王小明"})", made.teacherToken)
            .status,
        200);
    EXPECT_EQ(store.learners(made.joinCode)[0].name, QStringLiteral("王小明"));
    EXPECT_EQ(send("POST", one + QStringLiteral("/remove"), {}, made.teacherToken).status, 200);
    EXPECT_EQ(
        send("POST", QStringLiteral("/api/v1/results"), result(QStringLiteral("after-rm"), 9), ming)
            .status,
        401)
        << "a removed learner posts no more";
    EXPECT_EQ(send("POST", base + QStringLiteral("/learners/999999/remove"), {}, made.teacherToken)
                  .status,
              404);
    EXPECT_EQ(send("POST", base + QStringLiteral("/close"), {}, made.teacherToken).status, 200);
    EXPECT_EQ(send("POST", QStringLiteral("/api/v1/join"),
                   QStringLiteral(R"({"code":"%1","name":"迟到"})").arg(made.joinCode).toUtf8())
                  .status,
              404)
        << "a closed class takes nobody new";
}

// The teacher's page from the link with the teacher's token: plain forms
// rename, remove and close; any other token sees no class and changes nothing.
TEST_F(Server, TheTeachersPageManagesTheClassWithPlainForms) {
    const QString ming = joined(QStringLiteral("小明"));
    const QString page = QStringLiteral("/class/%1/teacher").arg(made.joinCode);
    const QString withToken = page + QStringLiteral("?token=") + made.teacherToken;
    const Reply shown = send("GET", withToken);
    ASSERT_EQ(shown.status, 200);
    EXPECT_TRUE(QString::fromUtf8(shown.body).contains(QStringLiteral(">小明<")));
    for (const QString& wrong : {ming, QString()}) {
        const Reply r = send("GET", page + QStringLiteral("?token=") + wrong);
        EXPECT_EQ(r.status, 404);
        EXPECT_FALSE(QString::fromUtf8(r.body).contains(QStringLiteral("小明")));
    }
    const qint64 id = store.learners(made.joinCode)[0].id;
    auto form = [&](const QString& action, const QString& token, const QString& fields) {
        return send("POST", page + u'/' + action,
                    (QStringLiteral("token=") + token + u'&' + fields).toUtf8());
    };
    const QString renamed = QStringLiteral("id=%1&name=%E7%8E%8B%E5%B0%8F%E6%98%8E").arg(id);
    EXPECT_EQ(form(QStringLiteral("rename"), ming, renamed).status, 404);
    EXPECT_EQ(store.learners(made.joinCode)[0].name, QStringLiteral("小明"));
    EXPECT_EQ(form(QStringLiteral("rename"), made.teacherToken,
                   QStringLiteral("id=%1&name=%3Cb%3E").arg(id))
                  .status,
              400);
    EXPECT_EQ(form(QStringLiteral("rename"), made.teacherToken, renamed).status, 200);
    EXPECT_EQ(store.learners(made.joinCode)[0].name, QStringLiteral("王小明"));
    EXPECT_EQ(
        form(QStringLiteral("remove"), made.teacherToken, QStringLiteral("id=%1").arg(id)).status,
        200);
    EXPECT_TRUE(store.learners(made.joinCode).empty());
    EXPECT_EQ(form(QStringLiteral("close"), made.teacherToken, {}).status, 400)
        << "closing asks to be sure";
    EXPECT_TRUE(store.join(made.joinCode, QStringLiteral("小红")));
    EXPECT_EQ(form(QStringLiteral("close"), made.teacherToken, QStringLiteral("sure=1")).status,
              200);
    EXPECT_FALSE(store.join(made.joinCode, QStringLiteral("迟到")));
}

// A flood from one token is cut off within the second and the minute; the
// others post on, and the flooder again once its second has passed.
TEST_F(Server, AFloodFromOneTokenIsLimitedAndTheOthersPostOn) {
    const QString flooder = joined(QStringLiteral("甲"));
    const QString quiet = joined(QStringLiteral("乙"));
    int stored = 0, limited = 0;
    for (int i = 0; i < 20; ++i) {
        const Reply r =
            send("POST", QStringLiteral("/api/v1/results"),
                 result(QStringLiteral("flood-%1").arg(i, 4, 10, QLatin1Char('0')), 10), flooder);
        stored += r.status == 201;
        if (r.status == 429) {
            ++limited;
            EXPECT_TRUE(r.error().contains(QStringLiteral("频繁")));
        }
    }
    EXPECT_EQ(stored, 5);
    EXPECT_EQ(limited, 15);
    EXPECT_EQ(send("POST", QStringLiteral("/api/v1/results"),
                   result(QStringLiteral("quiet-0001"), 9), quiet)
                  .status,
              201);
    now = now.addSecs(2);
    EXPECT_EQ(send("POST", QStringLiteral("/api/v1/results"),
                   result(QStringLiteral("flood-late"), 9), flooder)
                  .status,
              201);
    EXPECT_EQ(store.resultCount(), 7);
}

} // namespace
