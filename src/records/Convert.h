#pragma once

#include <QVariant>
#include <optional>

namespace records {

// A value of the product data read as a 16-bit whole number, rounding halves to even as the data's
// writers do; nothing when it is not a number or does not fit.
std::optional<qint16> toInt16(const QVariant& value);
// The same for 32-bit whole numbers.
std::optional<qint32> toInt32(const QVariant& value);

} // namespace records
