#pragma once

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

// Writes garbage over the root page of one table of a closed SQLite file:
// the file opens, and only a read of that table finds the damage. Returns
// the page's number (0: the table was not found).
inline int damageTable(const QString& path, const QString& table) {
    int page = 0, pageSize = 0;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")))
                q.finish();
            if (q.exec(QStringLiteral("PRAGMA page_size")) && q.next())
                pageSize = q.value(0).toInt();
            q.prepare(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = ?"));
            q.addBindValue(table);
            if (q.exec() && q.next())
                page = q.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("damage"));
    QFile f(path);
    if (page < 2 || pageSize <= 0 || !f.open(QIODevice::ReadWrite))
        return 0;
    f.seek(static_cast<qint64>(page - 1) * pageSize);
    f.write(QByteArray(pageSize, '\xa5'));
    return page;
}
