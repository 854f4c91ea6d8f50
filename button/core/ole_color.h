#pragma once

#include "ravlen_look.h"

#include <QColor>

class QPalette;

// OLE colours and the desktop palette. A colour with the high bit set is a
// reference to one of the system's colours (0x80000000 + index); the colour
// properties that translate resolve such a reference against the widget's
// palette once, when they are set, and keep the resulting RGB value.

// True for 0x80000000 + index where index is one of the system colours this
// platform can resolve (0..30, except 25, which the system never defined).
bool isKnownSystemColor(OleColor colour);

// The RGB value a system-colour reference stands for in this palette; any
// other value, including a reference to an unknown index, comes back
// unchanged.
OleColor translateOleColor(OleColor colour, const QPalette &palette);

// The RGB value a colour is drawn in: system references resolved against
// the palette, unknown references as black. Every part of the button draws
// its colours through this, so one value always gives one colour.
OleColor drawnOleColor(OleColor colour, const QPalette &palette);
QColor oleToQColor(OleColor colour, const QPalette &palette);

OleColor oleFromQColor(const QColor &colour);
