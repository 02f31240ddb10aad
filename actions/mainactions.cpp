#include "actions/mainactions.h"

#include <QKeySequence>

namespace {

QAction* makeAction(QObject* owner, const char* name, const QString& caption, const QString& hint,
                    const QKeySequence& key = {}) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setShortcut(key);
    // Keys work while the main window is active, also over its panels' text boxes.
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    return action;
}

} // namespace

MainActions::MainActions(QObject* owner) {
    const auto same = [](const char* text) { return QString::fromUtf8(text); };
    Akce_Novy = makeAction(owner, "Akce_Novy", same("Nový záznam"), same("Nový záznam"),
                           QKeySequence(Qt::Key_Insert));
    Akce_Edit = makeAction(owner, "Akce_Edit", same("Oprava záznamu"), same("Oprava záznamu"),
                           QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    Akce_Smazat = makeAction(owner, "Akce_Smazat", same("Smazat záznam"), same("Smazat záznam"),
                             QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    Akce_NaZacatek =
        makeAction(owner, "Akce_NaZacatek", same("První záznam"), same("Přechod na první záznam"));
    Akce_Vzad = makeAction(owner, "Akce_Vzad", same("Předchozí záznam"),
                           same("Přechod na předchozí záznam"));
    Akce_Vpred = makeAction(owner, "Akce_Vpred", same("Následující záznam"),
                            same("Přechod na následující záznam"));
    Akce_NaKonec = makeAction(owner, "Akce_NaKonec", same("Poslední záznam"),
                              same("Přechod na poslední záznam"));
    Akce_PrechodNaZaznam =
        makeAction(owner, "Akce_PrechodNaZaznam", same("Přechod na záznam"),
                   same("Přechod na záznam"), QKeySequence(Qt::CTRL | Qt::Key_G));
    Akce_KopirovatZaznam = makeAction(owner, "Akce_KopirovatZaznam", same("Kopírovat záznam"),
                                      same("Kopírovat záznam"), QKeySequence(Qt::CTRL | Qt::Key_C));
    Akce_Hledat = makeAction(owner, "Akce_Hledat", same("Hledat"), same("Hledat"),
                             QKeySequence(Qt::CTRL | Qt::Key_F));
    Akce_HledatDalsi = makeAction(owner, "Akce_HledatDalsi", same("Hledat další"),
                                  same("Hledat další výskyty výrazu"), QKeySequence(Qt::Key_F3));
    Akce_Filtr = makeAction(owner, "Akce_Filtr", same("Filtr"), same("Filtr záznamů"),
                            QKeySequence(Qt::ALT | Qt::Key_F));
    Akce_PouzitFiltr = makeAction(owner, "Akce_PouzitFiltr", same("Použít filtr"),
                                  same("Použít filtr podle zadaných hodnot"));
    Akce_ZrusitFiltr = makeAction(owner, "Akce_ZrusitFiltr", same("Zrušit filtr"),
                                  same("Zrušit filtr - obnoví celou tabulku"));
    Akce_ZavritFiltr =
        makeAction(owner, "Akce_ZavritFiltr", same("Zavřít filtr"), same("Zavřít filtr"));
    Akce_VypisSumare = makeAction(owner, "Akce_VypisSumare", same("Výpis sumáře"),
                                  same("Výpis sumáře za celou tabulku nebo filtrované záznamy"));
    Akce_Export = makeAction(owner, "Akce_Export", same("Export databáze"),
                             same("Export databázové tabulky"));
    Akce_NovaSestava = makeAction(owner, "Akce_NovaSestava", same("NovaSestava"), QString());
    Akce_SpravaPredloh =
        makeAction(owner, "Akce_SpravaPredloh", same("Správa předloh"),
                   same("Umožní přeskupovat a odstraňovat soubory předloh sestav"));
    Akce_Nastaveni = makeAction(owner, "Akce_Nastaveni", same("Nastavení prostředí"),
                                same("Nastavení prostředí"));
    Akce_ZmenaTabulkaDB = makeAction(owner, "Akce_ZmenaTabulkaDB", same("Změna knihy faktur"),
                                     same("Změna knihy faktur"));
    Akce_Napoveda = makeAction(owner, "Akce_Napoveda", same("Podrobná nápověda (on-line)"),
                               same("Podrobná nápověda (on-line)"), QKeySequence(Qt::Key_F1));
    Akce_Domu = makeAction(owner, "Akce_Domu", same("Lumira - domovská stránka"),
                           same("Lumira - domovská stránka"));
    Akce_OProgramu = makeAction(owner, "Akce_OProgramu", same("O programu"), same("O programu"));
    Akce_KonecProgramu = makeAction(owner, "Akce_KonecProgramu", same("Konec"),
                                    same("Ukončení programu"), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

QList<QAction*> MainActions::all() const {
    return {Akce_Novy,
            Akce_Edit,
            Akce_Smazat,
            Akce_NaZacatek,
            Akce_Vzad,
            Akce_Vpred,
            Akce_NaKonec,
            Akce_PrechodNaZaznam,
            Akce_KopirovatZaznam,
            Akce_Hledat,
            Akce_HledatDalsi,
            Akce_Filtr,
            Akce_PouzitFiltr,
            Akce_ZrusitFiltr,
            Akce_ZavritFiltr,
            Akce_VypisSumare,
            Akce_Export,
            Akce_NovaSestava,
            Akce_SpravaPredloh,
            Akce_Nastaveni,
            Akce_ZmenaTabulkaDB,
            Akce_Napoveda,
            Akce_Domu,
            Akce_OProgramu,
            Akce_KonecProgramu};
}
