#pragma once

#include "ravlenlib_export.h"

#include <Qt>

// The key codes and modifier bits that the button's KeyDown and KeyUp
// events carry: the desktop's virtual-key numbers (PageUp 33, PageDown 34,
// Left 37, Up 38, Right 39, Down 40, letters and digits as their upper-case
// character codes, F1 112 ...) and Shift 1, Ctrl 2, Alt 4; and the button
// bits of its mouse events. Game code written against those numbers works
// unchanged on every platform; hosts use the same mapping for their own
// controls, so it is part of the library's interface.
namespace KeyCodes {

inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;

inline constexpr int ShiftBit = 1;
inline constexpr int CtrlBit = 2;
inline constexpr int AltBit = 4;

inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;

// The virtual-key number of a Qt key, or 0 for a key that has none. Keys of
// the numeric keypad (modifiers holding Qt::KeypadModifier) get the keypad's
// own numbers. A shifted symbol maps to the key it is printed on, as on a US
// keyboard: Key_Exclam gives the code of 1.
RAVLENLIB_EXPORT int keyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

RAVLENLIB_EXPORT int shiftBits(Qt::KeyboardModifiers modifiers);

// The button bits of the buttons among these three; 0 for any other.
RAVLENLIB_EXPORT int mouseButtonBits(Qt::MouseButtons buttons);

} // namespace KeyCodes
