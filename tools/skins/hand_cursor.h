#pragma once

#include <QImage>
#include <QPoint>

// The button's pointer: a 32 x 32 pointing hand with alpha. Its hot spot is
// the tip of the index finger.
constexpr QPoint handCursorHotSpot(6, 0);

QImage paintHandCursor();
