#include "results/posted_input.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>

namespace results {

namespace {

std::variant<QJsonObject, Refusal> objectOf(const QByteArray& body) {
    if (body.size() > kMaxBody)
        return Refusal{QStringLiteral("内容太长（最多 %1 字节）").arg(kMaxBody)};
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return Refusal{QStringLiteral("内容不是 JSON 对象")};
    return doc.object();
}

// A whole number in [low, high], or nothing.
std::optional<int> wholeIn(const QJsonValue& v, int low, int high) {
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < low || d > high)
        return std::nullopt;
    return static_cast<int>(d);
}

} // namespace

std::variant<QString, Refusal> checkedName(const QString& raw) {
    const QString name = raw.trimmed();
    if (name.isEmpty())
        return Refusal{QStringLiteral("名字不能是空的")};
    if (name.size() > kMaxNameLength)
        return Refusal{QStringLiteral("名字太长（最多 %1 个字）").arg(kMaxNameLength)};
    for (QChar c : name)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c == u'<' || c == u'>')
            return Refusal{QStringLiteral("名字里有不能用的字符")};
    return name;
}

std::variant<Result, Refusal> readResult(const QByteArray& body, const QDateTime& now) {
    auto parsed = objectOf(body);
    if (auto* r = std::get_if<Refusal>(&parsed))
        return *r;
    const QJsonObject o = std::get<QJsonObject>(parsed);
    Result r;
    r.key = o.value(QStringLiteral("key")).toString();
    static const QRegularExpression keyForm(QStringLiteral("^[A-Za-z0-9_-]{8,64}$"));
    if (!keyForm.match(r.key).hasMatch())
        return Refusal{QStringLiteral("key 应为 8 到 64 个字母、数字、- 或 _")};
    const std::optional<int> lxid = wholeIn(o.value(QStringLiteral("lxid")), 0, 100);
    const std::optional<Kind> kind = lxid ? kindOf(*lxid) : std::nullopt;
    if (!kind)
        return Refusal{QStringLiteral("lxid 应为 2（指法热身）、3（字词训练）或 4（文章练习）")};
    r.kind = *kind;
    const std::optional<int> speed = wholeIn(o.value(QStringLiteral("speed")), 0, 1000);
    if (!speed)
        return Refusal{QStringLiteral("speed 应为 0 到 1000 的整数")};
    r.speed = *speed;
    const QJsonValue accuracy = o.value(QStringLiteral("accuracy"));
    if (!accuracy.isDouble() || !(accuracy.toDouble() >= 0 && accuracy.toDouble() <= 100))
        return Refusal{QStringLiteral("accuracy 应为 0 到 100 的数")};
    r.accuracy = accuracy.toDouble();
    r.practised =
        QDateTime::fromString(o.value(QStringLiteral("practised")).toString(), Qt::ISODate);
    if (!r.practised.isValid() || r.practised.date().year() < 2000 || r.practised > now.addDays(1))
        return Refusal{QStringLiteral("practised 应为练习的时间（ISO 8601），不能在将来")};
    r.practised = r.practised.toUTC();
    return r;
}

std::variant<JoinRequest, Refusal> readJoin(const QByteArray& body) {
    auto parsed = objectOf(body);
    if (auto* r = std::get_if<Refusal>(&parsed))
        return *r;
    const QJsonObject o = std::get<QJsonObject>(parsed);
    JoinRequest j;
    j.code = o.value(QStringLiteral("code")).toString().trimmed().toUpper();
    static const QRegularExpression codeForm(QStringLiteral("^[A-Z2-9]{8}$"));
    if (!codeForm.match(j.code).hasMatch())
        return Refusal{QStringLiteral("班级代码应为 8 个字母或数字")};
    auto name = checkedName(o.value(QStringLiteral("name")).toString());
    if (auto* r = std::get_if<Refusal>(&name))
        return *r;
    j.name = std::get<QString>(name);
    return j;
}

std::variant<QString, Refusal> readName(const QByteArray& body) {
    auto parsed = objectOf(body);
    if (auto* r = std::get_if<Refusal>(&parsed))
        return *r;
    return checkedName(std::get<QJsonObject>(parsed).value(QStringLiteral("name")).toString());
}

} // namespace results
