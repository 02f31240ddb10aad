#pragma once
// A fresh database with both book tables in a temporary folder, for engine tests. The file and
// the tables are made by the program's own bootstrap texts, so the engine is tested on the
// schema the program creates.

#include "storage/bootstrap.h"
#include "storage/engine/connection.h"

#include <QTemporaryDir>
#include <QTest>

struct EngineFixture {
    QTemporaryDir dir;
    engine::Connection connection;
    QString path;

    EngineFixture() {
        path = dir.filePath(QStringLiteral("Lumira.mdb"));
        if (!CreateDatabaseFile(path))
            qFatal("cannot create test database %s", qPrintable(path));
        QString error;
        if (!connection.open(path, &error))
            qFatal("cannot open test database: %s", qPrintable(error));
        for (const char* table : {"FDosle", "FOdeslane"})
            if (!connection.execute(bookTableSql(QString::fromLatin1(table)), &error))
                qFatal("cannot create table: %s", qPrintable(error));
    }

    void exec(const QString& sql) {
        QString error;
        if (!connection.execute(sql, &error))
            QFAIL(qPrintable(error));
    }
};
