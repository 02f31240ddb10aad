#include "bench/generator.h"

#include "storage/bootstrap.h"

#include <QDate>
#include <QDir>
#include <array>
#include <cmath>
#include <cstdio>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace bench {

namespace {

// splitmix64: fast, and the same seed gives the same book.
class Random {
public:
    explicit Random(quint64 seed) : state_(seed) {}
    quint64 next() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int bound) { return int(next() % quint64(bound)); }
    double unit() { return double(next() >> 11) / double(1ULL << 53); }

private:
    quint64 state_;
};

const std::array<const char*, 16> kTrades = {
    "Stavební firma",    "Elektro",        "Účetní kancelář",   "Truhlářství",
    "Autoservis",        "Kovovýroba",     "Tiskárna",          "Zahradnictví",
    "Pekařství",         "Instalatérství", "Cestovní agentura", "Velkoobchod",
    "Projekční ateliér", "Čistírna",       "Dopravní služby",   "Pneuservis"};
const std::array<const char*, 20> kSurnames = {
    "Novák", "Svoboda", "Dvořák",  "Černý",    "Procházka", "Kučera", "Veselý",
    "Horák", "Němec",   "Pokorný", "Marek",    "Růžička",   "Žák",    "Šťastný",
    "Král",  "Beneš",   "Fiala",   "Sedláček", "Doležal",   "Zelenka"};
const std::array<const char*, 5> kForms = {"s.r.o.", "a.s.", "v.o.s.", "spol. s r.o.", ""};
const std::array<const char*, 10> kBankCodes = {"0100", "0300", "0600", "0800", "2010",
                                                "2700", "3030", "5500", "6210", "0710"};
const std::array<const char*, 16> kSpecifications = {"Nákup kancelářských potřeb",
                                                     "Oprava služebního vozidla",
                                                     "Pronájem kancelářských prostor",
                                                     "Servis výpočetní techniky",
                                                     "Dodávka elektřiny",
                                                     "Telefonní a datové služby",
                                                     "Školení zaměstnanců",
                                                     "Stavební práce - přístavba",
                                                     "Účetní a daňové poradenství",
                                                     "Údržba zeleně",
                                                     "Přeprava zboží",
                                                     "Tisk letáků a vizitek",
                                                     "Nákup materiálu na zakázku",
                                                     "Pohonné hmoty",
                                                     "Úklidové služby",
                                                     "Pojištění majetku"};
const std::array<const char*, 6> kNotes = {
    "Zaplaceno převodem", "Uhrazeno v hotovosti", "Dobropis k předchozí faktuře",
    "Záloha - vyúčtovat", "Reklamace vyřízena",   "Splatnost prodloužena dohodou"};

struct Partner {
    std::string name;
    std::string ico;
    std::string account;
    const char* bankCode;
};

// The eighth digit of a company number is its check digit over the first seven.
std::string companyNumber(Random& random) {
    int digits[7];
    int sum = 0;
    for (int i = 0; i < 7; ++i) {
        digits[i] = random.below(10);
        sum += digits[i] * (8 - i);
    }
    const int rest = sum % 11;
    const int check = rest == 0 ? 1 : rest == 1 ? 0 : 11 - rest;
    std::string ico;
    for (int d : digits)
        ico += char('0' + d);
    return ico + char('0' + check);
}

std::vector<Partner> makePartners(Random& random, int count) {
    std::vector<Partner> partners;
    partners.reserve(count);
    for (int i = 0; i < count; ++i) {
        Partner p;
        const char* form = kForms[random.below(int(kForms.size()))];
        p.name = std::string(kTrades[i % kTrades.size()]) + ' ' +
                 kSurnames[(i / kTrades.size() + i) % kSurnames.size()];
        if (i >= int(kTrades.size() * kSurnames.size()))
            p.name += ' ' + std::to_string(i / (kTrades.size() * kSurnames.size()) + 1);
        if (*form)
            p.name += std::string(", ") + form;
        p.ico = companyNumber(random);
        char account[24];
        if (random.below(3) == 0)
            std::snprintf(account, sizeof account, "%d-%010llu", 19 + random.below(80),
                          (unsigned long long)(random.next() % 10000000000ULL));
        else
            std::snprintf(account, sizeof account, "%010llu",
                          (unsigned long long)(random.next() % 10000000000ULL));
        p.account = account;
        p.bankCode = kBankCodes[random.below(int(kBankCodes.size()))];
        partners.push_back(p);
    }
    return partners;
}

// Amounts in whole cents, so the stored values are exact to the cent.
struct Amounts {
    qint64 base;
    int rate;
    qint64 vat;
};

Amounts makeAmounts(Random& random) {
    // Log-uniform between 50 Kč and 500 000 Kč: many small invoices, a few large ones.
    const double crowns = 50.0 * std::pow(10000.0, random.unit());
    const int pick = random.below(100);
    const int rate = pick < 62 ? 21 : pick < 82 ? 15 : pick < 94 ? 10 : 0;
    const qint64 base = qint64(std::llround(crowns * 100.0));
    return {base, rate, (base * rate + 50) / 100};
}

class Writer {
public:
    Writer(sqlite3* db, const QString& table) : db_(db) {
        const QByteArray sql =
            "INSERT INTO " + table.toUtf8() +
            " (Cislo, Dodavatel_odberatel, ICO, CisloUctu, SmerovyKod, Specifikace, "
            "VariabilniSymbol, Zaklad, SazbaDPH, DPH, Celkem, Datum1, Datum2, Datum3, Poznamka) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
        sqlite3_prepare_v2(db_, sql.constData(), -1, &insert_, nullptr);
    }
    ~Writer() { sqlite3_finalize(insert_); }
    bool ok() const { return insert_ != nullptr; }
    bool write(Random& random, const std::vector<Partner>& partners, qint64 row, qint64 rows);

private:
    sqlite3* db_;
    sqlite3_stmt* insert_ = nullptr;
    std::array<qint64, 3> counters_{};
    char number_[24];
    char symbol_[16];
    char dates_[3][12];

    void text(int column, const char* value, int size = -1) {
        sqlite3_bind_text(insert_, column, value, size, SQLITE_STATIC);
    }
    void makeNumber(int series, int year);
    void makeDates(Random& random, qint64 row, qint64 rows, bool withDue);
};

void Writer::makeNumber(int series, int year) {
    // Endings stay below 9999, so every series still has a next number.
    const int counter = int(counters_[series]++ % 9998) + 1;
    switch (series) {
    case 0:
        std::snprintf(number_, sizeof number_, "FD_%04d", counter);
        break;
    case 1:
        std::snprintf(number_, sizeof number_, "%d/%04d", year, counter);
        break;
    default:
        std::snprintf(number_, sizeof number_, "PR-%04d", counter);
        break;
    }
}

// Invoices are entered roughly in date order over ten years, a few days out of order.
void Writer::makeDates(Random& random, qint64 row, qint64 rows, bool withDue) {
    static const QDate first(2015, 1, 1);
    static const qint64 span = first.daysTo(QDate(2024, 12, 31));
    const qint64 offset =
        qBound<qint64>(0, row * span / qMax<qint64>(rows, 1) - random.below(12), span);
    const QDate issued = first.addDays(offset);
    const QDate received = issued.addDays(random.below(6));
    const QDate due = issued.addDays(random.below(2) ? 14 : 30);
    const QDate days[3] = {issued, received, due};
    for (int i = 0; i < 3; ++i)
        std::snprintf(dates_[i], sizeof dates_[i], "%04d-%02d-%02d", days[i].year(),
                      days[i].month(), days[i].day());
    if (!withDue)
        dates_[2][0] = '\0';
}

bool Writer::write(Random& random, const std::vector<Partner>& partners, qint64 row, qint64 rows) {
    // A few regular partners get most of the invoices.
    const int index = random.below(4) == 0 ? random.below(int(partners.size()))
                                           : random.below(qMin(40, int(partners.size())));
    const Partner& partner = partners[index];
    makeDates(random, row, rows, random.below(20) != 0);
    makeNumber(int(row % 3), std::atoi(dates_[0]));
    std::snprintf(symbol_, sizeof symbol_, "%010llu",
                  (unsigned long long)(random.next() % 10000000000ULL));
    const Amounts amounts = makeAmounts(random);

    sqlite3_reset(insert_);
    text(1, number_);
    text(2, partner.name.c_str(), int(partner.name.size()));
    text(3, partner.ico.c_str(), 8);
    text(4, partner.account.c_str(), int(partner.account.size()));
    text(5, partner.bankCode, 4);
    text(6, kSpecifications[random.below(int(kSpecifications.size()))]);
    text(7, symbol_);
    sqlite3_bind_double(insert_, 8, double(amounts.base) / 100.0);
    sqlite3_bind_int(insert_, 9, amounts.rate);
    sqlite3_bind_double(insert_, 10, double(amounts.vat) / 100.0);
    sqlite3_bind_double(insert_, 11, double(amounts.base + amounts.vat) / 100.0);
    for (int i = 0; i < 3; ++i) {
        if (dates_[i][0])
            text(12 + i, dates_[i], 10);
        else
            sqlite3_bind_null(insert_, 12 + i);
    }
    if (row % 7 == 0)
        text(15, kNotes[random.below(int(kNotes.size()))]);
    else
        sqlite3_bind_null(insert_, 15);
    return sqlite3_step(insert_) == SQLITE_DONE;
}

bool fail(sqlite3* db, QString* error) {
    if (error)
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    return false;
}

bool run(sqlite3* db, const char* sql, QString* error) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK || fail(db, error);
}

bool writeRows(sqlite3* db, const QString& table, qint64 rows, QString* error) {
    Random random(0x4C756D6972610000ULL ^ quint64(rows));
    const std::vector<Partner> partners = makePartners(random, 400);
    Writer writer(db, table);
    if (!writer.ok())
        return fail(db, error);
    for (qint64 row = 0; row < rows; ++row)
        if (!writer.write(random, partners, row, rows))
            return fail(db, error);
    return true;
}

} // namespace

bool generateBook(const QString& programDir, const QString& table, qint64 rows, QString* error) {
    if (!QDir().mkpath(programDir)) {
        *error = QStringLiteral("Složku \"%1\" nelze založit.").arg(programDir);
        return false;
    }
    engine::Connection connection;
    if (const BootstrapResult database =
            bootstrapDatabase(connection, QDir(programDir).absolutePath() + u'/');
        !database) {
        *error = QStringLiteral("Databázi v \"%1\" nelze připravit: %2")
                     .arg(programDir, database.warning);
        return false;
    }
    sqlite3* db = connection.handle();
    // The whole load is one transaction: a failure leaves the table as it was.
    if (!run(db, "PRAGMA synchronous = OFF", error) || !run(db, "BEGIN", error))
        return false;
    if (!writeRows(db, table, rows, error)) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return run(db, "COMMIT", error);
}

} // namespace bench
