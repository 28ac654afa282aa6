#pragma once

#include <QList>
#include <QString>
#include <cadhost/engine/Drawing.h>

// Finding and setting groups inside one record. A record's groups fall into regions: the common part
// before the first subclass marker (handle, reactors, owner) and one region per "100" subclass marker.
// Setters leave a value's text alone when it already means the value, so that untouched records come
// back byte for byte.
namespace cadhost::dxfgroups {

// The "plot with a standard scale" bit of the plot settings' flags (code 70).
inline constexpr qint64 kStandardScaleFlag = 16;

struct Region
{
    qsizetype begin = 0;
    qsizetype end = 0; // exclusive
    bool found = false;
};

Region common(const QList<DxfGroup>& groups);
// The record's own groups: all of them up to an attached record (code 0), if any.
Region own(const QList<DxfGroup>& groups);
// The groups after "100 <marker>" up to the next marker; not found: an empty region at the end.
Region subclass(const QList<DxfGroup>& groups, QLatin1StringView marker);
// Index of the first group with this code in the region, skipping "102 {...}" blocks; -1 if none.
qsizetype find(const QList<DxfGroup>& groups, const Region& region, qint32 code);
QString text(const QList<DxfGroup>& groups, const Region& region, qint32 code, const QString& fallback = {});
double real(const QList<DxfGroup>& groups, const Region& region, qint32 code, double fallback);
qint64 integer(const QList<DxfGroup>& groups, const Region& region, qint32 code, qint64 fallback);

void setText(QList<DxfGroup>& groups, Region& region, qint32 code, const QString& value);
void setReal(QList<DxfGroup>& groups, Region& region, qint32 code, double value);
void setInteger(QList<DxfGroup>& groups, Region& region, qint32 code, qint64 value);
// Codes code, code + 10 and code + 20.
void setPoint(QList<DxfGroup>& groups, Region& region, qint32 code, const Point3& value);
void remove(QList<DxfGroup>& groups, Region& region, qint32 code);

bool parseReal(QStringView text, double& value);
bool parseInteger(QStringView text, qint64& value);
QString formatReal(double value);
QString formatHandle(quint64 handle);
bool parseHandle(QStringView text, quint64& handle);

} // namespace cadhost::dxfgroups
