#include "storage/inifile.h"
#include "storage/settings.h"
#include "storage/ui/tnastaveni.h"
#include "support/bookfixture.h"
#include "support/scriptedhost.h"
#include "support/testfiles.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

template <typename T> T* child(QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Types each character as a key press, the way a keyboard would deliver it.
void typeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void replaceText(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    typeInto(edit, text);
}

// The dialog over a settings file in a temporary folder, shown as the user would see it.
struct DialogFixture {
    QTemporaryDir dir;
    QString iniPath = dir.filePath("Lumira.ini");
    Settings settings;
    std::unique_ptr<TNastaveni> dialog;

    explicit DialogFixture(const QByteArray& iniBytes = {}) {
        if (!iniBytes.isEmpty())
            writeBytes(iniPath, iniBytes);
        settings = Settings::read(IniFile(iniPath));
        dialog = std::make_unique<TNastaveni>(settings, iniPath);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qWarning("the dialog was not exposed");
    }
    QPushButton* ok() { return child<QPushButton>(*dialog, "Tl_Ok"); }
    QLineEdit* edit(const QString& name) { return child<QLineEdit>(*dialog, name); }
    QSpinBox* spin(const QString& name) { return child<QSpinBox>(*dialog, name); }
    void clickOk() { QTest::mouseClick(ok(), Qt::LeftButton); }
    QStringList fileLines() {
        return QString::fromLatin1(fileBytes(iniPath)).split(QStringLiteral("\r\n"));
    }
};

const QByteArray someSettings = "[Nastaveni]\r\n"
                                "NazevSubjektu=Firma\r\n"
                                "TypProstredi=1\r\n"
                                "ZakladniSazbaDPH=21\r\n"
                                "VychHodnotaD1_FD=7\r\n"
                                "TypCiselneRady=1\r\n"
                                "[Filtr]\r\n"
                                "Polozka1=abc\r\n";

} // namespace

class TNastaveniTest : public QObject {
    Q_OBJECT
private slots:
    void tabsInOrder();
    void editLimits_data();
    void editLimits();
    void captions();
    void filledFromSettings();
    void seriesTabOrder();
    void untouchedWritesNothing_data();
    void untouchedWritesNothing();
    void enterDoesNotConfirm();
    void oneChangeWritesEveryKey();
    void blanks_data();
    void blanks();
    void rateKeyFilter_data();
    void rateKeyFilter();
    void spinStops_data();
    void spinStops();
    void unfinishedRateKeepsLast();
    void notWholeRateKeepsLastValid_data();
    void notWholeRateKeepsLastValid();
    void dropDownWithoutItem_data();
    void dropDownWithoutItem();
    void radioGroupPick();
    void stornoAfterChanges_data();
    void stornoAfterChanges();
    void failedSaveKeepsDialogOpen();
    void runResult_data();
    void runResult();
};

void TNastaveniTest::tabsInOrder() {
    DialogFixture f;
    auto* tabs = f.dialog->findChild<QTabWidget*>();
    QVERIFY(tabs);
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    QCOMPARE(titles, QStringList({"Údaje uživatele", "Číslování", "DPH", "Kolonky datum",
                                  "Výchozí hodnoty", "Konfigurace prostředí"}));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Nastavení prostředí"));
    QVERIFY(f.dialog->width() >= 411 && f.dialog->height() >= 508);
    QCOMPARE(f.dialog->minimumSize(), f.dialog->maximumSize());
}

void TNastaveniTest::editLimits_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maxLength"); // 0: no limit of its own
    const std::pair<const char*, int> edits[] = {{"Ed_NazevSubjektu", 0},
                                                 {"Ed_OdpovednaOsoba", 0},
                                                 {"Ed_Ulice", 0},
                                                 {"Ed_PSC", 6},
                                                 {"Ed_Mesto", 0},
                                                 {"Ed_IC", 8},
                                                 {"Ed_DIC", 12},
                                                 {"Ed_Tel", 0},
                                                 {"Ed_Email", 0},
                                                 {"Ed_WWW", 0},
                                                 {"Ed_Mena", 3},
                                                 {"Ed_Prefix_FD", 8},
                                                 {"Ed_Prefix_FO", 8},
                                                 {"Ed_NazevCisRady1", 0},
                                                 {"Ed_NazevCisRady5", 0},
                                                 {"Ed_SekPrefix1", 8},
                                                 {"Ed_SekPrefix5", 8},
                                                 {"Ed_ZakladniSazbaDPH", 5},
                                                 {"Ed_SnizenaSazbaDPH1", 5},
                                                 {"Ed_SnizenaSazbaDPH2", 5},
                                                 {"Ed_PopiskaD1_FD", 0},
                                                 {"Ed_PopiskaD3_FO", 0}};
    for (const auto& [name, length] : edits)
        QTest::newRow(name) << QString(name) << length;
}

void TNastaveniTest::editLimits() {
    QFETCH(QString, name);
    QFETCH(int, maxLength);
    DialogFixture f;
    QLineEdit* edit = f.edit(name);
    QCOMPARE(edit->maxLength(), maxLength > 0 ? maxLength : QLineEdit().maxLength());
    if (!name.contains("Sazb")) {
        // A character Windows-1250 cannot hold is refused.
        replaceText(edit, QStringLiteral("a€ł"));
        typeInto(edit, QStringLiteral("Ω"));
        QCOMPARE(edit->text(), QStringLiteral("a€ł").left(maxLength > 0 ? maxLength : 3));
    }
}

void TNastaveniTest::captions() {
    DialogFixture f;
    QStringList texts;
    for (auto* label : f.dialog->findChildren<QLabel*>())
        texts << label->text();
    for (auto* group : f.dialog->findChildren<QGroupBox*>())
        texts << group->title();
    for (auto* button : f.dialog->findChildren<QAbstractButton*>())
        texts << button->text();
    const QStringList expected = {"Název subjektu",
                                  "Odpovědná osoba",
                                  "Ulice",
                                  "PSČ",
                                  "Město",
                                  "IČ",
                                  "DIČ",
                                  "Telefon/Fax/Mobil",
                                  "Email",
                                  "WWW",
                                  "Označení měny",
                                  "Číselné řady - výchozí",
                                  "Automatické vkládání čísla faktury - došlé faktury",
                                  "Prefix - došlé faktury",
                                  "Automatické vkládání čísla faktury - odeslané faktury",
                                  "Prefix - odeslané faktury",
                                  "Číselné řady - další (shodné pro došlé i odeslané faktury)",
                                  "Název číselné řady",
                                  "Prefix",
                                  "Přidělování čísel pro číselné řady",
                                  "Průběžné číslování společné pro všechny číselné řady",
                                  "Odělené číslování pro každou číselnou řadu",
                                  "Sazby DPH",
                                  "Základní sazba DPH v %",
                                  "Snížená sazba 1 v %",
                                  "Snížená sazba 2 v %",
                                  "Popisky pro kolonky datum v knize došlé faktury",
                                  "Popisky pro kolonky datum v knize odeslané faktury",
                                  "Výchozí hodnota pro došlé faktury",
                                  "Výchozí hodnota pro odeslané faktury",
                                  "Zapamatovat pozici a rozměr fomuláře",
                                  "Zapamatovat rozložení tabulky",
                                  "Ok",
                                  "Storno"};
    for (const QString& text : expected)
        QVERIFY2(texts.contains(text), qPrintable(text));
    // The date labels are fixed texts: four groups of "Datum 1".."Datum 3".
    QCOMPARE(texts.count("Datum 2"), 4);
    const QStringList items = {"žádná", "Dnešní datum", "Dnešní datum +14 dní "};
    for (const char* book : {"FD", "FO"}) {
        for (int date = 1; date <= 3; ++date) {
            auto* list = child<QComboBox>(
                *f.dialog, QStringLiteral("CBox_VychHodnotaD%1_%2").arg(date).arg(book));
            QStringList offered;
            for (int i = 0; i < list->count(); ++i)
                offered << list->itemText(i);
            QCOMPARE(offered, items);
            QVERIFY(!list->isEditable());
        }
    }
}

void TNastaveniTest::filledFromSettings() {
    DialogFixture f("[Nastaveni]\r\nNazevSubjektu=Firma\r\nPopiskaD2_FO=Splatno\r\n"
                    "VychHodnotaD3_FO=2\r\nAutoCislo_FO=1\r\nSnizenaSazbaDPH2=12\r\n"
                    "TypCiselneRady=1\r\n[Konfig]\r\nUkladatTabulkuDB=1\r\n");
    QCOMPARE(f.edit("Ed_NazevSubjektu")->text(), QStringLiteral("Firma"));
    QCOMPARE(f.edit("Ed_Mena")->text(), QStringLiteral("CZK"));
    QCOMPARE(f.edit("Ed_Prefix_FD")->text(), QStringLiteral("FD_"));
    QCOMPARE(f.edit("Ed_PopiskaD2_FO")->text(), QStringLiteral("Splatno"));
    QCOMPARE(f.edit("Ed_PopiskaD2_FD")->text(), QStringLiteral("Datum 2"));
    QCOMPARE(child<QComboBox>(*f.dialog, "CBox_VychHodnotaD3_FO")->currentIndex(), 2);
    QCOMPARE(child<QComboBox>(*f.dialog, "CBox_VychHodnotaD3_FD")->currentIndex(), 0);
    QVERIFY(child<QCheckBox>(*f.dialog, "ChBox_AutoCislo_FO")->isChecked());
    QVERIFY(!child<QCheckBox>(*f.dialog, "ChBox_AutoCislo_FD")->isChecked());
    QVERIFY(child<QCheckBox>(*f.dialog, "ChBox_UkladatTabulkuDB")->isChecked());
    QCOMPARE(f.spin("UpDown_SnizenaSazbaDPH2")->value(), 12);
    QCOMPARE(f.edit("Ed_SnizenaSazbaDPH2")->text(), QStringLiteral("12"));
    QCOMPARE(f.spin("UpDown_ZakladniSazbaDPH")->value(), 21);
    const auto radios =
        child<QGroupBox>(*f.dialog, "RG_TypCiselneRady")->findChildren<QRadioButton*>();
    QCOMPARE(radios.size(), 2);
    QVERIFY(!radios[0]->isChecked());
    QVERIFY(radios[1]->isChecked());
    QVERIFY(!f.ok()->isEnabled());
}

void TNastaveniTest::seriesTabOrder() {
    DialogFixture f;
    QStringList order;
    QWidget* start = f.edit("Ed_NazevCisRady1");
    QWidget* w = start;
    for (int i = 0; i < 10; ++i) {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !qobject_cast<QLineEdit*>(w))
            w = w->nextInFocusChain();
    }
    QCOMPARE(order,
             QStringList({"Ed_NazevCisRady1", "Ed_SekPrefix1", "Ed_NazevCisRady2", "Ed_SekPrefix2",
                          "Ed_NazevCisRady3", "Ed_SekPrefix3", "Ed_NazevCisRady4", "Ed_SekPrefix4",
                          "Ed_NazevCisRady5", "Ed_SekPrefix5"}));
}

void TNastaveniTest::untouchedWritesNothing_data() {
    QTest::addColumn<QByteArray>("iniBytes");
    QTest::addColumn<QString>("how");
    QTest::newRow("no file, Storno") << QByteArray() << "Tl_Storno";
    QTest::newRow("file, Esc") << someSettings << "Esc";
    QTest::newRow("file, Ok clicked while disabled") << someSettings << "Tl_Ok";
}

void TNastaveniTest::untouchedWritesNothing() {
    QFETCH(QByteArray, iniBytes);
    QFETCH(QString, how);
    DialogFixture f(iniBytes);
    const QStringList before = QDir(f.dir.path()).entryList(QDir::Files);
    QVERIFY(!f.ok()->isEnabled());
    if (how == "Esc")
        QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
    else
        QTest::mouseClick(child<QPushButton>(*f.dialog, how), Qt::LeftButton);
    QCOMPARE(QFile::exists(f.iniPath), !iniBytes.isEmpty());
    if (!iniBytes.isEmpty())
        QCOMPARE(fileBytes(f.iniPath), iniBytes);
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), before);
    QCOMPARE(f.settings.NazevSubjektu, Settings::read(IniFile(f.iniPath)).NazevSubjektu);
}

void TNastaveniTest::enterDoesNotConfirm() {
    DialogFixture f(someSettings);
    QLineEdit* edit = f.edit("Ed_Mesto");
    replaceText(edit, "Brno");
    QVERIFY(f.ok()->isEnabled());
    QTest::keyClick(edit, Qt::Key_Return);
    f.ok()->setFocus();
    QTest::keyClick(f.ok(), Qt::Key_Enter);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(fileBytes(f.iniPath), someSettings);
    QCOMPARE(f.settings.Mesto, QString());
}

void TNastaveniTest::oneChangeWritesEveryKey() {
    DialogFixture f;
    replaceText(f.edit("Ed_Mesto"), "Plzeň");
    f.clickOk();
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(f.settings.Mesto, QStringLiteral("Plzeň"));

    Settings expected;
    expected.Mesto = QStringLiteral("Plzeň");
    QStringList keyLines;
    {
        IniFile reference(f.dir.filePath("reference.ini"));
        expected.write(reference);
        QVERIFY(reference.save());
    }
    // Every key of both sections, defaults included, and nothing else: no TypProstredi.
    QCOMPARE(fileBytes(f.iniPath), fileBytes(f.dir.filePath("reference.ini")));
    const QStringList lines = f.fileLines();
    QCOMPARE(lines.filter(QRegularExpression("^\\w+=")).size(), 43);
    QVERIFY(lines.contains("AutoCislo_FD=0"));
    QVERIFY(lines.contains("UkladatTabulkuDB=0"));
    QVERIFY(lines.contains("Prefix_FO=FO_"));
    QVERIFY(!f.fileLines().filter("TypProstredi").size());
}

void TNastaveniTest::blanks_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    QTest::newRow("received prefix") << "Ed_Prefix_FD"
                                     << "  DF "
                                     << "Prefix_FD=DF";
    QTest::newRow("issued prefix") << "Ed_Prefix_FO"
                                   << " OF-  "
                                   << "Prefix_FO=OF-";
    QTest::newRow("series name") << "Ed_NazevCisRady2"
                                 << "  Zálohy  "
                                 << "NazevCisRady2=Zálohy";
    QTest::newRow("series prefix") << "Ed_SekPrefix4"
                                   << " ZL "
                                   << "SekPrefix4=ZL";
    QTest::newRow("business name") << "Ed_NazevSubjektu"
                                   << "  Firma s.r.o. "
                                   << "NazevSubjektu=  Firma s.r.o. ";
    QTest::newRow("street") << "Ed_Ulice"
                            << " Dlouhá 5"
                            << "Ulice= Dlouhá 5";
    QTest::newRow("date caption") << "Ed_PopiskaD1_FO"
                                  << " Vystaveno "
                                  << "PopiskaD1_FO= Vystaveno ";
}

void TNastaveniTest::blanks() {
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(QString, line);
    DialogFixture f;
    replaceText(f.edit(control), typed);
    f.clickOk();
    const QByteArray expectedLine = windows1250(line + QStringLiteral("\r\n"));
    QVERIFY2(fileBytes(f.iniPath).contains(expectedLine), qPrintable(line));
    // Memory holds what the file holds.
    const QString key = line.section(u'=', 0, 0);
    const QString stored = line.section(u'=', 1);
    Settings& s = f.settings;
    const QHash<QString, QString> memory = {
        {"Prefix_FD", s.Prefix_FD},         {"Prefix_FO", s.Prefix_FO},
        {"NazevCisRady2", s.NazevCisRady2}, {"SekPrefix4", s.SekPrefix4},
        {"NazevSubjektu", s.NazevSubjektu}, {"Ulice", s.Ulice},
        {"PopiskaD1_FO", s.PopiskaD1_FO}};
    QCOMPARE(memory.value(key), stored);
}

void TNastaveniTest::rateKeyFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("text");
    QTest::newRow("letter") << "a" << 1 << "2";
    QTest::newRow("Czech letter") << "ř" << 1 << "2";
    QTest::newRow("minus") << "-" << 1 << "2";
    QTest::newRow("comma") << "," << 1 << "2";
    QTest::newRow("blank") << " " << 1 << "2";
    QTest::newRow("digit after a letter") << "x3" << 1 << "23";
    QTest::newRow("digit") << "0" << 0 << "20";
    // The dot passes the key filter and shows, though it makes no whole number.
    QTest::newRow("dot") << "." << 0 << "2.";
}

void TNastaveniTest::rateKeyFilter() {
    QFETCH(QString, typed);
    QFETCH(int, beeps);
    QFETCH(QString, text);
    DialogFixture f("[Nastaveni]\r\nZakladniSazbaDPH=2\r\n");
    ScriptedHost host;
    QSpinBox* spin = f.spin("UpDown_ZakladniSazbaDPH");
    spin->setFocus();
    f.edit("Ed_ZakladniSazbaDPH")->deselect();
    f.edit("Ed_ZakladniSazbaDPH")->end(false);
    typeInto(spin, typed);
    QCOMPARE(host.beeps, beeps);
    QCOMPARE(f.edit("Ed_ZakladniSazbaDPH")->text(), text);
}

void TNastaveniTest::spinStops_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("up stops at 50") << 49 << int(Qt::Key_Up) << 50;
    QTest::newRow("down stops at 0") << 1 << int(Qt::Key_Down) << 0;
    QTest::newRow("page up stops at 50") << 45 << int(Qt::Key_PageUp) << 50;
}

void TNastaveniTest::spinStops() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    DialogFixture f(QByteArray("[Nastaveni]\r\nSnizenaSazbaDPH1=") + QByteArray::number(start) +
                    "\r\n");
    QSpinBox* spin = f.spin("UpDown_SnizenaSazbaDPH1");
    QCOMPARE(spin->value(), start);
    QVERIFY(!f.ok()->isEnabled());
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(spin, Qt::Key(key));
    QCOMPARE(spin->value(), expected);
    QCOMPARE(f.edit("Ed_SnizenaSazbaDPH1")->text(), QString::number(expected));
    QVERIFY(f.ok()->isEnabled()); // the spin buttons changed the text
    f.clickOk();
    QCOMPARE(f.settings.SnizenaSazbaDPH1, expected);
    QVERIFY(f.fileLines().contains("SnizenaSazbaDPH1=" + QString::number(expected)));
}

void TNastaveniTest::unfinishedRateKeepsLast() {
    DialogFixture f;
    ScriptedHost host;
    QLineEdit* edit = f.edit("Ed_SnizenaSazbaDPH2");
    f.spin("UpDown_SnizenaSazbaDPH2")->setFocus();
    edit->selectAll();
    QTest::keyClick(f.spin("UpDown_SnizenaSazbaDPH2"), Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString());
    QVERIFY(f.ok()->isEnabled());
    f.clickOk();
    QCOMPARE(f.settings.SnizenaSazbaDPH2, 10);
    QVERIFY(f.fileLines().contains("SnizenaSazbaDPH2=10"));
}

void TNastaveniTest::notWholeRateKeepsLastValid_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("2.5") << "2.5" << 2;
    QTest::newRow("dot first") << ".5" << 21;
    QTest::newRow("whole") << "25" << 25;
}

// The box shows what was typed; a text that is no whole number keeps the last valid rate.
void TNastaveniTest::notWholeRateKeepsLastValid() {
    QFETCH(QString, typed);
    QFETCH(int, stored);
    DialogFixture f("[Nastaveni]\r\nZakladniSazbaDPH=21\r\n");
    ScriptedHost host;
    QLineEdit* edit = f.edit("Ed_ZakladniSazbaDPH");
    f.spin("UpDown_ZakladniSazbaDPH")->setFocus();
    edit->selectAll();
    typeInto(f.spin("UpDown_ZakladniSazbaDPH"), typed);
    QCOMPARE(edit->text(), typed);
    f.clickOk();
    QCOMPARE(f.settings.ZakladniSazbaDPH, stored);
    QVERIFY(f.fileLines().contains("ZakladniSazbaDPH=" + QString::number(stored)));
    QCOMPARE(host.beeps, 0);
}

void TNastaveniTest::dropDownWithoutItem_data() {
    QTest::addColumn<int>("pick"); // -1: not touched
    QTest::addColumn<QString>("line");
    QTest::newRow("kept") << -1 << "VychHodnotaD1_FD=7";
    QTest::newRow("picked") << 1 << "VychHodnotaD1_FD=1";
}

void TNastaveniTest::dropDownWithoutItem() {
    QFETCH(int, pick);
    QFETCH(QString, line);
    DialogFixture f(someSettings);
    auto* list = child<QComboBox>(*f.dialog, "CBox_VychHodnotaD1_FD");
    QCOMPARE(list->currentIndex(), -1);
    if (pick >= 0) {
        list->setFocus();
        for (int i = 0; i <= pick; ++i)
            QTest::keyClick(list, Qt::Key_Down);
    } else {
        replaceText(f.edit("Ed_Ulice"), "Nová");
    }
    QVERIFY(f.ok()->isEnabled());
    f.clickOk();
    QVERIFY2(f.fileLines().contains(line), qPrintable(f.fileLines().join('\n')));
}

void TNastaveniTest::radioGroupPick() {
    DialogFixture f(someSettings);
    const auto radios =
        child<QGroupBox>(*f.dialog, "RG_TypCiselneRady")->findChildren<QRadioButton*>();
    QVERIFY(!f.ok()->isEnabled());
    QTest::mouseClick(radios[0], Qt::LeftButton, {}, QPoint(6, radios[0]->height() / 2));
    QVERIFY(f.ok()->isEnabled());
    f.clickOk();
    QCOMPARE(f.settings.TypCiselneRady, 0);
    QVERIFY(f.fileLines().contains("TypCiselneRady=0"));
}

void TNastaveniTest::stornoAfterChanges_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Storno") << "Tl_Storno";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("close box") << "close";
}

void TNastaveniTest::stornoAfterChanges() {
    QFETCH(QString, how);
    DialogFixture f(someSettings);
    const Settings before = f.settings;
    replaceText(f.edit("Ed_NazevSubjektu"), "Jiná firma");
    replaceText(f.edit("Ed_PopiskaD1_FD"), "Vystaveno");
    QTest::mouseClick(child<QCheckBox>(*f.dialog, "ChBox_UkladatFrm"), Qt::LeftButton);
    QVERIFY(f.ok()->isEnabled());
    if (how == "Esc")
        QTest::keyClick(f.dialog.get(), Qt::Key_Escape);
    else if (how == "close")
        f.dialog->close();
    else
        QTest::mouseClick(child<QPushButton>(*f.dialog, how), Qt::LeftButton);
    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(fileBytes(f.iniPath), someSettings);
    QCOMPARE(f.settings.NazevSubjektu, before.NazevSubjektu);
    QCOMPARE(f.settings.PopiskaD1_FD, before.PopiskaD1_FD);
    QCOMPARE(f.settings.UkladatFrm, before.UkladatFrm);
}

void TNastaveniTest::failedSaveKeepsDialogOpen() {
    QTemporaryDir dir;
    // A folder where the file should be: it can be neither read nor replaced.
    const QString iniPath = dir.filePath("Lumira.ini");
    QVERIFY(QDir(dir.path()).mkdir("Lumira.ini"));
    Settings settings;
    TNastaveni dialog(settings, iniPath);
    dialog.show();
    ScriptedHost host;
    replaceText(child<QLineEdit>(dialog, "Ed_NazevSubjektu"), "Firma");
    QTest::mouseClick(child<QPushButton>(dialog, "Tl_Ok"), Qt::LeftButton);
    QCOMPARE(host.messages.size(), 1);
    QCOMPARE(host.messages[0].kind, dialogs::MessageKind::Error);
    QVERIFY2(host.messages[0].text.contains(iniPath), qPrintable(host.messages[0].text));
    QVERIFY(dialog.isVisible());
    QCOMPARE(settings.NazevSubjektu, QString());
}

void TNastaveniTest::runResult_data() {
    QTest::addColumn<bool>("confirm");
    QTest::newRow("Ok") << true;
    QTest::newRow("Storno") << false;
}

void TNastaveniTest::runResult() {
    QFETCH(bool, confirm);
    BookFixture fixture;
    ScriptedHost host;
    host.dialogActions.enqueue([confirm](QDialog& dialog) {
        replaceText(child<QLineEdit>(dialog, "Ed_NazevSubjektu"), "");
        replaceText(child<QLineEdit>(dialog, "Ed_Mena"), "EUR");
        return ScriptedHost::click(dialog, confirm ? "Tl_Ok" : "Tl_Storno");
    });
    QCOMPARE(runSettingsDialog(fixture.state, nullptr), confirm);
    QCOMPARE(host.shownDialogs, QStringList{"Nastavení prostředí"});
    QCOMPARE(fixture.state.settings.Mena, confirm ? QStringLiteral("EUR") : QStringLiteral("CZK"));
    QCOMPARE(QFile::exists(fixture.iniPath()), confirm);
}

QTEST_MAIN(TNastaveniTest)
#include "test_storage_tnastaveni.moc"
