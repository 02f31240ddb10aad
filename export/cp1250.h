#pragma once
// Windows-1250 for the delimited export, byte by byte through the code page's table.

#include <QByteArray>

namespace Export1 {

// Appends a value given as valid UTF-8 in Windows-1250, with the delimited file's rule: the
// separator (ASCII) becomes "_", line feeds and carriage returns vanish. False, with `out` as it
// was, when a character is not in the code page: the general encoder then decides what it
// becomes.
bool appendCp1250Value(QByteArray& out, const char* utf8, qsizetype size, char separator);

// The Unicode character of each byte 0x80..0xFF (0 where the code page has none).
const char16_t* cp1250UpperHalf();

} // namespace Export1
