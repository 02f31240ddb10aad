#include "storage/engine/win1250.h"

#include <QStringDecoder>
#include <QTest>

class Win1250Test : public QObject {
    Q_OBJECT
private slots:
    void everyByteAsTheCodec();
    void encode_data();
    void encode();
    void undefinedBytes();
};

// Every byte reads as the system's converter reads it and is written back as that byte.
void Win1250Test::everyByteAsTheCodec() {
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid())
        QSKIP("no windows-1250 codec in this Qt build");
    QByteArray all(256, '\0');
    for (int byte = 0; byte < 256; ++byte)
        all[byte] = char(byte);
    const QString decoded = engine::decodeWin1250(all);
    QCOMPARE(decoded, decoder.decode(all));
    QCOMPARE(engine::encodeWin1250(decoded, '?'), all);
}

void Win1250Test::encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Czech") << QStringLiteral("Žluťoučký kůň")
                           << QByteArray("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");
    QTest::newRow("euro and quotes") << QStringLiteral("„€“") << QByteArray("\x84\x80\x93");
    QTest::newRow("missing letter") << QStringLiteral("aЖb") << QByteArray("a?b");
    QTest::newRow("one mark per character") << QStringLiteral("x😀y") << QByteArray("x?y");
    QTest::newRow("control of an undefined byte") << QString(QChar(0x81)) << QByteArray("\x81");
}

void Win1250Test::encode() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(engine::encodeWin1250(text, '?'), bytes);
}

// The text boxes take no control of an undefined byte; a template reader may read it as the
// replacement character instead.
void Win1250Test::undefinedBytes() {
    QVERIFY(!engine::fitsWin1250(QChar(0x81)));
    QVERIFY(engine::fitsWin1250(QStringLiteral("Řež €")));
    QCOMPARE(engine::decodeWin1250("a\x81\x9A", QChar::ReplacementCharacter),
             QStringLiteral("a\uFFFDš"));
}

QTEST_GUILESS_MAIN(Win1250Test)
#include "test_engine_win1250.moc"
