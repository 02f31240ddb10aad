#include "export/cp1250.h"

#include "storage/engine/win1250.h"

namespace Export1 {

namespace {

// The code point of the two- or three-byte UTF-8 sequence at utf8[at] (`at` moves past it), or
// 0 when it is not one: every character of the upper half has such a sequence.
char32_t upperHalfCodePoint(const unsigned char* utf8, size_t size, size_t& at) {
    const unsigned char lead = utf8[at];
    const int length = lead >= 0xC2 && lead <= 0xDF ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
    if (length == 0 || at + length > size)
        return 0;
    char32_t code = lead & (length == 2 ? 0x1F : 0x0F);
    for (int k = 1; k < length; ++k) {
        if ((utf8[at + k] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (utf8[at + k] & 0x3F);
    }
    at += length;
    return length == 3 && code < 0x800 ? 0 : code;
}

} // namespace

bool appendCp1250Value(std::string& out, const char* utf8, size_t size, char separator) {
    const size_t start = out.size();
    const auto* in = reinterpret_cast<const unsigned char*>(utf8);
    size_t runStart = 0; // a run of ASCII bytes that stay goes out in one piece
    for (size_t at = 0; at < size;) {
        const char c = utf8[at];
        if (in[at] < 0x80 && c != separator && c != '\n' && c != '\r') {
            ++at;
            continue;
        }
        out.append(utf8 + runStart, at - runStart);
        if (c == separator)
            out += '_';
        if (in[at] < 0x80) {
            ++at;
        } else {
            const char32_t code = upperHalfCodePoint(in, size, at);
            const unsigned char byte = code != 0 ? engine::win1250Byte(code) : 0;
            if (byte == 0) {
                out.resize(start);
                return false;
            }
            out += char(byte);
        }
        runStart = at;
    }
    out.append(utf8 + runStart, size - runStart);
    return true;
}

} // namespace Export1
