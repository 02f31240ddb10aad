#include "storage/engine/plainbytes.h"

#include "storage/engine/formats.h"
#include "storage/engine/values.h"

#include <QDate>
#include <charconv>
#include <cmath>
#include <sqlite3.h>

namespace engine {

namespace {

void appendInteger(std::string& out, qint64 value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

// An amount as the database keeps it (whole ten-thousandths) in its shortest form with a
// decimal comma. Fifteen significant digits print such a value exactly, so below 10^15
// ten-thousandths the digits are those of the general way; false leaves larger values to it.
bool appendAmount(std::string& out, double stored) {
    const double units = std::round(stored * 10000.0);
    if (!(std::fabs(units) < 1e15) || (units == 0 && std::signbit(units)))
        return false;
    const qint64 whole = qint64(units);
    const qint64 magnitude = whole < 0 ? -whole : whole;
    if (whole < 0)
        out += '-';
    appendInteger(out, magnitude / 10000);
    int fraction = int(magnitude % 10000);
    if (fraction == 0)
        return true;
    char decimals[5] = {',', char('0' + fraction / 1000), char('0' + fraction / 100 % 10),
                        char('0' + fraction / 10 % 10), char('0' + fraction % 10)};
    int size = 5;
    while (decimals[size - 1] == '0')
        --size;
    out.append(decimals, size);
    return true;
}

int digitsAt(const unsigned char* text, int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// A stored ISO date "yyyy-mm-dd" as d.m.yyyy; false for anything else.
bool appendDate(std::string& out, const unsigned char* text, int size) {
    if (size != 10 || text[4] != '-' || text[7] != '-')
        return false;
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    if (!QDate::isValid(year, month, day))
        return false;
    appendInteger(out, day);
    out += '.';
    appendInteger(out, month);
    out += '.';
    out.append(reinterpret_cast<const char*>(text), 4);
    return true;
}

bool appendText(std::string& out, const unsigned char* text, int size) {
    const auto* bytes = reinterpret_cast<const char*>(text);
    if (!isPlainUtf8(bytes, size))
        return false;
    out.append(bytes, size);
    return true;
}

bool appendFast(std::string& out, sqlite3_stmt* statement, int column, FieldType type) {
    const int storage = sqlite3_column_type(statement, column);
    if (storage == SQLITE_NULL)
        return true;
    const auto text = [&] { return sqlite3_column_text(statement, column); };
    const auto size = [&] { return sqlite3_column_bytes(statement, column); };
    switch (type) {
    case FieldType::Currency:
        return storage != SQLITE_TEXT && storage != SQLITE_BLOB &&
               appendAmount(out, sqlite3_column_double(statement, column));
    case FieldType::Date:
        if (storage != SQLITE_TEXT)
            return false;
        return appendDate(out, text(), size());
    case FieldType::Text:
        if (storage == SQLITE_FLOAT)
            return false;
        return appendText(out, text(), size());
    case FieldType::Integer:
    case FieldType::Other:
        if (storage == SQLITE_INTEGER) {
            appendInteger(out, sqlite3_column_int64(statement, column));
            return true;
        }
        return type == FieldType::Other && storage == SQLITE_TEXT &&
               appendText(out, text(), size());
    }
    return false;
}

} // namespace

bool isPlainUtf8(const char* bytes, int size) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    // A leading byte-order mark may be taken away on the way into a QString.
    if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return false;
    for (int i = 0; i < size;) {
        const unsigned char lead = b[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t min = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            min = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            min = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            min = 0x10000;
        } else {
            return false;
        }
        if (i + length > size)
            return false;
        char32_t code = lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            if ((b[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (b[i + k] & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

char32_t nextCodePoint(const char* bytes, int& at) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char lead = b[at++];
    if (lead < 0x80)
        return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t code = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k)
        code = (code << 6) | (b[at++] & 0x3F);
    return code;
}

void appendPlainText(std::string& out, sqlite3_stmt* statement, int column, FieldType type) {
    const size_t start = out.size();
    if (appendFast(out, statement, column, type))
        return;
    out.resize(start);
    out += plainText(readColumn(statement, column, type)).toStdString();
}

} // namespace engine
