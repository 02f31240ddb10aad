#pragma once
// The commands of the main window. Each action carries its caption, hint (tool tip and
// status tip) and key; subsystems enable and connect the ones they own.

#include <QAction>
#include <QList>

struct MainActions {
    QAction* Akce_Novy = nullptr;
    QAction* Akce_Edit = nullptr;
    QAction* Akce_Smazat = nullptr;
    QAction* Akce_NaZacatek = nullptr;
    QAction* Akce_Vzad = nullptr;
    QAction* Akce_Vpred = nullptr;
    QAction* Akce_NaKonec = nullptr;
    QAction* Akce_PrechodNaZaznam = nullptr;
    QAction* Akce_KopirovatZaznam = nullptr;
    QAction* Akce_Hledat = nullptr;
    QAction* Akce_HledatDalsi = nullptr;
    QAction* Akce_Filtr = nullptr;
    QAction* Akce_PouzitFiltr = nullptr;
    QAction* Akce_ZrusitFiltr = nullptr;
    QAction* Akce_ZavritFiltr = nullptr;
    QAction* Akce_VypisSumare = nullptr;
    QAction* Akce_Export = nullptr;
    QAction* Akce_NovaSestava = nullptr;
    QAction* Akce_SpravaPredloh = nullptr;
    QAction* Akce_Nastaveni = nullptr;
    QAction* Akce_ZmenaTabulkaDB = nullptr;
    QAction* Akce_Napoveda = nullptr;
    QAction* Akce_Domu = nullptr;
    QAction* Akce_OProgramu = nullptr;
    QAction* Akce_KonecProgramu = nullptr;

    // Creates every action, owned by `owner` and disabled until its subsystem wires it.
    explicit MainActions(QObject* owner);
    QList<QAction*> all() const;
};
