#pragma once
// Hand-made book rows for the report library's tests: the columns of a book table and
// invoices with known sums.

#include "orvex/datatable.h"

#include <QDate>
#include <QImage>
#include <QProcess>
#include <memory>

namespace orvexfixtures {

inline QStringList bookColumns() {
    return {"Id",
            "Cislo",
            "Dodavatel_odberatel",
            "ICO",
            "CisloUctu",
            "SmerovyKod",
            "Specifikace",
            "VariabilniSymbol",
            "Zaklad",
            "SazbaDPH",
            "DPH",
            "Celkem",
            "Datum1",
            "Datum2",
            "Datum3",
            "Poznamka"};
}

// count invoices; rates cycle 21, 12, 0; base of invoice i is 1000 + i * 10.5.
inline std::shared_ptr<orvex::DataTable> book(int count) {
    auto table = std::make_shared<orvex::DataTable>();
    table->fieldNames = bookColumns();
    const int rates[] = {21, 12, 0};
    const QStringList partners = {"Stavebniny Šťastný s.r.o.", "Účetní kancelář Žižkov",
                                  "Pekařství U Řeky"};
    for (int i = 1; i <= count; ++i) {
        const int rate = rates[(i - 1) % 3];
        const double base = 1000 + i * 10.5;
        const double vat = qRound64(base * rate) / 100.0;
        const QDate date(2024, 1 + (i - 1) % 12, 1 + (i - 1) % 28);
        table->rows << QVector<QVariant>{qint64(i),
                                         QString("FD_%1").arg(i, 4, 10, QChar('0')),
                                         partners[(i - 1) % 3],
                                         QString("2654%1").arg(i, 4, 10, QChar('0')),
                                         QString("19-123456%1").arg(i % 10),
                                         QString("0100"),
                                         QString("Zboží %1").arg(i),
                                         QString("2024%1").arg(i, 4, 10, QChar('0')),
                                         base,
                                         qint64(rate),
                                         vat,
                                         base + vat,
                                         date,
                                         date.addDays(3),
                                         date.addDays(14),
                                         QVariant()};
    }
    return table;
}

inline double columnSum(const orvex::DataTable& table, const QString& column) {
    const int index = table.fieldIndex(column);
    double sum = 0;
    for (const auto& row : table.rows)
        sum += row[index].toDouble();
    return sum;
}

// The program's parameter text for a book of received invoices with the business settings
// all empty.
inline QString emptyBusinessParameters(const QString& title) {
    QStringList parts = {"Nadpis", title};
    for (const char* key : {"NazevSubjektu", "OdpovednaOsoba", "Ulice", "PSC", "Mesto", "IC", "DIC",
                            "Tel", "Email", "WWW"})
        parts << key << "";
    parts << "Mena"
          << "CZK"
          << "Nadpis" << title << "TypProstredi"
          << "0"
          << "Datum1"
          << "Datum 1"
          << "Datum2"
          << "Datum 2"
          << "Datum3"
          << "Datum 3";
    return parts.join('|');
}

// The program's parameter text for a book of received invoices.
inline QString programParameters(const QString& title) {
    return QStringList{"Nadpis",
                       title,
                       "NazevSubjektu",
                       "Truhlářství Dvořák",
                       "OdpovednaOsoba",
                       "Jana Dvořáková",
                       "Ulice",
                       "Polní 12",
                       "PSC",
                       "602 00",
                       "Mesto",
                       "Brno",
                       "IC",
                       "12345678",
                       "DIC",
                       "CZ12345678",
                       "Tel",
                       "",
                       "Email",
                       "",
                       "WWW",
                       "",
                       "Mena",
                       "CZK",
                       "Nadpis",
                       title,
                       "TypProstredi",
                       "0",
                       "Datum1",
                       "Vystaveno",
                       "Datum2",
                       "Přijato",
                       "Datum3",
                       "Splatnost"}
        .join('|');
}

// Output of a poppler or zbar tool run on a file; empty when the tool failed.
inline QByteArray toolOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// Text of a PDF with layout kept; non-breaking spaces become plain ones.
inline QString pdfText(const QString& pdfPath) {
    const QByteArray text = toolOutput("pdftotext", {"-layout", pdfPath, "-"});
    return text.isEmpty() ? QStringLiteral("pdftotext failed")
                          : QString::fromUtf8(text).replace(QChar(0xA0), u' ');
}

// The first page of a PDF as an image at the given resolution (96: one pixel per template pixel).
inline QImage pdfImage(const QString& pdfPath, int dpi = 96) {
    const QString base = pdfPath + QString("-%1").arg(dpi);
    toolOutput("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdfPath, base});
    return QImage(base + ".png");
}

} // namespace orvexfixtures
