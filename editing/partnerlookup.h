#pragma once
// Completion of the partner's data from a stored invoice of the active book with the same
// company number or name.

#include "storage/appstate.h"

#include <QString>

// Replaces the 3 other partner fields (name, account number, bank code) of state.book's current
// (editing) row with those of a stored row with this company number; empty texts when none
// matches. False with the error's text in *error; the fields then stay as they were.
bool LookupPartnerByIco(AppState& state, const QString& ico, QString* error);
// The same by the partner's name, replacing the company number, account number and bank code.
bool LookupPartnerByName(AppState& state, const QString& name, QString* error);
