#pragma once

#include "ravlen_look.h"

#include <QVariant>

#include <optional>

// Numbers that come from outside (a stored layout, a settings file) and go
// straight into the button's fields. Neither source enforces the properties'
// ranges, but a number must still fit its field: whole-number fields take
// the nearest whole number (halves to even) limited to what the field can
// hold, so 70000 in a 16-bit field is kept as 32767 and 1e12 in a 32-bit
// field as 2147483647. A colour field accepts both the signed reading
// (-2147483630) and the unsigned reading (2147483666) of the same 32 bits;
// beyond both it is limited the same way. A Single takes the number as it is,
// limited to the largest finite Single.
namespace FieldValues {

qint16 toInt16(double value);
qint32 toInt32(double value);
OleColor toColor(double value);
float toSingle(double value);

// The number a stored value holds, when it holds one: numbers, Booleans and
// text that is a whole number text ("75", " -3.5 "). Not-a-number is no
// number.
std::optional<double> numberFrom(const QVariant &value);

} // namespace FieldValues
