#include "storage/inifile.h"

#include "storage/engine/regularfile.h"
#include "storage/engine/savefile.h"
#include "storage/engine/win1250.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString fromCodePage(const QByteArray& bytes) {
    return engine::decodeWin1250(bytes);
}

// A character the code page lacks becomes "?": a control character in its place would count
// as a blank when the file is read again.
QByteArray toCodePage(const QString& text) {
    return engine::encodeWin1250(text, '?');
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

QStringView trimBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

QStringView withoutQuotes(QStringView text) {
    const bool quoted = text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
                        text.back() == text.front();
    return quoted ? text.mid(1, text.size() - 2) : text;
}

struct ParsedLine {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    QStringView name;
    QStringView value;

    bool is(Kind k, const QString& wanted) const {
        return kind == k && name.compare(wanted, Qt::CaseInsensitive) == 0;
    }
};

// "[name]" opens a section, "name=value" is a key, ';' starts a comment.
ParsedLine parseLine(QStringView line) {
    const QStringView text = trimBlanks(line);
    ParsedLine parsed;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.lastIndexOf(u']');
        if (close > 0) {
            parsed.kind = ParsedLine::Kind::Section;
            parsed.name = trimBlanks(text.mid(1, close - 1));
        }
        return parsed;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (text.startsWith(u';') || equals < 0)
        return parsed;
    parsed.kind = ParsedLine::Kind::Key;
    parsed.name = trimBlanks(text.left(equals));
    parsed.value = trimBlanks(text.mid(equals + 1));
    return parsed;
}

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool allDigits(QStringView text, int base) {
    for (const QChar c : text) {
        if (base == 16 ? !isHexDigit(c) : (c < u'0' || c > u'9'))
            return false;
    }
    return !text.isEmpty();
}

// Sign, then "$", "0x" or "0X" for hexadecimal. Hexadecimal covers all 32 bits (so $FFFFFFFF
// is -1); decimal must fit a signed 32-bit integer.
bool parseInteger(QStringView text, int* result) {
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    bool ok = allDigits(text, base);
    const qulonglong magnitude = ok ? text.toULongLong(&ok, base) : 0;
    const qulonglong limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!ok || magnitude > limit)
        return false;
    const quint32 bits = negative ? 0u - quint32(magnitude) : quint32(magnitude);
    *result = qint32(bits);
    return true;
}

QString singleLine(QString value) {
    return value.replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

IniFile::IniFile(const QString& path) : filePath(path) {
    load();
}

void IniFile::load() {
    if (!QFileInfo::exists(filePath))
        return;
    QByteArray bytes;
    QString reason;
    if (!engine::readRegularFile(filePath, maxFileBytes, bytes, reason)) {
        unreadable = true;
        error = QStringLiteral("Nelze přečíst soubor nastavení \"%1\".\n%2").arg(filePath, reason);
        return;
    }
    const QString text = fromCodePage(bytes);
    if (text.isEmpty())
        return;
    lines = text.split(u'\n');
    if (text.endsWith(u'\n'))
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    loadedLines = lines;
}

int IniFile::findSection(const QString& section) const {
    for (int i = 0; i < lines.size(); ++i) {
        if (parseLine(lines.at(i)).is(ParsedLine::Kind::Section, section))
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int headerLine) const {
    int i = headerLine + 1;
    while (i < lines.size() && parseLine(lines.at(i)).kind != ParsedLine::Kind::Section)
        ++i;
    return i;
}

// Only the first section of a name counts, and in it the first key of a name, as with the
// profile functions.
int IniFile::findKey(int headerLine, const QString& key) const {
    const int end = sectionEnd(headerLine);
    for (int i = headerLine + 1; i < end; ++i) {
        if (parseLine(lines.at(i)).is(ParsedLine::Kind::Key, key))
            return i;
    }
    return -1;
}

int IniFile::lastKeyLine(int headerLine) const {
    const int end = sectionEnd(headerLine);
    int last = headerLine;
    for (int i = headerLine + 1; i < end; ++i) {
        if (parseLine(lines.at(i)).kind == ParsedLine::Kind::Key)
            last = i;
    }
    return last;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const int header = findSection(section);
    const int line = header < 0 ? -1 : findKey(header, key);
    if (line < 0)
        return defaultValue;
    return withoutQuotes(parseLine(lines.at(line)).value).left(maxValueLength).toString();
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    int value = 0;
    return parseInteger(readString(section, key), &value) ? value : defaultValue;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::sectionExists(const QString& section) const {
    return findSection(section) >= 0;
}

bool IniFile::keyExists(const QString& section, const QString& key) const {
    const int header = findSection(section);
    return header >= 0 && findKey(header, key) >= 0;
}

QStringList IniFile::sectionKeys(const QString& section) const {
    QStringList keys;
    const int header = findSection(section);
    if (header < 0)
        return keys;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const ParsedLine parsed = parseLine(lines.at(i));
        const QString name = parsed.name.toString();
        if (parsed.kind == ParsedLine::Kind::Key && !keys.contains(name, Qt::CaseInsensitive))
            keys.append(name);
    }
    return keys;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString line = key + u'=' + singleLine(value);
    const int header = findSection(section);
    if (header < 0) {
        lines << u'[' + section + u']' << line;
        return;
    }
    const int existing = findKey(header, key);
    if (existing >= 0)
        lines[existing] = line;
    else
        lines.insert(lastKeyLine(header) + 1, line);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::save() {
    if (unreadable)
        return false; // keeps the load error: saving would drop the unread contents
    if (lines == loadedLines) {
        error.clear();
        return true; // nothing changed: the file stays as it is, even a read-only one
    }
    if (!checkReplaceable())
        return false;
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    QString text;
    for (const QString& line : std::as_const(lines))
        text += line + QStringLiteral("\r\n");
    if (!engine::writeAll(file, toCodePage(text)))
        return fail(file.errorString());
    QString reason;
    if (!engine::commitAll(file, reason))
        return fail(reason);
    error.clear();
    return true;
}

// A file without any write permission is the counterpart of a read-only file elsewhere;
// it stays as it is even for a user whom the system would let replace it.
bool IniFile::checkReplaceable() {
    const QFileInfo info(filePath);
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!info.isFile() || (info.permissions() & anyWrite))
        return true;
    return fail(QStringLiteral("Soubor je jen pro čtení."));
}

bool IniFile::fail(const QString& reason) {
    error = QStringLiteral("Nelze uložit soubor nastavení \"%1\".\n%2").arg(filePath, reason);
    return false;
}
