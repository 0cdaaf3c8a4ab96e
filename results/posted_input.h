#pragma once

#include "results/results_store.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <variant>

// What the tutor posts, read from JSON and checked before anything is
// stored: every field present, of its type, in its range; names without
// control characters; bodies of at most kMaxBody bytes. A refusal says in
// Chinese which field is wrong.
namespace results {

inline constexpr qsizetype kMaxBody = 4096;
inline constexpr int kMaxNameLength = 20;

struct Refusal {
    QString message;
};

struct JoinRequest {
    QString code; // upper case
    QString name; // trimmed
};

std::variant<Result, Refusal> readResult(const QByteArray& body, const QDateTime& now);
std::variant<JoinRequest, Refusal> readJoin(const QByteArray& body);
// The teacher's new name for a learner: {"name"}.
std::variant<QString, Refusal> readName(const QByteArray& body);
// A display name as the class shows it, or a refusal.
std::variant<QString, Refusal> checkedName(const QString& name);

} // namespace results
