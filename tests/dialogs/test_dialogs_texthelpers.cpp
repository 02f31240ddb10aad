#include "dialogs/dialogy.h"

#include <QTest>

using namespace dialogs;

class TextHelpersTest : public QObject {
    Q_OBJECT
private slots:
    void padText_data();
    void padText();
    void removeCharAndDigits_data();
    void removeCharAndDigits();
    void pushHistory_data();
    void pushHistory();
};

void TextHelpersTest::padText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("expected");
    QTest::newRow("right, one zero") << "7" << 2 << 2 << "07";
    QTest::newRow("too long, left") << "123" << 2 << 0 << "12";
    QTest::newRow("too long, centred") << "123" << 2 << 1 << "12";
    QTest::newRow("too long, right") << "123" << 2 << 2 << "12";
    QTest::newRow("centred, odd zero right") << "ab" << 5 << 1 << "0ab00";
    QTest::newRow("centred, even") << "ab" << 6 << 1 << "00ab00";
    QTest::newRow("left") << "ab" << 5 << 0 << "ab000";
    QTest::newRow("empty, right") << "" << 3 << 2 << "000";
    QTest::newRow("exact length") << "abc" << 3 << 1 << "abc";
    QTest::newRow("zero length") << "abc" << 0 << 2 << "";
    QTest::newRow("negative length") << "abc" << -1 << 2 << "";
    QTest::newRow("undefined alignment") << "ab" << 5 << 3 << "ab";
}

void TextHelpersTest::padText() {
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(int, alignment);
    QFETCH(QString, expected);
    QCOMPARE(PadText(text, length, alignment), expected);
}

void TextHelpersTest::removeCharAndDigits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("withoutAmpersand");
    QTest::addColumn<QString>("digits");
    QTest::newRow("menu caption") << "&Tisk"
                                  << "Tisk"
                                  << "";
    QTest::newRow("invoice number") << "FV-12/3"
                                    << "FV-12/3"
                                    << "123";
    QTest::newRow("several ampersands") << "&A&&B&"
                                        << "AB"
                                        << "";
    QTest::newRow("no digits") << "abc"
                               << "abc"
                               << "";
    QTest::newRow("non-ASCII digits dropped")
        << QString::fromUtf8("1٢3") << QString::fromUtf8("1٢3") << "13";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TextHelpersTest::removeCharAndDigits() {
    QFETCH(QString, text);
    QFETCH(QString, withoutAmpersand);
    QFETCH(QString, digits);
    QCOMPARE(RemoveChar(text, QLatin1Char('&')), withoutAmpersand);
    QCOMPARE(DigitsOnly(text), digits);
}

namespace {

QStringList numbered(int count) {
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QStringLiteral("v%1").arg(i);
    return list;
}

} // namespace

void TextHelpersTest::pushHistory_data() {
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("new text on 3") << numbered(3) << "new" << (QStringList{"new"} + numbered(3));
    QTest::newRow("new text on 20, last drops")
        << numbered(20) << "new" << (QStringList{"new"} + numbered(19));
    QStringList withAbc = numbered(10);
    withAbc[5] = "ABC";
    QStringList abcOnTop = withAbc;
    abcOnTop.removeAt(5);
    abcOnTop.prepend("abc");
    QTest::newRow("ABC at 5 pushed as abc") << withAbc << "abc" << abcOnTop;
    QStringList lastMoved = numbered(20);
    lastMoved.move(19, 0);
    QTest::newRow("last of full list moves up") << numbered(20) << "v20" << lastMoved;
    QTest::newRow("first stays first") << numbered(3) << "V1" << QStringList{"V1", "v2", "v3"};
    QTest::newRow("empty list") << QStringList() << "x" << QStringList{"x"};
    QStringList overfull = numbered(22);
    QStringList overfullPushed = QStringList{"new"} + numbered(21);
    QTest::newRow("over the maximum keeps its count") << overfull << "new" << overfullPushed;
}

void TextHelpersTest::pushHistory() {
    QFETCH(QStringList, list);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    PushHistory(list, text, 20);
    QCOMPARE(list, expected);
}

QTEST_MAIN(TextHelpersTest)
#include "test_dialogs_texthelpers.moc"
