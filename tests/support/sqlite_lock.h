#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Another program holding the history's lock (an exclusive transaction on a
// connection of its own) for as long as it lives.
class LockHeldElsewhere {
public:
    explicit LockHeldElsewhere(const QString& file) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(file);
        held_ = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    ~LockHeldElsewhere() { release(); }
    LockHeldElsewhere(const LockHeldElsewhere&) = delete;
    LockHeldElsewhere& operator=(const LockHeldElsewhere&) = delete;
    bool held() const { return held_; }
    void release() {
        if (!QSqlDatabase::contains(kName))
            return;
        {
            QSqlDatabase db = QSqlDatabase::database(kName);
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(kName);
    }

private:
    static inline const QString kName = QStringLiteral("other-program");
    bool held_ = false;
};
