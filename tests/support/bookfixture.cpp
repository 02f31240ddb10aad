#include "support/bookfixture.h"

#include "storage/bootstrap.h"
#include "support/testfiles.h"

BookFixture::BookFixture(int typProstredi) {
    state.ProgramDir = dir.path() + u'/';
    state.activeBook.set(typProstredi);
    if (!bootstrapDatabase(state.connection, state.ProgramDir))
        qFatal("BookFixture: the database could not be prepared in %s", qPrintable(dir.path()));
}

qint64 BookFixture::insert(const QString& table, const QVariantMap& values) {
    engine::DataSet set(&state.connection);
    set.setCommandText(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY Id"));
    if (!set.open() || !set.append())
        qFatal("BookFixture: %s", qPrintable(set.lastError()));
    for (auto it = values.begin(); it != values.end(); ++it)
        set.setValue(it.key(), it.value());
    if (!set.post())
        qFatal("BookFixture: %s", qPrintable(set.lastError()));
    return set.value(QStringLiteral("Id")).toLongLong();
}

qint64 BookFixture::insertInvoice(const QString& cislo, double zaklad, double dph, double celkem,
                                  const QDate& datum1) {
    QVariantMap values{{QStringLiteral("Cislo"), cislo},
                       {QStringLiteral("Zaklad"), zaklad},
                       {QStringLiteral("DPH"), dph},
                       {QStringLiteral("Celkem"), celkem}};
    if (datum1.isValid())
        values.insert(QStringLiteral("Datum1"), datum1);
    return insert(state.activeBook.TableName(), values);
}

void BookFixture::openBook() {
    state.book.setCommandText(QStringLiteral("SELECT * FROM ") + state.activeBook.TableName() +
                              u' ' + state.BookCondition + QStringLiteral(" ORDER BY Id"));
    if (!state.book.open())
        qFatal("BookFixture: %s", qPrintable(state.book.lastError()));
}

void BookFixture::writeIni(const QStringList& lines) {
    writeLines(iniPath(), lines);
}
