#pragma once
// Windows-1250, the code page of the settings file, the delimited export and older report
// templates. One table serves the text boxes' check, the encoder and the decoder.

#include <QByteArray>
#include <QString>

#include <array>

namespace engine {

// The Unicode character of each byte 0x80..0xFF; 0 for the five bytes the code page leaves
// undefined.
const std::array<char16_t, 128>& win1250UpperHalf();

// Whether the code page has a byte for the character. The C1 controls that the undefined bytes
// decode to do not count: no text box takes them.
bool fitsWin1250(QChar c);
bool fitsWin1250(const QString& text);

// The byte of a character above ASCII that the code page defines; 0 when it has none.
unsigned char win1250Byte(char32_t c);

// The character of one byte. An undefined byte gives `undefined`; when that is null, the C1
// control of the same number, as the system's converters read it (and encodeWin1250 writes it
// back).
QChar win1250Char(unsigned char byte, QChar undefined = QChar());

// Bytes to text, byte by byte with win1250Char.
QString decodeWin1250(const QByteArray& bytes, QChar undefined = QChar());

// Text to bytes; a character the code page lacks becomes `missing` (one per character, not per
// UTF-16 unit). The C1 controls of the undefined bytes go back to those bytes.
QByteArray encodeWin1250(const QString& text, char missing);

} // namespace engine
