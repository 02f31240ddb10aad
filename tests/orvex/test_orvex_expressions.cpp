// Memo expressions and value formats: a table of texts and the results they must give.

#include "orvex/memotext.h"
#include "orvex/reportcontext.h"
#include "orvex/reportscope.h"
#include "orvex/valueformat.h"

#include <QtTest>

using namespace orvex;

namespace {

const QString nbsp(QChar(0xA0));

DataTable rows() {
    DataTable table;
    table.fieldNames = {"Cislo", "Zaklad", "SazbaDPH", "Datum1", "Poznamka"};
    table.rows = {{QString("FD_1"), 1000.5, qint64(21), QDate(2024, 3, 5), QVariant()},
                  {QString("FD_2"), 250.25, qint64(12), QDate(2024, 1, 9), QString("ok")},
                  {QString("FD_3"), -50.0, qint64(0), QDate(2024, 2, 1), QString("x")}};
    return table;
}

// The memo text with every expression replaced by its plain value; errors as "!error".
QString evaluateText(ReportContext& context, const QString& text) {
    QString out;
    for (const TextPiece& piece : splitMemoText(text, "[", "]")) {
        if (!piece.isExpression) {
            out += piece.text;
            continue;
        }
        QString error = piece.parsed.error;
        const QVariant value =
            piece.parsed.root ? evaluate(*piece.parsed.root, context, &error) : QVariant();
        out += error.isEmpty() ? plainValueText(value) : "!" + error;
    }
    return out;
}

} // namespace

class TestOrvexExpressions : public QObject {
    Q_OBJECT

private slots:
    void memoTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");  // current row
        QTest::addColumn<int>("scopeFrom"); // aggregate rows [from, to)
        QTest::addColumn<int>("scopeTo");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* text, const QString& expected) {
            QTest::newRow(name) << QString::fromUtf8(text) << 0 << 0 << 3 << expected;
        };
        row("literal only", "Kniha faktur", "Kniha faktur");
        row("angle field", "Č. [<Kniha.\"Cislo\">]", "Č. FD_1");
        row("bare field", "[Kniha.\"Cislo\"]", "FD_1");
        row("letter case", "[kniha.\"CISLO\"] [nadpis] [NAZEVSUBJEKTU]", "FD_1 Kniha Firma");
        row("parameter", "[Nadpis] ([Mena])", "Kniha (CZK)");
        row("template variable", "[Poznamka]", "bez poznámky");
        row("parameter wins", "[Mena]", "CZK");
        row("null field", "<[Kniha.\"Poznamka\"]>", "<>");
        row("arithmetic", "[1 + 2 * 3] [(1 + 2) * 3] [7 / 2] [7 div 2] [7 mod 2]", "7 9 3,5 3 1");
        row("field arithmetic", "[<Kniha.\"Zaklad\"> * <Kniha.\"SazbaDPH\"> / 100]", "210,105");
        row("string concatenation", "['A' + 'B' + <Mena>]", "ABCZK");
        row("comparisons", "[1 < 2] [2 <= 1] ['a' = 'a'] [3 <> 3]", "True False True False");
        row("logic", "[(1 < 2) and not (2 < 1)] [1 > 2 or 2 > 1]", "True True");
        row("IIF", "[IIF(<Kniha.\"SazbaDPH\"> = 21, 'základní', 'snížená')]", "základní");
        row("nested IIF", "[IIF(1 > 2, 'a', IIF(<TypProstredi> = '0', 'přijaté', 'vydané'))]",
            "přijaté");
        row("nested brackets", "[IIF([Kniha.\"SazbaDPH\"] > 0, '[' + 'x]', 'y')]", "[x]");
        row("FormatFloat", "[FormatFloat('#,##0.00', 1234567.891)]",
            "1" + nbsp + "234" + nbsp + "567,89");
        row("functions", "[UpperCase('abč')] [Copy('Faktura', 1, 4)] [Round(2.5)]", "ABČ Fakt 3");
        row("date field", "[<Kniha.\"Datum1\">]", "5.3.2024");
        row("unknown field", "[Kniha.\"Neni\"]", "!neznámé pole „Kniha.\"Neni\"“");
        row("unknown variable", "[Neni]", "!neznámá proměnná „Neni“");
        row("variable calling functions", "[Rada]-[Dvojnasobek]", "FD-2001");
        row("failing variable says why", "[Chybna]",
            "!proměnnou „Chybna“ nelze vyhodnotit: neznámá funkce „neni“");
        row("variable naming itself", "[Smycka]",
            "!proměnnou „Smycka“ nelze vyhodnotit: proměnnou „Smycka“ nelze vyhodnotit: "
            "odkazuje sama na sebe");
        row("conversions and date parts",
            "[StrToInt('42') + 1] [StrToFloat('2,5') * 2] [MonthOf(<Kniha.\"Datum1\">)] "
            "[DayOf(<Kniha.\"Datum1\">)] [YearOf(Now)]",
            "43 5 3 5 2024");
        row("syntax error", "[1 +]", "!neúplný výraz");
        row("unclosed bracket stays text", "Cena [1 + 1", "Cena [1 + 1");
        // Aggregates cover the rows of the band they stand in.
        QTest::newRow("SUM footer")
            << "[SUM(<Kniha.\"Zaklad\">, MasterData1)]" << 2 << 0 << 3 << "1200,75";
        QTest::newRow("SUM group") << "[SUM(<Kniha.\"Zaklad\">)]" << 2 << 1 << 3 << "200,25";
        QTest::newRow("COUNT") << "[COUNT(MasterData1)]" << 0 << 1 << 3 << "2";
        QTest::newRow("MIN MAX") << "[MIN(<Kniha.\"Zaklad\">)] [MAX(<Kniha.\"Datum1\">)]" << 0 << 0
                                 << 3 << "-50 5.3.2024";
        QTest::newRow("AVG skips NULL")
            << "[AVG(Length(<Kniha.\"Poznamka\">))]" << 0 << 0 << 3 << "1";
        QTest::newRow("empty scope")
            << "[SUM(<Kniha.\"Zaklad\">)] [COUNT(MasterData1)]" << 0 << 0 << 0 << "0 0";
        // Whole numbers beyond 64 bits go on as floating-point ones instead of wrapping round.
        row("product beyond 64 bits", "[3037000500 * 3037000500 > 0]", "True");
        row("sum beyond 64 bits", "[9223372036854775807 + 1 > 0] [-9223372036854775807 - 2 < 0]",
            "True True");
        row("sign of the smallest",
            "[-(-9223372036854775807 - 1) > 0] [Abs(-9223372036854775807 - 1) > 0]", "True True");
        row("quotient of the smallest", "[(-9223372036854775807 - 1) div -1 > 0]", "True");
        row("rounding beyond 64 bits", "[Round(1e30) > 0] [Trunc(-1e30) < 0]", "True True");
        row("still whole below", "[4611686018427387903 * 2 + 1]", "9223372036854775807");
        QTest::newRow("aggregate inside aggregate")
            << "[SUM(SUM(<Kniha.\"Zaklad\">))]" << 0 << 0 << 3
            << QString::fromUtf8("!souhrnnou funkci SUM nelze použít uvnitř jiné souhrnné funkce");
        QTest::newRow("aggregate keeps row")
            << "[SUM(<Kniha.\"Zaklad\">)] [<Kniha.\"Cislo\">]" << 1 << 0 << 3 << "1200,75 FD_2";
    }

    void memoTexts() {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(int, scopeFrom);
        QFETCH(int, scopeTo);
        QFETCH(QString, expected);
        const DataTable table = rows();
        const QVector<int> order = {0, 1, 2};
        ReportContext context(table,
                              {{"Nadpis", "Kniha"},
                               {"NazevSubjektu", "Firma"},
                               {"Mena", "CZK"},
                               {"TypProstredi", "0"}},
                              {{"Poznamka", "'bez poznámky'"},
                               {"Mena", "'EUR'"},
                               {"Rada", "Copy(<Kniha.\"Cislo\">, 1, 2)"},
                               {"Dvojnasobek", "Round(<Kniha.\"Zaklad\"> * 2)"},
                               {"Chybna", "Neni(1)"},
                               {"Smycka", "<Smycka> + 1"}},
                              QDateTime(QDate(2024, 5, 1), QTime(8, 5)));
        context.state.order = &order;
        context.state.position = position;
        context.state.scope = RowSpan{scopeFrom, scopeTo};
        QCOMPARE(evaluateText(context, text), expected);
        QCOMPARE(context.state.position, position);
    }

    void formats_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        const int numeric = int(FormatKind::Numeric), date = int(FormatKind::DateTime);
        // "_" marks the non-breaking space that groups thousands.
        const auto n = [&](const char* name, const char* format, double value, QString expected) {
            QTest::newRow(name) << numeric << QString(format) << QVariant(value)
                                << expected.replace('_', nbsp);
        };
        n("%2.2n thousands", "%2.2n", 1234.5, "1_234,50");
        n("%2.2n millions negative", "%2.2n", -1234567.125, "-1_234_567,13");
        n("%2.2n half up", "%2.2n", 2.675, "2,68");
        n("%2.2n six trillion", "%2.2n", 6e12, "6_000_000_000_000,00");
        n("%d rounds half away", "%d", -2.5, "-3");
        n("%2.2m Czech currency", "%2.2m", 1234.5, "1_234,50 Kč");
        n("%2.2f no grouping", "%2.2f", 1234.5, "1234,50");
        n("%g shortest", "%g", 0.5, "0,5");
        n("%d integer", "%d", 42, "42");
        n("%8.2f width", "%8.2f", 3.14159, "    3,14");
        n("Format with text", "Celkem %2.2n Kč", 10, "Celkem 10,00 Kč");
        n("pattern #,##0.00", "#,##0.00", 1234.5, "1_234,50");
        n("pattern 0.00 negative", "0.00", -3.456, "-3,46");
        n("pattern optional decimals", "#,##0.##", 1000, "1_000");
        n("pattern large with cents", "#,##0.00", 987654321098.76, "987_654_321_098,76");
        n("pattern sections negative", "#,##0.00;(#,##0.00)", -5, "(5,00)");
        n("pattern sections zero", "#,##0.00;-#,##0.00;nula", 0.001, "nula");
        n("pattern literal suffix", "#,##0 'Kč'", 1500, "1_500 Kč");
        QTest::newRow("date d.m.yyyy")
            << date << "d.m.yyyy" << QVariant(QDate(2024, 3, 5)) << "5.3.2024";
        QTest::newRow("date dd.mm.yy")
            << date << "dd.mm.yy" << QVariant(QDate(2024, 3, 5)) << "05.03.24";
        QTest::newRow("date month name")
            << date << "d. mmmm yyyy" << QVariant(QDate(2024, 3, 5)) << "5. březen 2024";
        QTest::newRow("time minutes after hours")
            << date << "dd/mm/yyyy hh:mm" << QVariant(QDateTime(QDate(2024, 3, 5), QTime(9, 7)))
            << "05.03.2024 09:07";
        QTest::newRow("text kind number")
            << int(FormatKind::Text) << "" << QVariant(1234.5) << "1234,5";
        QTest::newRow("numeric format on text") << numeric << "%2.2n" << QVariant("abc") << "abc";
        QTest::newRow("boolean") << int(FormatKind::Boolean) << "Ne,Ano" << QVariant(true) << "Ano";
    }

    void formats() {
        QFETCH(int, kind);
        QFETCH(QString, format);
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        DisplayFormat displayFormat;
        displayFormat.kind = FormatKind(kind);
        displayFormat.formatStr = format;
        QCOMPARE(formatValue(value, displayFormat), expected);
    }

    // Nesting and operator chains far beyond any template end in an error, not a stack
    // overflow; the memo splitter and the parser stay linear on long texts.
    void overlyComplexExpressions_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("parentheses") << QString(20000, '(') + "1" + QString(20000, ')');
        QTest::newRow("signs") << QString(20000, '-') + "1";
        QTest::newRow("not") << QString("not ").repeated(15000) + "1";
        QTest::newRow("operator chain") << QString("1+").repeated(30000) + "1";
    }

    void overlyComplexExpressions() {
        QFETCH(QString, text);
        const QVector<TextPiece> pieces = splitMemoText("[" + text + "]", "[", "]");
        QCOMPARE(pieces.size(), 1);
        QVERIFY(!pieces[0].parsed.root);
        QCOMPARE(pieces[0].parsed.error, QString("výraz je příliš složitý"));
    }

    void scopeOfTheRowsInWords_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no filter") << "SELECT * FROM FDosle  ORDER BY Id"
                                   << "celá kniha";
        QTest::newRow("dates") << "SELECT * FROM FDosle WHERE  (Datum3 >= #2024-01-01#) AND "
                                  "(Datum3 <= #2024-12-31#)  ORDER BY Id"
                               << "Splatnost od 1.1.2024 do 31.12.2024";
        QTest::newRow("text") << "SELECT * FROM FOdeslane WHERE  Specifikace LIKE '%oprava%'  "
                                 "ORDER BY Id"
                              << "Specifikace obsahuje „oprava“";
        QTest::newRow("other condition") << "SELECT * FROM FDosle WHERE Zaklad > 1000 ORDER BY Id"
                                         << "Zaklad > 1000";
    }

    void scopeOfTheRowsInWords() {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(describeScope(sql, {{"datum3", "Splatnost"}}), expected);
    }
};

QTEST_MAIN(TestOrvexExpressions)
#include "test_orvex_expressions.moc"
