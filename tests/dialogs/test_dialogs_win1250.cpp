#include "dialogs/win1250validator.h"
#include "support/scriptedhost.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStringDecoder>
#include <QTest>

using namespace dialogs;

class Win1250Test : public QObject {
    Q_OBJECT
private slots:
    void characters_data();
    void characters();
    void agreesWithTheCodec();
    void lineEdit_data();
    void lineEdit();
};

void Win1250Test::characters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::newRow("ASCII") << "Faktura 12/2024 |;@" << true;
    QTest::newRow("Czech letters")
        << "Příliš žluťoučký kůň úpěl ďábelské ódy ŘŠČŽÝÁÍÉŮÚĚŤĎŇ" << true;
    QTest::newRow("Slovak and Polish letters") << "ĺľŕôäąęłńśźżĽĹŔ" << true;
    QTest::newRow("typographic") << QString::fromUtf8("„€…–—’ \u00A0§°×÷˙") << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("n with tilde") << "ñ" << false;
    QTest::newRow("o with stroke") << "ø" << false;
    QTest::newRow("Greek") << "Ω" << false;
    QTest::newRow("Cyrillic") << "Ж" << false;
    QTest::newRow("emoji") << QString::fromUtf8("\xF0\x9F\x98\x80") << false;
    QTest::newRow("C1 control of an undefined byte") << QString(QChar(0x81)) << false;
    QTest::newRow("one bad among good") << "Účet ñ" << false;
}

void Win1250Test::characters() {
    QFETCH(QString, text);
    QFETCH(bool, fits);
    QCOMPARE(fitsWin1250(text), fits);
}

// Every character the code page defines must pass, and nothing it leaves undefined.
void Win1250Test::agreesWithTheCodec() {
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid())
        QSKIP("no windows-1250 codec in this Qt build");
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const QString decoded = decoder.decode(QByteArray(1, char(byte)));
        QCOMPARE(decoded.size(), 1);
        const QChar c = decoded.front();
        const bool defined =
            c != QChar::ReplacementCharacter && !(c >= QChar(0x80) && c < QChar(0xA0));
        QVERIFY2(fitsWin1250(c) == defined, qPrintable(QString::number(byte, 16)));
    }
}

void Win1250Test::lineEdit_data() {
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
    QTest::newRow("typed Czech") << false << "Řež"
                                 << "abŘež" << 0;
    QTest::newRow("typed foreign letter") << false << "ñ"
                                          << "ab" << 1;
    QTest::newRow("typed mixed") << false << "xñy"
                                 << "abxy" << 1;
    QTest::newRow("pasted Czech") << true << "Čeněk"
                                  << "abČeněk" << 0;
    QTest::newRow("pasted with a foreign letter") << true << "Señor"
                                                  << "ab" << 1;
    // Control characters break the XML export and have no place in a one-line box.
    const struct {
        const char* name;
        char16_t code;
    } controls[] = {{"Ctrl-A", 0x01},    {"NUL", 0x00},          {"tab", 0x09},
                    {"line feed", 0x0A}, {"vertical tab", 0x0B}, {"carriage return", 0x0D},
                    {"DEL", 0x7F}};
    for (const auto& control : controls)
        QTest::addRow("pasted with %s", control.name)
            << true << QString(u'x') + QChar(control.code) + u'y' << "ab" << 1;
}

void Win1250Test::lineEdit() {
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    ScriptedHost host;
    QLineEdit edit;
    installWin1250Filter(&edit);
    edit.setText("ab");
    if (paste) {
        QGuiApplication::clipboard()->setText(input);
        edit.paste();
    } else {
        for (const QChar c : input)
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(edit.text(), expected);
    QCOMPARE(host.beeps, beeps);
}

QTEST_MAIN(Win1250Test)
#include "test_dialogs_win1250.moc"
