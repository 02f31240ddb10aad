#pragma once
// Sections-and-keys settings file with the semantics of the Windows profile functions,
// stored in Windows-1250.
//
// An IniFile reads the whole file when it is constructed; reads and writes then work on
// that copy, and save() replaces the file in one step. Create one for each moment the file
// is used and drop it afterwards, so that no stale copy outlives the moment.

#include <QString>
#include <QStringList>

class IniFile {
public:
    // Values longer than this are cut when read, as the profile functions do.
    static constexpr int maxValueLength = 2047;
    // A larger file is not a settings file of this program; it is not read.
    static constexpr qint64 maxFileBytes = 64 * 1024 * 1024;

    // A missing file reads as empty. A file that exists but cannot be read (or is no regular
    // file, or is larger than maxFileBytes) also reads as empty, and then refuses to be saved
    // so that its contents are not lost.
    explicit IniFile(const QString& path);

    QString path() const { return filePath; }

    // Blanks around the value and one pair of enclosing quotes (' or ") are dropped.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    // Decimal, or hexadecimal after 0x, 0X or $, with an optional sign; anything else
    // (including a number outside 32 bits) gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // Any integer other than 0 is on.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    bool sectionExists(const QString& section) const;
    bool keyExists(const QString& section, const QString& key) const;
    QStringList sectionKeys(const QString& section) const;

    // Changes the copy in memory only; save() puts it into the file. A line break in the
    // value is written as a blank, so a value can never add lines of its own.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    // Replaces the file atomically with CR LF line ends. Characters that Windows-1250 cannot
    // hold are stored as '?'. On failure the old file stays untouched, no temporary file is
    // left and errorString() says why. When the writes changed nothing the file is not touched.
    bool save();
    // Empty while nothing went wrong; otherwise a Czech text with the path and the reason.
    QString errorString() const { return error; }

private:
    void load();
    int findSection(const QString& section) const;
    int sectionEnd(int headerLine) const;
    int findKey(int headerLine, const QString& key) const;
    int lastKeyLine(int headerLine) const;
    bool checkReplaceable();
    bool fail(const QString& reason);

    QString filePath;
    QStringList lines;
    QStringList loadedLines;
    QString error;
    bool unreadable = false;
};
