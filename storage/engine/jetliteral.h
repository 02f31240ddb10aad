#pragma once
// Values typed or picked by the user go into the Jet statements as quoted literals.

#include <QString>

// The text between apostrophes, every apostrophe inside doubled, so it can never end the
// literal early. LIKE wildcards (% and _) are left as they are.
QString jetLiteral(const QString& text);
