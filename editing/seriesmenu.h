#pragma once
// The menu of number series in the record editor.

#include "storage/appstate.h"

#include <QString>
#include <functional>

class QMenu;

// Fills PMenu_CisRady (default series of the active book, separator, the additional series);
// choosing an item calls onChosen(prefix).
void fillSeriesMenu(QMenu* menu, const AppState& state,
                    const std::function<void(const QString&)>& onChosen);
