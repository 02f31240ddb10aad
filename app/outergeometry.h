#pragma once
// A top-level window placed by its outer rectangle, frame included, as the settings file
// stores it. The frame's size is known only once the window is on the screen, so the
// rectangle is applied at once and again when the window is first exposed.

#include <QRect>

class QWidget;

// The rectangle of outerSize centred on screen (integer division rounding toward zero).
QRect centredOuter(const QRect& screen, const QSize& outerSize);

// Moves and sizes window so that its frame covers outer; the window cannot be made smaller
// than minimumOuter, frame included.
void placeOuter(QWidget* window, const QRect& outer, const QSize& minimumOuter);
