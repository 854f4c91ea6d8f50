#include "field_values.h"

#include "rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace FieldValues {

qint16 toInt16(double value) { return roundHalfEven<qint16>(value); }

qint32 toInt32(double value) { return roundHalfEven<qint32>(value); }

OleColor toColor(double value)
{
    const double low = double(std::numeric_limits<qint32>::min());
    const double high = double(std::numeric_limits<quint32>::max());
    // Both readings share the bit pattern, so the wrap to 32 bits is exact.
    return OleColor(quint64(roundHalfEven<qint64>(value, low, high)));
}

float toSingle(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double largest = std::numeric_limits<float>::max();
    return float(std::clamp(value, -largest, largest));
}

std::optional<double> numberFrom(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    case QMetaType::QString: {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        return ok && !std::isnan(number) ? std::optional<double>(number) : std::nullopt;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble();
        return std::isnan(number) ? std::nullopt : std::optional<double>(number);
    }
    default:
        // Enumerations convert like their numbers; anything else is no number.
        if (value.metaType().flags().testFlag(QMetaType::IsEnumeration))
            return value.toLongLong();
        return std::nullopt;
    }
}

} // namespace FieldValues
