#include "storage/settings.h"

#include "storage/inifile.h"

#include <variant>

namespace {

using TextMember = Settings::TextMember;
using NumberMember = Settings::NumberMember;
using SwitchMember = Settings::SwitchMember;

struct StoredKey {
    const char* section;
    const char* key;
    std::variant<TextMember, NumberMember, SwitchMember> member;
};

const char* const userSection = "Nastaveni";
const char* const layoutSection = "Konfig";

// The key is spelled once: its name is the member's name.
#define LUMIRA_KEY(section, name)                                                                  \
    { section, #name, &Settings::name }

// In the order of the file's sections; TypProstredi is kept with the book.
const StoredKey storedKeys[] = {
    LUMIRA_KEY(userSection, NazevSubjektu),
    LUMIRA_KEY(userSection, OdpovednaOsoba),
    LUMIRA_KEY(userSection, Ulice),
    LUMIRA_KEY(userSection, PSC),
    LUMIRA_KEY(userSection, Mesto),
    LUMIRA_KEY(userSection, IC),
    LUMIRA_KEY(userSection, DIC),
    LUMIRA_KEY(userSection, Tel),
    LUMIRA_KEY(userSection, Email),
    LUMIRA_KEY(userSection, WWW),
    LUMIRA_KEY(userSection, Mena),
    LUMIRA_KEY(userSection, PopiskaD1_FD),
    LUMIRA_KEY(userSection, PopiskaD2_FD),
    LUMIRA_KEY(userSection, PopiskaD3_FD),
    LUMIRA_KEY(userSection, PopiskaD1_FO),
    LUMIRA_KEY(userSection, PopiskaD2_FO),
    LUMIRA_KEY(userSection, PopiskaD3_FO),
    LUMIRA_KEY(userSection, VychHodnotaD1_FD),
    LUMIRA_KEY(userSection, VychHodnotaD2_FD),
    LUMIRA_KEY(userSection, VychHodnotaD3_FD),
    LUMIRA_KEY(userSection, VychHodnotaD1_FO),
    LUMIRA_KEY(userSection, VychHodnotaD2_FO),
    LUMIRA_KEY(userSection, VychHodnotaD3_FO),
    LUMIRA_KEY(userSection, AutoCislo_FD),
    LUMIRA_KEY(userSection, Prefix_FD),
    LUMIRA_KEY(userSection, AutoCislo_FO),
    LUMIRA_KEY(userSection, Prefix_FO),
    LUMIRA_KEY(userSection, NazevCisRady1),
    LUMIRA_KEY(userSection, NazevCisRady2),
    LUMIRA_KEY(userSection, NazevCisRady3),
    LUMIRA_KEY(userSection, NazevCisRady4),
    LUMIRA_KEY(userSection, NazevCisRady5),
    LUMIRA_KEY(userSection, SekPrefix1),
    LUMIRA_KEY(userSection, SekPrefix2),
    LUMIRA_KEY(userSection, SekPrefix3),
    LUMIRA_KEY(userSection, SekPrefix4),
    LUMIRA_KEY(userSection, SekPrefix5),
    LUMIRA_KEY(userSection, TypCiselneRady),
    LUMIRA_KEY(userSection, ZakladniSazbaDPH),
    LUMIRA_KEY(userSection, SnizenaSazbaDPH1),
    LUMIRA_KEY(userSection, SnizenaSazbaDPH2),
    LUMIRA_KEY(layoutSection, UkladatFrm),
    LUMIRA_KEY(layoutSection, UkladatTabulkuDB),
};

#undef LUMIRA_KEY

QString readValue(const IniFile& ini, const StoredKey& k, const QString& fallback) {
    return ini.readString(k.section, k.key, fallback);
}
int readValue(const IniFile& ini, const StoredKey& k, int fallback) {
    return ini.readInteger(k.section, k.key, fallback);
}
bool readValue(const IniFile& ini, const StoredKey& k, bool fallback) {
    return ini.readBool(k.section, k.key, fallback);
}

void writeValue(IniFile& ini, const StoredKey& k, const QString& value) {
    ini.writeString(k.section, k.key, value);
}
void writeValue(IniFile& ini, const StoredKey& k, int value) {
    ini.writeInteger(k.section, k.key, value);
}
void writeValue(IniFile& ini, const StoredKey& k, bool value) {
    ini.writeBool(k.section, k.key, value);
}

constexpr TextMember dateCaptions[2][3] = {
    {&Settings::PopiskaD1_FD, &Settings::PopiskaD2_FD, &Settings::PopiskaD3_FD},
    {&Settings::PopiskaD1_FO, &Settings::PopiskaD2_FO, &Settings::PopiskaD3_FO}};
constexpr NumberMember defaultDateKinds[2][3] = {
    {&Settings::VychHodnotaD1_FD, &Settings::VychHodnotaD2_FD, &Settings::VychHodnotaD3_FD},
    {&Settings::VychHodnotaD1_FO, &Settings::VychHodnotaD2_FO, &Settings::VychHodnotaD3_FO}};
constexpr SwitchMember autoNumbers[2] = {&Settings::AutoCislo_FD, &Settings::AutoCislo_FO};
constexpr TextMember numberPrefixes[2] = {&Settings::Prefix_FD, &Settings::Prefix_FO};
constexpr TextMember seriesNames[Settings::seriesCount] = {
    &Settings::NazevCisRady1, &Settings::NazevCisRady2, &Settings::NazevCisRady3,
    &Settings::NazevCisRady4, &Settings::NazevCisRady5};
constexpr TextMember seriesPrefixes[Settings::seriesCount] = {
    &Settings::SekPrefix1, &Settings::SekPrefix2, &Settings::SekPrefix3, &Settings::SekPrefix4,
    &Settings::SekPrefix5};

int bookIndex(int book) {
    return book == 1 ? 1 : 0;
}
int dateIndex(int date) {
    return qBound(1, date, 3) - 1;
}
int seriesIndex(int series) {
    return qBound(1, series, Settings::seriesCount) - 1;
}

} // namespace

Settings Settings::read(const IniFile& ini) {
    Settings settings;
    for (const StoredKey& k : storedKeys)
        std::visit([&](auto member) { settings.*member = readValue(ini, k, settings.*member); },
                   k.member);
    return settings;
}

void Settings::write(IniFile& ini) const {
    for (const StoredKey& k : storedKeys)
        std::visit([&](auto member) { writeValue(ini, k, this->*member); }, k.member);
}

int Settings::readTypProstredi(const IniFile& ini) {
    return bookIndex(ini.readInteger(userSection, "TypProstredi", 0));
}

void Settings::writeTypProstredi(IniFile& ini, int typProstredi) {
    ini.writeInteger(userSection, "TypProstredi", bookIndex(typProstredi));
}

TextMember Settings::dateCaptionMember(int book, int date) {
    return dateCaptions[bookIndex(book)][dateIndex(date)];
}
NumberMember Settings::defaultDateKindMember(int book, int date) {
    return defaultDateKinds[bookIndex(book)][dateIndex(date)];
}
SwitchMember Settings::autoNumberMember(int book) {
    return autoNumbers[bookIndex(book)];
}
TextMember Settings::numberPrefixMember(int book) {
    return numberPrefixes[bookIndex(book)];
}
TextMember Settings::seriesNameMember(int series) {
    return seriesNames[seriesIndex(series)];
}
TextMember Settings::seriesPrefixMember(int series) {
    return seriesPrefixes[seriesIndex(series)];
}

QString& Settings::dateCaption(int book, int date) {
    return this->*dateCaptionMember(book, date);
}
const QString& Settings::dateCaption(int book, int date) const {
    return this->*dateCaptionMember(book, date);
}
int& Settings::defaultDateKind(int book, int date) {
    return this->*defaultDateKindMember(book, date);
}
int Settings::defaultDateKind(int book, int date) const {
    return this->*defaultDateKindMember(book, date);
}
bool& Settings::autoNumber(int book) {
    return this->*autoNumberMember(book);
}
bool Settings::autoNumber(int book) const {
    return this->*autoNumberMember(book);
}
QString& Settings::numberPrefix(int book) {
    return this->*numberPrefixMember(book);
}
const QString& Settings::numberPrefix(int book) const {
    return this->*numberPrefixMember(book);
}
QString& Settings::seriesName(int series) {
    return this->*seriesNameMember(series);
}
const QString& Settings::seriesName(int series) const {
    return this->*seriesNameMember(series);
}
QString& Settings::seriesPrefix(int series) {
    return this->*seriesPrefixMember(series);
}
const QString& Settings::seriesPrefix(int series) const {
    return this->*seriesPrefixMember(series);
}

QString settingsFilePath(const QString& programDir) {
    return programDir + QStringLiteral("Lumira.ini");
}
