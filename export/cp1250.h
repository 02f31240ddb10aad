#pragma once
// Windows-1250 for the delimited export, byte by byte through the code page's table.

#include <string>

namespace Export1 {

// Appends a value given as UTF-8 in Windows-1250, with the delimited file's rule: the
// separator (ASCII) becomes "_", line feeds and carriage returns vanish. False, with `out` as it
// was, when a character is not in the code page or the bytes are not plain UTF-8: the general
// way then decides what they become.
bool appendCp1250Value(std::string& out, const char* utf8, size_t size, char separator);

} // namespace Export1
