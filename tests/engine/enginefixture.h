#pragma once
// A fresh database with both book tables in a temporary folder, for engine tests.

#include "storage/engine/connection.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

inline const char* bookTableSql(const QString& table) {
    static QByteArray sql;
    sql = ("CREATE TABLE " + table +
           " ( Id INT IDENTITY (1, 1) NOT FOR REPLICATION PRIMARY KEY, Cislo VARCHAR(20) NOT NULL, "
           "Dodavatel_odberatel VARCHAR(100), ICO VARCHAR(8), CisloUctu VARCHAR(17), SmerovyKod "
           "VARCHAR(4), Specifikace VARCHAR(100), VariabilniSymbol VARCHAR(10), Zaklad CURRENCY "
           "DEFAULT 0, SazbaDPH INT DEFAULT 0, DPH CURRENCY DEFAULT 0, Celkem CURRENCY DEFAULT 0, "
           "Datum1 DateTime, Datum2 DateTime, Datum3 DateTime, Poznamka VARCHAR(100) );")
              .toUtf8();
    return sql.constData();
}

struct EngineFixture {
    QTemporaryDir dir;
    engine::Connection connection;
    QString path;

    EngineFixture() {
        path = dir.filePath(QStringLiteral("Lumira.mdb"));
        QFile::copy(QStringLiteral(LUMIRA_SOURCE_DIR "/resources/empty.mdb"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QString error;
        if (!connection.open(path, &error))
            qFatal("cannot open test database: %s", qPrintable(error));
        for (const char* table : {"FDosle", "FOdeslane"})
            if (!connection.execute(QString::fromUtf8(bookTableSql(QString::fromLatin1(table))),
                                    &error))
                qFatal("cannot create table: %s", qPrintable(error));
    }

    void exec(const QString& sql) {
        QString error;
        if (!connection.execute(sql, &error))
            QFAIL(qPrintable(error));
    }
};
