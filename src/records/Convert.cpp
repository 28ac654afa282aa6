#include "Convert.h"

#include <cmath>

namespace records {

namespace {

std::optional<double> wholeNumber(const QVariant& value, double lowest, double highest)
{
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    const double rounded = std::nearbyint(number);
    if (rounded < lowest || rounded > highest)
        return std::nullopt;
    return rounded;
}

} // namespace

std::optional<qint16> toInt16(const QVariant& value)
{
    const std::optional<double> number = wholeNumber(value, -32768.0, 32767.0);
    return number ? std::optional<qint16>(qint16(*number)) : std::nullopt;
}

std::optional<qint32> toInt32(const QVariant& value)
{
    const std::optional<double> number = wholeNumber(value, -2147483648.0, 2147483647.0);
    return number ? std::optional<qint32>(qint32(*number)) : std::nullopt;
}

} // namespace records
