#include "storage/books.h"

const QStringList& invoiceColumns() {
    static const QStringList columns{QStringLiteral("Id"),
                                     QStringLiteral("Cislo"),
                                     QStringLiteral("Dodavatel_odberatel"),
                                     QStringLiteral("ICO"),
                                     QStringLiteral("CisloUctu"),
                                     QStringLiteral("SmerovyKod"),
                                     QStringLiteral("Specifikace"),
                                     QStringLiteral("VariabilniSymbol"),
                                     QStringLiteral("Zaklad"),
                                     QStringLiteral("SazbaDPH"),
                                     QStringLiteral("DPH"),
                                     QStringLiteral("Celkem"),
                                     QStringLiteral("Datum1"),
                                     QStringLiteral("Datum2"),
                                     QStringLiteral("Datum3"),
                                     QStringLiteral("Poznamka")};
    return columns;
}

const BookInfo& bookInfo(int typProstredi) {
    static const BookInfo books[2] = {
        {0, QStringLiteral("FDosle"), QStringLiteral("FD"), QStringLiteral("Došlé faktury"),
         QStringLiteral("Kniha došlých faktur"), QStringLiteral("Dodavatel"),
         QStringLiteral("Název dodavatele"), QStringLiteral("FakturyDosle")},
        {1, QStringLiteral("FOdeslane"), QStringLiteral("FO"), QStringLiteral("Odeslané faktury"),
         QStringLiteral("Kniha odeslaných faktur"), QStringLiteral("Odběratel"),
         QStringLiteral("Název odběratele"), QStringLiteral("FakturyOdeslane")}};
    return books[typProstredi == 1 ? 1 : 0];
}

void ActiveBook::set(int typProstredi) {
    typProstredi_ = typProstredi == 1 ? 1 : 0;
}
