#pragma once
// The in-memory copy of sections Nastaveni and Konfig of the settings file, one member per
// key under the key's own name; the member initialisers are the defaults of a missing key.

#include <QString>

class IniFile;

struct Settings {
    QString NazevSubjektu;
    QString OdpovednaOsoba;
    QString Ulice;
    QString PSC;
    QString Mesto;
    QString IC;
    QString DIC;
    QString Tel;
    QString Email;
    QString WWW;
    QString Mena = QStringLiteral("CZK");
    QString PopiskaD1_FD = QStringLiteral("Datum 1");
    QString PopiskaD2_FD = QStringLiteral("Datum 2");
    QString PopiskaD3_FD = QStringLiteral("Datum 3");
    QString PopiskaD1_FO = QStringLiteral("Datum 1");
    QString PopiskaD2_FO = QStringLiteral("Datum 2");
    QString PopiskaD3_FO = QStringLiteral("Datum 3");
    // Default of a date in a new row: 0 none, 1 today, 2 today + 14 days.
    int VychHodnotaD1_FD = 0;
    int VychHodnotaD2_FD = 0;
    int VychHodnotaD3_FD = 0;
    int VychHodnotaD1_FO = 0;
    int VychHodnotaD2_FO = 0;
    int VychHodnotaD3_FO = 0;
    bool AutoCislo_FD = false;
    QString Prefix_FD = QStringLiteral("FD_");
    bool AutoCislo_FO = false;
    QString Prefix_FO = QStringLiteral("FO_");
    QString NazevCisRady1;
    QString NazevCisRady2;
    QString NazevCisRady3;
    QString NazevCisRady4;
    QString NazevCisRady5;
    QString SekPrefix1;
    QString SekPrefix2;
    QString SekPrefix3;
    QString SekPrefix4;
    QString SekPrefix5;
    // 0 one running number for all series, 1 one per series.
    int TypCiselneRady = 0;
    int ZakladniSazbaDPH = 21;
    int SnizenaSazbaDPH1 = 15;
    int SnizenaSazbaDPH2 = 10;
    bool UkladatFrm = false;
    bool UkladatTabulkuDB = false;

    static constexpr int seriesCount = 5;

    using TextMember = QString Settings::*;
    using NumberMember = int Settings::*;
    using SwitchMember = bool Settings::*;

    // Every key of Nastaveni and Konfig; a missing or unreadable value keeps its default.
    static Settings read(const IniFile& ini);
    // Every key that the settings dialog stores: all of Nastaveni but TypProstredi, and
    // Konfig. Call save() on the file afterwards to store them in one replacement.
    void write(IniFile& ini) const;

    // The active book (0 received, 1 issued) is kept with the book, not here. Any other
    // stored value means the received book.
    static int readTypProstredi(const IniFile& ini);
    static void writeTypProstredi(IniFile& ini, int typProstredi);

    // The members behind the per-book and per-series values below, for binding them to
    // controls.
    static TextMember dateCaptionMember(int book, int date);
    static NumberMember defaultDateKindMember(int book, int date);
    static SwitchMember autoNumberMember(int book);
    static TextMember numberPrefixMember(int book);
    static TextMember seriesNameMember(int series);
    static TextMember seriesPrefixMember(int series);

    // Per-book values; book is TypProstredi (anything but 1 means the received book),
    // date is 1..3.
    QString& dateCaption(int book, int date);
    const QString& dateCaption(int book, int date) const;
    int& defaultDateKind(int book, int date);
    int defaultDateKind(int book, int date) const;
    bool& autoNumber(int book);
    bool autoNumber(int book) const;
    QString& numberPrefix(int book);
    const QString& numberPrefix(int book) const;

    // The five additional number series, series 1..5.
    QString& seriesName(int series);
    const QString& seriesName(int series) const;
    QString& seriesPrefix(int series);
    const QString& seriesPrefix(int series) const;
};

// The settings file of a program directory (which ends with a separator).
QString settingsFilePath(const QString& programDir);
