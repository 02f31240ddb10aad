#include "export/cp1250.h"

#include <array>

namespace Export1 {

namespace {

constexpr char16_t upperHalf[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

// Every character of the upper half lies below U+2200.
constexpr char32_t tableEnd = 0x2200;

// The byte of each character below tableEnd that the upper half holds (0: none).
const std::array<unsigned char, tableEnd>& byteOf() {
    static const std::array<unsigned char, tableEnd> bytes = [] {
        std::array<unsigned char, tableEnd> table{};
        for (int i = 0; i < 128; ++i)
            if (upperHalf[i] != 0)
                table[upperHalf[i]] = static_cast<unsigned char>(0x80 + i);
        return table;
    }();
    return bytes;
}

} // namespace

const char16_t* cp1250UpperHalf() {
    return upperHalf;
}

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
    const auto& bytes = byteOf();
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
            const unsigned char byte = code != 0 && code < tableEnd ? bytes[code] : 0;
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
