#include "editing/partnerlookup.h"

#include "storage/engine/jetliteral.h"

#include <QStringList>

namespace {

const QString nameField = QStringLiteral("Dodavatel_odberatel");
const QString icoField = QStringLiteral("ICO");
const QString accountField = QStringLiteral("CisloUctu");
const QString bankCodeField = QStringLiteral("SmerovyKod");

// Texts of `wanted` from the first stored row where keyField equals value (empty texts when
// there is none), read on the scratch data set.
bool readPartner(AppState& state, const QString& keyField, const QString& value,
                 const QStringList& wanted, QStringList& texts, QString* error) {
    engine::DataSet& scratch = state.scratch;
    scratch.close();
    scratch.setCommandText(QStringLiteral("SELECT TOP 1 Dodavatel_odberatel, ICO, CisloUctu, "
                                          "SmerovyKod FROM ") +
                           state.activeBook.TableName() + QStringLiteral(" WHERE ") + keyField +
                           QStringLiteral(" = ") + jetLiteral(value));
    const bool opened = scratch.open();
    texts.clear();
    for (const QString& field : wanted)
        texts << (opened && scratch.recordCount() > 0 ? scratch.text(field) : QString());
    if (!opened && error)
        *error = scratch.lastError();
    scratch.close();
    return opened;
}

bool completePartner(AppState& state, const QString& keyField, const QString& value,
                     const QStringList& wanted, QString* error) {
    QStringList texts;
    if (!readPartner(state, keyField, value, wanted, texts, error))
        return false;
    for (int i = 0; i < wanted.size(); ++i) {
        if (!state.book.setValue(wanted[i], texts[i])) {
            if (error)
                *error = state.book.lastError();
            return false;
        }
    }
    return true;
}

} // namespace

bool LookupPartnerByIco(AppState& state, const QString& ico, QString* error) {
    return completePartner(state, icoField, ico, {nameField, accountField, bankCodeField}, error);
}

bool LookupPartnerByName(AppState& state, const QString& name, QString* error) {
    return completePartner(state, nameField, name, {icoField, accountField, bankCodeField}, error);
}
