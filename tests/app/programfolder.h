#pragma once
// A program folder with a settings file for tests that start the main window; the database
// is prepared by the window's first start.

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct ProgramFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + u'/'; }
    QString ini() const { return dir.filePath("Lumira.ini"); }
    void writeIni(const QStringList& lines) const {
        QFile file(ini());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringEncoder("windows-1250").encode(lines.join("\r\n") + "\r\n"));
    }
    // Puts the file's modification time in the past, so any later write shows.
    void ageIni() const {
        QFile file(ini());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                 QFileDevice::FileModificationTime));
    }
    QDateTime iniTime() const { return QFileInfo(ini()).lastModified(); }
};
