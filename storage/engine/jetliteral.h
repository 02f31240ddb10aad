#pragma once
// Values and names go into the statements quoted, so that no text can end the quoting early.

#include <QString>

// The text between apostrophes, every apostrophe inside doubled, so it can never end the
// literal early. LIKE wildcards (% and _) are left as they are.
QString jetLiteral(const QString& text);

// A table or column name between double quotes, every double quote inside doubled.
QString quotedName(const QString& name);
