#pragma once

#include "ravlenlib_export.h"

#include <Qt>

/*!
 * \file key_codes.h
 * KeyCodes, the numbers Ravlen's key and mouse events carry.
 */

/*!
 * \brief The key codes and modifier bits that Ravlen's KeyDown and KeyUp
 * events carry, and the button bits of its mouse events.
 *
 * Keys are the desktop's virtual-key numbers (PageUp 33, PageDown 34, Left 37,
 * Up 38, Right 39, Down 40, letters and digits as their upper-case character
 * codes, F1 112 ...), modifiers Shift 1, Ctrl 2, Alt 4. Code written against
 * those numbers works unchanged on every platform; a host that handles keys
 * of its own controls the same way maps them with keyCode() and shiftBits().
 */
namespace KeyCodes {

//! The Page Up key.
inline constexpr int PageUp = 33;
//! The Page Down key.
inline constexpr int PageDown = 34;

//! Shift held, in a Shift argument.
inline constexpr int ShiftBit = 1;
//! Ctrl held, in a Shift argument.
inline constexpr int CtrlBit = 2;
//! Alt held, in a Shift argument.
inline constexpr int AltBit = 4;

//! The left mouse button, in a Button argument.
inline constexpr int LeftButton = 1;
//! The right mouse button, in a Button argument.
inline constexpr int RightButton = 2;
//! The middle mouse button, in a Button argument.
inline constexpr int MiddleButton = 4;

//! The virtual-key number of a Qt key, or 0 for a key that has none. Keys of
//! the numeric keypad (modifiers holding Qt::KeypadModifier) get the keypad's
//! own numbers. A shifted symbol maps to the key it is printed on, as on a US
//! keyboard: Key_Exclam gives the code of 1.
RAVLENLIB_EXPORT int keyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

//! The modifier bits (ShiftBit, CtrlBit, AltBit) of Qt's keyboard modifiers.
RAVLENLIB_EXPORT int shiftBits(Qt::KeyboardModifiers modifiers);

//! The button bits of the buttons among these three; 0 for any other.
RAVLENLIB_EXPORT int mouseButtonBits(Qt::MouseButtons buttons);

} // namespace KeyCodes
