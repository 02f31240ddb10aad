#pragma once
// A temporary program folder with a prepared database and an AppState over it, plus a quick
// way to put invoices into a book. Tests of every subsystem start from here.

#include "storage/appstate.h"

#include <QDate>
#include <QTemporaryDir>
#include <QVariantMap>

struct BookFixture {
    QTemporaryDir dir;
    AppState state;

    // Prepares Lumira.mdb (both tables) in a fresh folder; TypProstredi selects the book.
    explicit BookFixture(int typProstredi = 0);

    // Inserts one row into a table; values by column name (QDate, double, int, QString).
    qint64 insert(const QString& table, const QVariantMap& values);
    // Inserts a simple invoice into the active book.
    qint64 insertInvoice(const QString& cislo, double zaklad = 0, double dph = 0, double celkem = 0,
                         const QDate& datum1 = QDate());
    // Opens the active book's data set over "SELECT * FROM T <BookCondition> ORDER BY Id".
    void openBook();
    // Writes text to Lumira.ini in Windows-1250 (lines joined with CR LF).
    void writeIni(const QStringList& lines);
    QString iniPath() const { return state.settingsPath(); }
};
