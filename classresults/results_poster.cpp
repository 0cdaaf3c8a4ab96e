#include "classresults/results_poster.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// The service's reason from its JSON answer ({"error": "..."}), or the
// network's, in the learner's language.
QString reasonOf(QNetworkReply& reply, const QByteArray& body) {
    const QString said =
        QJsonDocument::fromJson(body).object().value(QStringLiteral("error")).toString();
    if (!said.isEmpty())
        return said;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status > 0)
        return QStringLiteral("服务器回答 %1").arg(status);
    if (reply.error() == QNetworkReply::OperationCanceledError ||
        reply.error() == QNetworkReply::TimeoutError)
        return QStringLiteral("服务器没有回答");
    return QStringLiteral("连不上服务器 %1（%2）").arg(reply.url().host(), reply.errorString());
}

PostOutcome outcomeOf(int status) {
    if (status == 200 || status == 201)
        return PostOutcome::Sent;
    if (status == 401)
        return PostOutcome::NotAMember;
    if (status == 400 || status == 413 || status == 422)
        return PostOutcome::Refused;
    return PostOutcome::TryLater; // no answer, 429, the service away (5xx), a wrong address
}

QNetworkRequest requestTo(const QUrl& server, const QString& path) {
    QUrl url = server;
    url.setPath(path);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setTransferTimeout(ResultsPoster::kTimeoutMs);
    return request;
}

class Worker : public QObject {
public:
    QNetworkAccessManager& network() {
        if (!network_)
            network_ = new QNetworkAccessManager(this);
        return *network_;
    }

private:
    QNetworkAccessManager* network_ = nullptr;
};

} // namespace

ResultsPoster::ResultsPoster(QObject* parent) : QObject(parent) {
    worker_ = new Worker;
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

ResultsPoster::~ResultsPoster() {
    thread_.quit();
    thread_.wait();
}

void ResultsPoster::post(const QUrl& server, const QString& token, const ClassResult& result) {
    QMetaObject::invokeMethod(worker_, [this, server, token, result] {
        QNetworkRequest request = requestTo(server, QStringLiteral("/api/v1/results"));
        request.setRawHeader("Authorization", "Bearer " + token.toUtf8());
        const QJsonObject body{
            {QStringLiteral("key"), result.key},
            {QStringLiteral("lxid"), result.lxid},
            {QStringLiteral("speed"), result.speed},
            {QStringLiteral("accuracy"), result.accuracy},
            {QStringLiteral("practised"), result.practised.toUTC().toString(Qt::ISODate)}};
        QNetworkReply* reply = static_cast<Worker*>(worker_)->network().post(
            request, QJsonDocument(body).toJson(QJsonDocument::Compact));
        connect(reply, &QNetworkReply::finished, reply, [this, reply, key = result.key] {
            reply->deleteLater();
            const QByteArray answer = reply->readAll();
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const PostOutcome outcome = outcomeOf(status);
            emit posted(key, outcome,
                        outcome == PostOutcome::Sent ? QString() : reasonOf(*reply, answer));
        });
    });
}

void ResultsPoster::join(const QUrl& server, const QString& code, const QString& name) {
    QMetaObject::invokeMethod(worker_, [this, server, code, name] {
        const QJsonObject body{{QStringLiteral("code"), code}, {QStringLiteral("name"), name}};
        QNetworkReply* reply = static_cast<Worker*>(worker_)->network().post(
            requestTo(server, QStringLiteral("/api/v1/join")),
            QJsonDocument(body).toJson(QJsonDocument::Compact));
        connect(reply, &QNetworkReply::finished, reply, [this, reply] {
            reply->deleteLater();
            const QByteArray answer = reply->readAll();
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const QJsonObject o = QJsonDocument::fromJson(answer).object();
            const QString token = o.value(QStringLiteral("token")).toString();
            if (status == 201 && !token.isEmpty())
                emit joined(true, token, o.value(QStringLiteral("class")).toString(), {});
            else
                emit joined(false, {}, {}, reasonOf(*reply, answer));
        });
    });
}
