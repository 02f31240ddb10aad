#pragma once
// The scan of the search: moves the book's cursor to the next row whose field matches.

#include <QString>

namespace engine {
class DataSet;
}

// Looks at the rows after the current one, in order, comparing the field's plain text (not
// its display format) with the expression, both lower-cased: equal when whole is set, else
// containing it. On a hit the cursor moves there and the result is true; otherwise the cursor
// rests on the last row. The grid is not redrawn during the scan and the busy cursor shows.
bool FindInBook(engine::DataSet& book, const QString& field, const QString& expression, bool whole);
