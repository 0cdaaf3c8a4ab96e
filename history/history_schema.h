#pragma once

#include <QSqlDatabase>
#include <QString>

// The learning history's schema: its version in `PRAGMA user_version`, and
// the steps that bring a file of any older version up to date.
namespace history_schema {

inline constexpr int kVersion = 8;

// Brings a database of an older version up to `version`, each step in one
// transaction. Throws UserError naming `path`.
void migrate(QSqlDatabase& db, int version, const QString& path);

} // namespace history_schema
