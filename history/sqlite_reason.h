#pragma once

#include <QString>

class QSqlError;

// The reason a database operation failed, in Chinese, for the learner's
// messages: SQLite's own texts are English ("database is locked", "file is
// not a database"), these name the cause by SQLite's result code.
QString sqliteReason(const QSqlError& error);

// Whether the error says the file is damaged or no database at all (not
// locked, read-only or missing: those are no damage of the file).
bool isDamage(const QSqlError& error);
