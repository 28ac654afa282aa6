#include "DxfGroups.h"

#include <charconv>
#include <cmath>

namespace cadhost::dxfgroups {

namespace {

constexpr qint32 kSubclass = 100;
constexpr qint32 kControl = 102;

// Numbers in DXF are ASCII; a short stack copy lets std::from_chars do the parsing.
template <typename T, typename... Extra> bool parseAscii(QStringView text, T& value, Extra... extra)
{
    char buffer[64] = {};
    qsizetype n = 0;
    for (QChar c : text.trimmed()) {
        if (c.unicode() >= 0x80 || n == qsizetype(sizeof buffer))
            return false;
        buffer[n++] = char(c.unicode());
    }
    const char* begin = buffer;
    if (n > 0 && *begin == '+')
        ++begin;
    const auto [end, ec] = std::from_chars(begin, buffer + n, value, extra...);
    return n > 0 && ec == std::errc() && end == buffer + n;
}

void set(QList<DxfGroup>& groups, Region& region, qint32 code, const QString& value)
{
    const qsizetype at = find(groups, region, code);
    if (at >= 0) {
        groups[at].value = value;
        return;
    }
    groups.insert(region.end, DxfGroup{code, value});
    ++region.end;
}

} // namespace

Region common(const QList<DxfGroup>& groups)
{
    qsizetype i = 0;
    while (i < groups.size() && groups.at(i).code != kSubclass)
        ++i;
    return {0, i, true};
}

Region subclass(const QList<DxfGroup>& groups, QLatin1StringView marker)
{
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (groups.at(i).code == kSubclass && groups.at(i).value.trimmed() == marker) {
            qsizetype end = i + 1;
            while (end < groups.size() && groups.at(end).code != kSubclass)
                ++end;
            return {i + 1, end, true};
        }
    }
    return {groups.size(), groups.size(), false};
}

qsizetype find(const QList<DxfGroup>& groups, const Region& region, qint32 code)
{
    bool inBraces = false;
    for (qsizetype i = region.begin; i < region.end; ++i) {
        const DxfGroup& g = groups.at(i);
        if (g.code == kControl) {
            inBraces = g.value.startsWith(QLatin1Char('{'));
            continue;
        }
        if (!inBraces && g.code == code)
            return i;
    }
    return -1;
}

QString text(const QList<DxfGroup>& groups, const Region& region, qint32 code, const QString& fallback)
{
    const qsizetype at = find(groups, region, code);
    return at >= 0 ? groups.at(at).value : fallback;
}

double real(const QList<DxfGroup>& groups, const Region& region, qint32 code, double fallback)
{
    const qsizetype at = find(groups, region, code);
    double value = 0;
    return at >= 0 && parseReal(groups.at(at).value, value) ? value : fallback;
}

qint64 integer(const QList<DxfGroup>& groups, const Region& region, qint32 code, qint64 fallback)
{
    const qsizetype at = find(groups, region, code);
    qint64 value = 0;
    return at >= 0 && parseInteger(groups.at(at).value, value) ? value : fallback;
}

void setText(QList<DxfGroup>& groups, Region& region, qint32 code, const QString& value)
{
    set(groups, region, code, value);
}

void setReal(QList<DxfGroup>& groups, Region& region, qint32 code, double value)
{
    double old = 0;
    const qsizetype at = find(groups, region, code);
    if (at >= 0 && parseReal(groups.at(at).value, old) && old == value)
        return;
    set(groups, region, code, formatReal(value));
}

void setInteger(QList<DxfGroup>& groups, Region& region, qint32 code, qint64 value)
{
    qint64 old = 0;
    const qsizetype at = find(groups, region, code);
    if (at >= 0 && parseInteger(groups.at(at).value, old) && old == value)
        return;
    // Integers keep the width the file gave them (AutoCAD right-aligns them).
    QString text = QString::number(value);
    if (at >= 0)
        text = text.rightJustified(groups.at(at).value.size(), QLatin1Char(' '));
    set(groups, region, code, text);
}

void setPoint(QList<DxfGroup>& groups, Region& region, qint32 code, const Point3& value)
{
    setReal(groups, region, code, value.x);
    setReal(groups, region, code + 10, value.y);
    setReal(groups, region, code + 20, value.z);
}

void remove(QList<DxfGroup>& groups, Region& region, qint32 code)
{
    const qsizetype at = find(groups, region, code);
    if (at >= 0) {
        groups.removeAt(at);
        --region.end;
    }
}

bool parseReal(QStringView text, double& value)
{
    return parseAscii(text, value) && std::isfinite(value);
}

bool parseInteger(QStringView text, qint64& value)
{
    return parseAscii(text, value);
}

QString formatReal(double value)
{
    if (!std::isfinite(value))
        value = 0;
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, end - buffer);
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QLatin1String(".0");
    return text;
}

QString formatHandle(quint64 handle)
{
    return QString::number(handle, 16).toUpper();
}

bool parseHandle(QStringView text, quint64& handle)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty() || t.size() > 16)
        return false;
    bool ok = false;
    handle = t.toULongLong(&ok, 16);
    return ok && handle > 0;
}

} // namespace cadhost::dxfgroups
