#pragma once
// The two process-wide lists of the filter panel, as name=value pairs: the database field
// before "=", the caption the user sees after it. Rebuilt each time the panel opens.

#include "find/gridcolumns.h"

#include <QStringList>

struct Settings;

// Datum1..Datum3 with the date captions of the book (TypProstredi).
QStringList& DateFieldList();
// The text columns of the grid, in grid order.
QStringList& FilterFieldList();

void rebuildDateFieldList(const Settings& settings, int typProstredi);
void rebuildFilterFieldList(const QList<GridColumn>& columns);

// The parts of one name=value entry.
QString fieldNameOf(const QString& entry);
QString captionOf(const QString& entry);
// The captions of a list, in order.
QStringList captionsOf(const QStringList& list);
