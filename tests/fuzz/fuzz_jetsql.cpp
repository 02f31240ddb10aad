// Jet SQL translation: any text must translate without a crash, keep every quoted literal
// exactly as typed (date literals aside), and give SQLite either a statement or an error.
#include "storage/engine/jetsql.h"
#include "storage/engine/sqltokens.h"

#include <cstdint>
#include <cstdlib>
#include <sqlite3.h>

namespace {

QStringList stringLiterals(const QString& sql) {
    QStringList literals;
    for (const engine::SqlToken& token : engine::tokenizeSql(sql))
        if (token.kind == engine::SqlToken::String)
            literals << token.text;
    return literals;
}

sqlite3* database() {
    static sqlite3* db = [] {
        sqlite3* handle = nullptr;
        sqlite3_open(":memory:", &handle);
        sqlite3_exec(handle,
                     "CREATE TABLE FDosle (Id INTEGER PRIMARY KEY, Cislo VARCHAR(20), Zaklad "
                     "CURRENCY, Datum1 DateTime)",
                     nullptr, nullptr, nullptr);
        return handle;
    }();
    return db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString jet = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const QString translated = engine::translateJetSql(jet);
    QStringList before = stringLiterals(jet);
    // Date literals become string literals of their own; only the typed ones must survive.
    QStringList after = stringLiterals(translated);
    for (const QString& literal : before) {
        const int at = after.indexOf(literal);
        if (at < 0)
            abort();
        after.removeAt(at);
    }
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = translated.toUtf8();
    sqlite3_prepare_v2(database(), text.constData(), text.size(), &statement, nullptr);
    sqlite3_finalize(statement);
    return 0;
}
