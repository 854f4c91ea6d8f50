#pragma once

#include <QColor>

// The colours the window skin and the start-up card share: the board's grey,
// the slate of the text, the blue of the Aqua buttons and the warm colour of
// the player whose turn it is.
namespace SkinColours {

inline const QColor board(201, 207, 214);
inline const QColor text(0x1c, 0x26, 0x33);
inline const QColor accent(0x2f, 0x74, 0xc8);
inline const QColor frame(0x87, 0x96, 0xa8);
inline const QColor disabledFrame(0xa9, 0xb4, 0xc1);
inline const QColor disabledText(0x86, 0x91, 0x9e);
inline const QColor turn(255, 224, 192);

} // namespace SkinColours
