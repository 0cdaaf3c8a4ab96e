#pragma once

#include "tests/support/throwaway_postgres.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

// A fresh, empty database of each kind the service runs on, by name:
// "sqlite" (a file in a temporary folder) or "postgresql" (a database of
// its own in the test run's throw-away cluster).
class FreshDatabase {
public:
    explicit FreshDatabase(const std::string& kind) {
        static int made = 0;
        if (kind == "sqlite") {
            address_ = QStringLiteral("sqlite:") + dir_.filePath(QStringLiteral("results.sqlite"));
            return;
        }
        static ThrowawayPostgres cluster;
        if (!cluster.started()) {
            problem_ = cluster.problem();
            return;
        }
        const QString name = QStringLiteral("results_%1").arg(++made);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            const QUrl url(cluster.address());
            db.setHostName(url.host());
            db.setPort(url.port());
            db.setUserName(url.userName());
            db.setDatabaseName(QStringLiteral("postgres"));
            if (!db.open() || !QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE ") + name))
                problem_ = QStringLiteral("cannot make a database in the cluster");
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        address_ = cluster.address().replace(QStringLiteral("/postgres"), u'/' + name);
        cluster_ = &cluster;
    }
    const QString& address() const { return address_; }
    const QString& problem() const { return problem_; }
    ThrowawayPostgres* cluster() const { return cluster_; }

private:
    QTemporaryDir dir_;
    QString address_;
    QString problem_;
    ThrowawayPostgres* cluster_ = nullptr;
};
