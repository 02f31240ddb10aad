#include "support/testfiles.h"

#include <QFile>
#include <QStringEncoder>
#include <QTest>

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot read ") + path + QStringLiteral(": ") +
                                file.errorString()),
                     __FILE__, __LINE__);
        return {};
    }
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path + u' ' + file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray windows1250(const QString& text) {
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

void writeLines(const QString& path, const QStringList& lines) {
    writeBytes(path, windows1250(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void setModified(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadWrite), qPrintable(path + u' ' + file.errorString()));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}
