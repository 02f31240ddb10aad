#pragma once
// The invoice record's columns and everything that differs between the two books.

#include <QString>
#include <QStringList>

// Columns of a book table in table order (the order of "SELECT * FROM" and of the export).
const QStringList& invoiceColumns();

// Constants of one book, selected by TypProstredi (0 received, 1 issued).
struct BookInfo {
    int typProstredi;
    QString tableName;      // FDosle / FOdeslane
    QString code;           // FD / FO: suffix of the per-book settings keys
    QString statusName;     // "Došlé faktury" / "Odeslané faktury"
    QString choiceName;     // "Kniha došlých faktur" / "Kniha odeslaných faktur"
    QString partnerTitle;   // grid column title and editor heading
    QString partnerCaption; // editor field caption
    QString exportStem;     // FakturyDosle / FakturyOdeslane
};

// Any value but 1 means the received book.
const BookInfo& bookInfo(int typProstredi);

// The book the main window shows: the two fields always name the same book.
class ActiveBook {
public:
    explicit ActiveBook(int typProstredi = 0) { set(typProstredi); }
    void set(int typProstredi);
    int TypProstredi() const { return typProstredi_; }
    const QString& TableName() const { return bookInfo(typProstredi_).tableName; }
    const BookInfo& info() const { return bookInfo(typProstredi_); }

private:
    int typProstredi_ = 0;
};
